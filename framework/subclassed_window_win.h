// A control created by a dialog template, subclassed so that a C++ object
// handles its messages (and the notifications reflected to it).
#pragma once

#include "framework/message_handler_win.h"

namespace nightlatch {

// Reflected notifications arrive at the control as these values.
constexpr UINT kReflectedBase = WM_USER + 0x1C00;
constexpr UINT kReflectedDrawItem = kReflectedBase + WM_DRAWITEM;
constexpr UINT kReflectedMeasureItem = kReflectedBase + WM_MEASUREITEM;
constexpr UINT kReflectedCompareItem = kReflectedBase + WM_COMPAREITEM;
constexpr UINT kReflectedDeleteItem = kReflectedBase + WM_DELETEITEM;
constexpr UINT kReflectedNotify = kReflectedBase + WM_NOTIFY;
constexpr UINT kReflectedCommand = kReflectedBase + WM_COMMAND;

// Offers an owner-draw or custom-draw message to the subclassed control it
// concerns, found by its window handle. True when the control handled it.
bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

class SubclassedWindow : public MessageHandler {
 public:
  ~SubclassedWindow() override;

  bool Subclass(HWND control);
  void Unsubclass();
  HWND hwnd() const { return hwnd_; }

  // The object that subclassed `control`, if any.
  static SubclassedWindow* FromHandle(HWND control);

 protected:
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK
  Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
  HWND hwnd_ = nullptr;
};

}  // namespace nightlatch
