// What the settings sub-pages share: the blue of their header bands.
#pragma once

#include <windows.h>

namespace nightlatch {

// White text on this blue, across the top of each sub-page.
inline constexpr COLORREF kPageHeaderBlue = RGB(77, 175, 247);

}  // namespace nightlatch
