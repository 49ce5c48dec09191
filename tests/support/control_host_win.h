// A plain top-level window that holds controls for a test, made with
// CreateWindowExW. Like the program's dialogs it reflects owner-draw and
// custom-draw notifications to the control objects; derive from it to put
// mixins in front:
//
//   struct Host : ControlHost, CCtrlColor<Host, ...> {
//     bool ProcessWindowMessage(...) override { return CtrlColor::HandleMessage(...); }
//   };
#pragma once

#include <windows.h>

#include "framework/window_win.h"

namespace nightlatch::testing {

class ControlHost : public Window {
 public:
  static constexpr COLORREF kBackground = RGB(10, 20, 30);

  // Shown without activation at a fixed spot of the screen.
  bool Open(int width = 400, int height = 300) {
    Window::RegisterClass(L"NightlatchControlHost");
    const RECT bounds{100, 100, 100 + width, 100 + height};
    if (!Create(L"NightlatchControlHost", L"host", WS_POPUP | WS_CLIPSIBLINGS, 0, bounds, nullptr))
      return false;
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(hwnd());
    return true;
  }

  HWND Add(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& bounds, int id) {
    HWND control = ::CreateWindowExW(
        0, className, text, WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
    ::SendMessageW(control, WM_SETFONT,
                   reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
  }

  // WM_DRAWITEM for a whole control as the dialog manager would send it,
  // through the host's reflection.
  void SendDrawItem(HWND control, UINT controlType, UINT itemState, HDC dc, const RECT& area) {
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(control));
    DRAWITEMSTRUCT item{controlType, id, 0, ODA_DRAWENTIRE, itemState, control, dc, area, 0};
    ::SendMessageW(hwnd(), WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
  }

  // A plain background of kBackground, so what shows through is known.
  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM,
                            LRESULT& result) override {
    if (message != WM_ERASEBKGND)
      return false;
    RECT client{};
    ::GetClientRect(hwnd, &client);
    ::SetBkColor(reinterpret_cast<HDC>(wParam), kBackground);
    ::ExtTextOutW(reinterpret_cast<HDC>(wParam), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    result = 1;
    return true;
  }
};

}  // namespace nightlatch::testing
