// Owners for GDI objects and device contexts. Move-only; a select is undone
// when its scope ends.
#pragma once

#include <utility>

#include <windows.h>

namespace nightlatch {

template <typename T>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(T object) : object_(object) {}
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(other.Release()) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  ~ScopedGdiObject() { Reset(); }

  T get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  void Reset(T object = nullptr) {
    if (object_)
      ::DeleteObject(object_);
    object_ = object;
  }
  [[nodiscard]] T Release() { return std::exchange(object_, nullptr); }

 private:
  T object_ = nullptr;
};

using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedRegion = ScopedGdiObject<HRGN>;

// GetDC / ReleaseDC.
class ScopedWindowDC {
 public:
  explicit ScopedWindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
  ~ScopedWindowDC() {
    if (dc_)
      ::ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// CreateCompatibleDC / DeleteDC.
class ScopedMemoryDC {
 public:
  explicit ScopedMemoryDC(HDC reference) : dc_(::CreateCompatibleDC(reference)) {}
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
  ~ScopedMemoryDC() {
    if (dc_)
      ::DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  ~ScopedPaint() { ::EndPaint(hwnd_, &paint_); }
  HDC get() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// SelectObject, undone at the end of the scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (previous_ && previous_ != HGDI_ERROR)
      ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// An off-screen bitmap for `area` of the target (in the target's
// coordinates, which the canvas keeps); Present copies it back in one
// BitBlt, so repaints never flicker.
class OffscreenCanvas {
 public:
  OffscreenCanvas(HDC target, int width, int height)
      : OffscreenCanvas(target, RECT{0, 0, width, height}) {}
  OffscreenCanvas(HDC target, const RECT& area)
      : target_(target),
        area_(area),
        memory_(target),
        bitmap_(::CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
        select_(memory_.get(), bitmap_.get()) {
    ::SetViewportOrgEx(memory_.get(), -area.left, -area.top, nullptr);
  }

  HDC dc() const { return memory_.get(); }
  bool valid() const { return memory_.get() && bitmap_; }
  void Present() const {
    ::BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
             memory_.get(), area_.left, area_.top, SRCCOPY);
  }

 private:
  HDC target_;
  RECT area_;
  ScopedMemoryDC memory_;
  ScopedBitmap bitmap_;
  ScopedSelect select_;
};

inline void FillSolid(HDC dc, const RECT& area, COLORREF color) {
  ::SetBkColor(dc, color);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

}  // namespace nightlatch
