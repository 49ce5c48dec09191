#include "platform/dpi_scale.h"

#include <gtest/gtest.h>

namespace nightlatch {
namespace {

TEST(DpiScaleTest, ScalesLikeMulDivRoundingHalfAwayFromZero) {
  const struct {
    int value;
    int dpi;
    int expected;
  } cases[] = {
      {536, 96, 536},  {536, 144, 804}, {582, 144, 873},
      {13, 120, 16},    // 16.25
      {14, 120, 18},    // 17.5 rounds up
      {-14, 120, -18},  // and so does -17.5
      {-13, 144, -20},  // -19.5
      {1, 144, 2},     {1, 120, 1},     {0, 192, 0},
      {7, 192, 14},    {130, 168, 228}, {1 << 24, 192, 1 << 25},  // no overflow
  };
  for (const auto& c : cases)
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi << " DPI";
}

TEST(DpiScaleTest, PicksTheSmallestPictureAtLeastAsLargeAsTheScale) {
  const struct {
    int dpi;
    int percent;
  } cases[] = {
      {72, 100},  {96, 100},  {97, 150},  {120, 150}, {144, 150},
      {145, 200}, {168, 200}, {192, 200}, {288, 200},  // beyond the largest: the largest
  };
  for (const auto& c : cases)
    EXPECT_EQ(PicturePercentForDpi(c.dpi), c.percent) << c.dpi << " DPI";
}

}  // namespace
}  // namespace nightlatch
