// Menus loaded from resources and shown at the mouse cursor.
#pragma once

#include <utility>

#include <windows.h>

namespace nightlatch {

// Owns a menu; its pop-ups go with it.
class ScopedMenu {
 public:
  ScopedMenu() = default;
  explicit ScopedMenu(HMENU menu) : menu_(menu) {}
  ScopedMenu(const ScopedMenu&) = delete;
  ScopedMenu& operator=(const ScopedMenu&) = delete;
  ScopedMenu(ScopedMenu&& other) noexcept : menu_(other.Release()) {}
  ScopedMenu& operator=(ScopedMenu&& other) noexcept {
    if (this != &other) {
      Reset();
      menu_ = other.Release();
    }
    return *this;
  }
  ~ScopedMenu() { Reset(); }

  HMENU get() const { return menu_; }
  void Reset() {
    if (menu_)
      ::DestroyMenu(menu_);
    menu_ = nullptr;
  }
  [[nodiscard]] HMENU Release() { return std::exchange(menu_, nullptr); }

 private:
  HMENU menu_ = nullptr;
};

// Where a menu opens: the cursor, pulled across onto the nearest monitor's
// work area when it lies beside every monitor. An unknown work area (the
// monitor query failed) leaves the point as it is.
POINT PopupPoint(POINT cursor);
// The rule of PopupPoint for a known work area; null or empty: unchanged.
POINT PullOntoWorkArea(POINT cursor, const RECT* work);

// Shows `popup` at the cursor for `owner` with TrackPopupMenu's `flags` and
// returns its answer (the chosen id with TPM_RETURNCMD).
int ShowPopupAtCursor(HMENU popup, HWND owner, UINT flags);

}  // namespace nightlatch
