#include "engine/zone_rules.h"

#include <gtest/gtest.h>

#include "support/plain_calendar.h"

namespace nightlatch {
namespace {

using testing::PlainMoment;
using testing::ToWall;
using testing::Wall;

TEST(ZoneRulesTest, ChangeDays) {
  struct Case {
    const char* name;
    ChangeDate date;
    int32_t year;
    Wall expected;
  };
  const Case cases[] = {
      {"last Sunday of March", {0, 3, 0, 5, 2, 0, 0, 0}, 2026, {2026, 3, 29, 2}},
      {"last Sunday of October", {0, 10, 0, 5, 3, 0, 0, 0}, 2026, {2026, 10, 25, 3}},
      {"second Sunday of March", {0, 3, 0, 2, 2, 0, 0, 0}, 2026, {2026, 3, 8, 2}},
      {"first Sunday of November, on the 1st", {0, 11, 0, 1, 2, 0, 0, 0}, 2026, {2026, 11, 1, 2}},
      {"first Saturday of August", {0, 8, 6, 1, 23, 0, 0, 0}, 2026, {2026, 8, 1, 23}},
      {"fifth Monday, a month with four", {0, 2, 1, 5, 1, 0, 0, 0}, 2026, {2026, 2, 23, 1}},
      {"fifth Sunday, a month with five", {0, 3, 0, 5, 2, 0, 0, 0}, 2020, {2020, 3, 29, 2}},
      {"an exact date", {2019, 6, 0, 17, 4, 30, 0, 0}, 2019, {2019, 6, 17, 4, 30}},
      {"the end of a year", {0, 12, 4, 5, 23, 59, 59, 999}, 2026, {2027, 1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToWall(ToLocalFields(ChangeWallSeconds(c.date, c.year), TimeZone{})), c.expected);
  }
}

// A year whose rule differs from the one before (summer time introduced)
// changes the offset at the year's start, as Windows reads each year alone.
TEST(ZoneRulesTest, EachYearByItsOwnRule) {
  constexpr int32_t kH = 3600;
  const YearRule none{10 * kH, 10 * kH, {}, {}};
  const YearRule southern{10 * kH, 11 * kH, {0, 10, 0, 1, 2, 0, 0, 0}, {0, 4, 0, 1, 3, 0, 0, 0}};
  const YearRule rules[] = {none, southern, none};
  const TimeZone zone = ZoneFromYearRules(2030, rules);
  const TimeZone utc;
  auto at = [&](const Wall& w) { return zone.OffsetAt(PlainMoment(w, utc)); };
  EXPECT_EQ(at({2030, 12, 31, 12}), 10 * kH);
  EXPECT_EQ(at({2031, 1, 1, 12}), 11 * kH);  // the year begins on summer time
  EXPECT_EQ(at({2031, 6, 1}), 10 * kH);
  EXPECT_EQ(at({2031, 12, 1}), 11 * kH);
  EXPECT_EQ(at({2032, 1, 1, 12}), 10 * kH);
  EXPECT_EQ(at({2040, 1, 1}), 10 * kH);  // after the last year, its end offset
  EXPECT_EQ(at({1990, 1, 1}), 10 * kH);
}

}  // namespace
}  // namespace nightlatch
