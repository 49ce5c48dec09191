#include "shell/prompt_placement.h"

#include <gtest/gtest.h>

namespace nightlatch {
namespace {

TEST(PromptPlacementTest, CornerOrCentreOfTheWorkArea) {
  const struct {
    const char* name;
    WorkArea work;
    bool bottomRight;
    PromptPlacement expected;
  } cases[] = {
      {"corner", {0, 0, 1280, 984}, true, {1280 - 300, 984 - 200, true}},
      {"centre", {0, 0, 1280, 984}, false, {(1280 - 300) / 2, (984 - 200) / 2, false}},
      // A taskbar on the left or top: the corner still hugs the far edges.
      {"corner beside a left taskbar", {60, 0, 1280, 1024}, true, {980, 824, true}},
      {"centre beside a left taskbar", {60, 0, 1280, 1024}, false, {490, 412, false}},
      // A prompt wider than the screen keeps its left edge on the screen's
      // far side in the corner, and centres across the origin otherwise.
      {"too wide, corner", {0, 0, 200, 984}, true, {-100, 784, true}},
      {"too wide, centre", {0, 0, 200, 984}, false, {-50, 392, false}},
  };
  for (const auto& c : cases) {
    const PromptPlacement placed = PlacePrompt(c.work, 300, 200, c.bottomRight);
    EXPECT_EQ(placed.x, c.expected.x) << c.name;
    EXPECT_EQ(placed.y, c.expected.y) << c.name;
    EXPECT_EQ(placed.slideUp, c.expected.slideUp) << c.name;
  }
}

}  // namespace
}  // namespace nightlatch
