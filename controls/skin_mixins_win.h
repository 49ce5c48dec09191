// Dialog skins: CCtrlColor colours the child controls, CPaintBkgnd paints
// the background. Each is a mixin of the dialog class T, named in T's
// DialogImpl, which offers it every message before T's own map:
//
//   class CAboutDlg : public DialogImpl<CAboutDlg, CCtrlColor<CAboutDlg, ...>,
//                                       CPaintBkgnd<CAboutDlg, ...>> { ... };
//
// T may hide the hooks below with its own (public, or with the mixin as a
// friend); the mixins call them through T.
#pragma once

#include <iterator>
#include <utility>

#include <windows.h>

#include "framework/message_handler_win.h"
#include "platform/dpi_win.h"
#include "platform/gdi_win.h"
#include "platform/window_geometry_win.h"

namespace nightlatch {

template <typename T, bool transparent, COLORREF textColor, COLORREF brushColor>
class CCtrlColor {
 public:
  CCtrlColor() {
    if constexpr (!transparent)
      solid_.Reset(::CreateSolidBrush(brushColor));
  }
  CCtrlColor(const CCtrlColor&) = delete;
  CCtrlColor& operator=(const CCtrlColor&) = delete;

  bool HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    const auto control = reinterpret_cast<HWND>(lParam);
    switch (message) {
      case WM_CTLCOLORBTN:
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, textColor);
        // 0 leaves the brush to the dialog manager.
        result = 0;
        return true;
      case WM_CTLCOLORSTATIC: {
        ::SetBkMode(dc, TRANSPARENT);
        if (HBRUSH own = static_cast<T*>(this)->OnStaticColor(dc, control)) {
          result = reinterpret_cast<LRESULT>(own);
          return true;
        }
        ::SetTextColor(dc, textColor);
        // Read-only and disabled edit fields ask here too; they keep the
        // system colours so they still look like fields.
        wchar_t className[16] = {};
        ::GetClassNameW(control, className, static_cast<int>(std::size(className)));
        if (::lstrcmpiW(className, L"Edit") == 0)
          return false;
        result = reinterpret_cast<LRESULT>(brush());
        return true;
      }
      default:
        return false;
    }
  }

  HBRUSH brush() const {
    return transparent ? static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)) : solid_.get();
  }

  // Takes WM_CTLCOLORSTATIC for a particular control by returning a brush;
  // null declines.
  HBRUSH OnStaticColor(HDC, HWND) { return nullptr; }

 private:
  ScopedBrush solid_;
};

template <typename T, bool fromBitmap, UINT value>
class CPaintBkgnd {
 public:
  CPaintBkgnd() {
    if constexpr (fromBitmap) {
      bitmap_.Reset(::LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(value)));
      if (bitmap_)
        brush_.Reset(::CreatePatternBrush(bitmap_.get()));
    } else {
      brush_.Reset(::CreateSolidBrush(static_cast<COLORREF>(value)));
    }
  }
  CPaintBkgnd(const CPaintBkgnd&) = delete;
  CPaintBkgnd& operator=(const CPaintBkgnd&) = delete;

  bool HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_ERASEBKGND)
      return false;
    RECT client{};
    ::GetClientRect(hwnd, &client);
    OffscreenCanvas canvas(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
    if (canvas.valid()) {
      // The pattern starts at the canvas origin, the client's top-left corner.
      if (HBRUSH brush = BrushAt(WindowDpi(hwnd), canvas.dc()))
        ::FillRect(canvas.dc(), &client, brush);
      static_cast<T*>(this)->OnPaintBackground(canvas.dc(), client);
      canvas.Present();
    }
    result = 1;
    return true;
  }

  // Extra decoration over the fill, drawn off-screen before the copy.
  void OnPaintBackground(HDC, const RECT&) {}

 private:
  // The picture is made for 96 DPI; at another DPI its pattern is the
  // picture scaled with a filter, made once per DPI. (The skins' pictures
  // are smooth gradients, which keep their look when scaled.)
  HBRUSH BrushAt(int dpi, HDC reference) {
    if (!fromBitmap || dpi == kBaseDpi || !bitmap_)
      return brush_.get();
    if (scaledDpi_ != dpi) {
      scaledBrush_.Reset();
      scaledBitmap_.Reset();
      BITMAP picture{};
      ::GetObjectW(bitmap_.get(), sizeof picture, &picture);
      const int width = ScaleToDpi(picture.bmWidth, dpi);
      const int height = ScaleToDpi(picture.bmHeight, dpi);
      ScopedBitmap scaled(::CreateCompatibleBitmap(reference, width, height));
      ScopedMemoryDC source(reference);
      ScopedMemoryDC target(reference);
      if (scaled && source.get() && target.get()) {
        ScopedSelect from(source.get(), bitmap_.get());
        ScopedSelect to(target.get(), scaled.get());
        ::SetStretchBltMode(target.get(), HALFTONE);
        ::SetBrushOrgEx(target.get(), 0, 0, nullptr);
        ::StretchBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, picture.bmWidth,
                     picture.bmHeight, SRCCOPY);
      }
      if (scaled)
        scaledBrush_.Reset(::CreatePatternBrush(scaled.get()));
      // Kept while the brush lives, as the 96-DPI picture is.
      scaledBitmap_ = std::move(scaled);
      scaledDpi_ = dpi;
    }
    return scaledBrush_ ? scaledBrush_.get() : brush_.get();
  }

  ScopedBitmap bitmap_;
  ScopedBrush brush_;
  ScopedBitmap scaledBitmap_;
  ScopedBrush scaledBrush_;
  int scaledDpi_ = 0;
};

// Changes the text of a control that draws on a hollow brush: the old text
// would stay under the new one unless the parent repaints that spot.
inline void SetTextOverSkin(HWND control, const wchar_t* text) {
  ::SetWindowTextW(control, text);
  HWND parent = ::GetParent(control);
  if (!parent)
    return;
  const RECT area = BoundsInParent(control);
  ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace nightlatch
