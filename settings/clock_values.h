// How the clock takes the Zoom and Transparence it finds in config.ini. The
// clock applies these and the clock page shows them, so a hand-edited value
// reads on the page as the clock draws it.
#pragma once

#include <algorithm>
#include <cstdint>

namespace nightlatch {

inline constexpr int32_t kMinClockZoom = 5;
inline constexpr int32_t kMaxClockZoom = 20;
inline constexpr int32_t kDefaultClockZoom = 10;

// `Zoom` in tenths; outside 5..20 it is 10, so no setting asks for a giant
// window.
constexpr int32_t AppliedClockZoom(int32_t stored) {
  return stored < kMinClockZoom || stored > kMaxClockZoom ? kDefaultClockZoom : stored;
}

// Opacity levels 1..10 (`Transparence`).
inline constexpr int32_t kDefaultOpacityLevel = 8;
// What is kept of a stored or chosen level: above 10 becomes 10.
constexpr int32_t KeptOpacityLevel(int32_t level) {
  return std::min(level, 10);
}
// What is applied: the kept level, or 10 (opaque) below 1.
constexpr int32_t AppliedOpacityLevel(int32_t level) {
  return KeptOpacityLevel(level) < 1 ? 10 : KeptOpacityLevel(level);
}

}  // namespace nightlatch
