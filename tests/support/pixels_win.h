// Reading back what a control drew: a 32-bit canvas whose pixels GetPixel
// returns exactly, and colours that print readably when a test fails.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>

#include <windows.h>

#include "platform/gdi_win.h"

namespace nightlatch::testing {

inline std::string Rgb(COLORREF color) {
  char text[32];
  std::snprintf(text, sizeof text, "rgb(%d,%d,%d)", GetRValue(color), GetGValue(color),
                GetBValue(color));
  return text;
}

// Where a colour landed: how many pixels, and the box around them.
struct Ink {
  int count = 0;
  RECT box{LONG_MAX, LONG_MAX, -1, -1};
};

class PixelCanvas {
 public:
  PixelCanvas(int width, int height) : width_(width), height_(height), dc_(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    select_.emplace(dc_.get(), bitmap_.get());
    Fill(RGB(1, 2, 3));
  }

  HDC dc() const { return dc_.get(); }
  RECT bounds() const { return RECT{0, 0, width_, height_}; }
  void Fill(COLORREF color) { FillSolid(dc_.get(), bounds(), color); }
  std::string At(int x, int y) const { return Rgb(::GetPixel(dc_.get(), x, y)); }
  int Count(COLORREF color, const RECT& area) const { return CountPixels(dc_.get(), area, color); }

  Ink FindInk(COLORREF color) const {
    Ink ink;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (::GetPixel(dc_.get(), x, y) == color) {
          ++ink.count;
          ink.box = {std::min<LONG>(ink.box.left, x), std::min<LONG>(ink.box.top, y),
                     std::max<LONG>(ink.box.right, x), std::max<LONG>(ink.box.bottom, y)};
        }
    return ink;
  }

  static int CountPixels(HDC dc, const RECT& area, COLORREF color) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        count += ::GetPixel(dc, x, y) == color ? 1 : 0;
    return count;
  }

 private:
  int width_;
  int height_;
  ScopedMemoryDC dc_;
  ScopedBitmap bitmap_;
  std::optional<ScopedSelect> select_;
};

}  // namespace nightlatch::testing
