// Where a child window lies in its parent's client area.
#pragma once

#include <windows.h>

namespace nightlatch {

inline RECT BoundsInParent(HWND child) {
  RECT area{};
  ::GetWindowRect(child, &area);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&area), 2);
  return area;
}

}  // namespace nightlatch
