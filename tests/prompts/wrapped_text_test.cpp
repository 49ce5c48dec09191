// Where DrawWrappedText's pen puts each character.
#include "prompts/wrapped_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace nightlatch {

void PrintTo(const PlacedCharacter& placed, std::ostream* os) {
  *os << "(" << placed.x << "," << placed.y << ") units " << placed.offset << "+" << placed.length;
}

namespace {

// Average width 7, maximum width 14, lines 20 apart, pen from (10, 50).
constexpr PenMetrics kMetrics{7, 14, 20};

struct Place {
  int x;
  int y;
};

std::vector<Place> Places(std::u16string_view text, int limit) {
  std::vector<Place> places;
  for (const PlacedCharacter& placed : LayOutWrappedText(text, 10, 50, limit, kMetrics))
    places.push_back(Place{placed.x, placed.y});
  return places;
}

TEST(WrappedTextTest, PenPositions) {
  const struct {
    const char* name;
    std::u16string_view text;
    int limit;
    std::vector<Place> places;
  } cases[] = {
      {"narrow characters step by the average width", u"ab", 300, {{10, 50}, {17, 50}}},
      {"from U+4E00 by the maximum width", u"甲乙", 300, {{10, 50}, {24, 50}}},
      {"U+4DFF is still narrow", u"\u4DFFa", 300, {{10, 50}, {17, 50}}},
      {"line feed", u"a\nb", 300, {{10, 50}, {10, 70}}},
      {"carriage return", u"a\rb", 300, {{10, 50}, {10, 70}}},
      {"CR LF is one break", u"a\r\nb", 300, {{10, 50}, {10, 70}}},
      {"LF CR is two", u"a\n\rb", 300, {{10, 50}, {10, 90}}},
      {"an empty line", u"a\n\nb", 300, {{10, 50}, {10, 90}}},
      {"a tab is four average widths", u"\ta", 300, {{38, 50}}},
      {"past the limit a new line starts",
       u"甲甲甲甲",
       40,
       {{10, 50}, {24, 50}, {38, 50}, {10, 70}}},
      {"exactly at the limit stays", u"甲甲甲", 38, {{10, 50}, {24, 50}, {38, 50}}},
      {"a tab wraps step by step", u"\ta", 30, {{17, 70}}},
      {"a limit below every step keeps the pen", u"甲ab", 5, {{10, 50}, {10, 50}, {10, 50}}},
      {"a limit below only the wide step", u"a甲b", 10, {{10, 50}, {10, 70}, {10, 70}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Place> places = Places(c.text, c.limit);
    ASSERT_EQ(places.size(), c.places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
      EXPECT_EQ(places[i].x, c.places[i].x) << "character " << i;
      EXPECT_EQ(places[i].y, c.places[i].y) << "character " << i;
    }
  }
}

TEST(WrappedTextTest, EachCharacterIsPlacedAloneAndAPairStaysWhole) {
  const std::u16string text = u"a😀b\n甲";
  const std::vector<PlacedCharacter> expected = {
      {10, 50, 0, 1}, {17, 50, 1, 2}, {31, 50, 3, 1}, {10, 70, 5, 1}};
  EXPECT_EQ(LayOutWrappedText(text, 10, 50, 300, kMetrics), expected);

  const std::u16string lone = u"a\xD800";
  const std::vector<PlacedCharacter> loneExpected = {{10, 50, 0, 1}, {17, 50, 1, 1}};
  EXPECT_EQ(LayOutWrappedText(lone, 10, 50, 300, kMetrics), loneExpected)
      << "a lone surrogate at the end is one unit";
  EXPECT_TRUE(LayOutWrappedText(u"\n\t\r\n", 10, 50, 300, kMetrics).empty());
}

}  // namespace
}  // namespace nightlatch
