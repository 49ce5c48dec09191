#include "platform/popup_menu_win.h"

#include <gtest/gtest.h>

namespace nightlatch {
namespace {

TEST(PopupPointTest, ACursorBesideTheWorkAreaIsPulledOntoIt) {
  const RECT work{0, 0, 1280, 984};
  const RECT empty{0, 0, 0, 0};
  const struct {
    const char* name;
    POINT cursor;
    const RECT* work;
    LONG x;
  } cases[] = {
      {"left of it", {-40, 500}, &work, 0},
      {"right of it", {1300, 500}, &work, 1279},
      {"on it", {640, 500}, &work, 640},
      // The monitor query failed or gave nothing: no range to clamp into.
      {"no work area", {-40, 500}, nullptr, -40},
      {"an empty work area", {1300, 500}, &empty, 1300},
  };
  for (const auto& c : cases) {
    const POINT at = PullOntoWorkArea(c.cursor, c.work);
    EXPECT_EQ(at.x, c.x) << c.name;
    EXPECT_EQ(at.y, c.cursor.y) << c.name;
  }
}

TEST(ScopedMenuTest, MovesItsMenuAndDestroysItOnce) {
  ScopedMenu first(::CreatePopupMenu());
  const HMENU menu = first.get();
  ASSERT_TRUE(::IsMenu(menu));
  ScopedMenu second(std::move(first));
  EXPECT_EQ(first.get(), nullptr);
  EXPECT_EQ(second.get(), menu);
  second.Reset();
  EXPECT_FALSE(::IsMenu(menu));
}

}  // namespace
}  // namespace nightlatch
