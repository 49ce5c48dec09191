// The one interface every window object of the program answers: a message
// map, written as a switch, that says whether it handled the message.
#pragma once

#include <windows.h>

namespace nightlatch {

class MessageHandler {
 public:
  MessageHandler() = default;
  MessageHandler(const MessageHandler&) = delete;
  MessageHandler& operator=(const MessageHandler&) = delete;

  // True when handled; `result` then holds the answer.
  virtual bool ProcessWindowMessage(HWND hwnd,
                                    UINT message,
                                    WPARAM wParam,
                                    LPARAM lParam,
                                    LRESULT& result) = 0;

 protected:
  virtual ~MessageHandler() = default;
};

inline HINSTANCE ModuleInstance() {
  return ::GetModuleHandleW(nullptr);
}

// A press on a captionless window's body moves it like a caption drag.
inline void BeginBodyDrag(HWND hwnd) {
  ::ReleaseCapture();
  ::SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

// The same as a mixin of a captionless dialog (DialogImpl<T, ..., CBodyDrag>).
class CBodyDrag {
 public:
  bool HandleMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message != WM_LBUTTONDOWN)
      return false;
    BeginBodyDrag(hwnd);
    return true;
  }
};

}  // namespace nightlatch
