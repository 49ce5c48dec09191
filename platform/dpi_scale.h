// Lengths of the layout are pixels at 96 DPI; a window at another DPI takes
// them times dpi / 96. Platform-free so that the rounding is tested natively.
#pragma once

#include <cstdint>
#include <iterator>

namespace nightlatch {

inline constexpr int kBaseDpi = 96;

// Rounds half away from zero, as MulDiv(value, dpi, 96) does, so that a
// negative font height scales like its positive counterpart.
constexpr int ScaleToDpi(int value, int dpi) {
  const int64_t product = static_cast<int64_t>(value) * dpi;
  const int64_t magnitude = product < 0 ? -product : product;
  const int64_t scaled = (magnitude + kBaseDpi / 2) / kBaseDpi;
  return static_cast<int>(product < 0 ? -scaled : scaled);
}

// The pictures are made at 100, 150 and 200 percent: a window takes the
// smallest at least as large as its own scale (drawn down with a filter),
// or the largest beyond 200 percent.
inline constexpr int kPicturePercents[] = {100, 150, 200};

constexpr int PicturePercentForDpi(int dpi) {
  for (const int percent : kPicturePercents) {
    if (static_cast<int64_t>(percent) * kBaseDpi >= static_cast<int64_t>(dpi) * 100)
      return percent;
  }
  return kPicturePercents[std::size(kPicturePercents) - 1];
}

}  // namespace nightlatch
