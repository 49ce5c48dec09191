// What every owner-drawn control of the kit shares: the reflected owner-draw
// messages handed to T's DrawItem (and MeasureItem, when T has its own), hot
// tracking of the mouse, and the owner-drawn push button.
#pragma once

#include <windows.h>

#include "framework/subclassed_window_win.h"
#include "platform/gdi_win.h"

namespace nightlatch {

template <typename T>
class COwnerDraw {
 public:
  bool HandleOwnerDraw(UINT message, LPARAM lParam, LRESULT& result) {
    T& self = static_cast<T&>(*this);
    switch (message) {
      case kReflectedDrawItem:
        self.DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
      case kReflectedMeasureItem:
        self.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
      case kReflectedCompareItem:
        result = 0;
        return true;
      case kReflectedDeleteItem:
        result = TRUE;
        return true;
      default:
        return false;
    }
  }

  // One line of text in the control's font.
  void MeasureItem(MEASUREITEMSTRUCT& item) {
    HWND control = static_cast<T&>(*this).hwnd();
    ScopedWindowDC dc(control);
    ScopedSelect font(dc.get(),
                      reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    if (::GetTextMetricsW(dc.get(), &metrics))
      item.itemHeight = static_cast<UINT>(metrics.tmHeight);
  }
};

// The hot flag of a control that changes its look under the mouse.
class HotTracking {
 public:
  bool hot() const { return hot_; }

  // WM_MOUSEMOVE: the first move of a visit asks for WM_MOUSELEAVE and
  // repaints without erasing.
  void MouseMoved(HWND control) {
    if (hot_)
      return;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, control, 0};
    if (::TrackMouseEvent(&track)) {
      hot_ = true;
      ::InvalidateRect(control, nullptr, FALSE);
    }
  }

  void MouseLeft(HWND control) {
    hot_ = false;
    ::InvalidateRect(control, nullptr, FALSE);
  }

  // Follows the control's mouse messages; they go on to the control too.
  void Follow(HWND control, UINT message) {
    if (message == WM_MOUSEMOVE)
      MouseMoved(control);
    else if (message == WM_MOUSELEAVE)
      MouseLeft(control);
  }

 private:
  bool hot_ = false;
};

// A dialog's push button taken over by T, which draws every face itself in
// DrawItem and may change it under the mouse.
template <typename T>
class COwnerDrawButton : public SubclassedWindow, public COwnerDraw<T> {
 public:
  bool hot() const { return hot_.hot(); }

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM,
                            LPARAM lParam,
                            LRESULT& result) override {
    hot_.Follow(hwnd, message);
    switch (message) {
      case WM_ERASEBKGND:
        // The face covers every pixel.
        result = 1;
        return true;
      default:
        return this->HandleOwnerDraw(message, lParam, result);
    }
  }

 protected:
  bool TakeOver(HWND button) {
    if (!Subclass(button))
      return false;
    const LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
    ::SetWindowLongPtrW(button, GWL_STYLE,
                        (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    ::InvalidateRect(button, nullptr, TRUE);
    return true;
  }

  HotTracking hot_;
};

}  // namespace nightlatch
