// Plain windows of a class of our own (the desktop clock, Chimebox's frame),
// bound to their object at WM_NCCREATE.
#pragma once

#include "framework/message_handler_win.h"

namespace nightlatch {

class Window : public MessageHandler {
 public:
  ~Window() override;

  // Registers the class once per process; later calls are harmless.
  static bool RegisterClass(const wchar_t* className,
                            HICON icon = nullptr,
                            HBRUSH background = nullptr,
                            UINT classStyle = 0);

  HWND Create(const wchar_t* className,
              const wchar_t* title,
              DWORD style,
              DWORD exStyle,
              const RECT& bounds,
              HWND parent);
  void DestroyWindow();
  HWND hwnd() const { return hwnd_; }

 protected:
  Window() = default;
  virtual void OnFinalMessage(HWND) {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace nightlatch
