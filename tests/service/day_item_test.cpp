#include "service/day_item.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/plain_calendar.h"

namespace nightlatch {
namespace {

using testing::PlainMoment;
using testing::Wall;

const TimeZone kZone{8 * 3600};

struct DueCase {
  const char* name;
  DayItem item;
  Wall now;
  // Seconds before `now` of the previous pass; none for the first pass.
  std::optional<int64_t> previousAgo;
  bool due;
};

// Items are {mode, frequence, H, M, S}. Mode 4 (hibernate) unless the case
// is about the mode.
const DueCase kDueCases[] = {
    {"Frequence 1, at the second", {4, 1, 22, 30, 15}, {2026, 3, 15, 22, 30, 15}, 1, true},
    {"Frequence 1, a second early", {4, 1, 22, 30, 15}, {2026, 3, 15, 22, 30, 14}, 1, false},
    {"Frequence 1, first pass at the second",
     {4, 1, 22, 30, 15},
     {2026, 3, 15, 22, 30, 15},
     std::nullopt,
     true},
    {"another minute", {4, 1, 22, 30, 15}, {2026, 3, 15, 22, 31, 15}, 1, false},
    {"Frequence 2, even day", {4, 2, 7, 0, 0}, {2026, 3, 14, 7, 0, 0}, 1, true},
    {"Frequence 2, odd day", {4, 2, 7, 0, 0}, {2026, 3, 15, 7, 0, 0}, 1, false},
    {"Frequence 31 on the 31st", {4, 31, 7, 0, 0}, {2026, 3, 31, 7, 0, 0}, 1, true},
    {"Frequence 31 on the 30th", {4, 31, 7, 0, 0}, {2026, 4, 30, 7, 0, 0}, 1, false},
    {"Frequence 0 means every day", {4, 0, 7, 0, 0}, {2026, 3, 13, 7, 0, 0}, 1, true},
    {"negative Frequence means every day", {4, -3, 7, 0, 0}, {2026, 3, 13, 7, 0, 0}, 1, true},
    {"H 0 never runs", {4, 1, 0, 0, 5}, {2026, 3, 13, 0, 0, 5}, 1, false},
    {"Mode -1 never runs", {-1, 1, 7, 0, 0}, {2026, 3, 13, 7, 0, 0}, 1, false},
    {"an unknown mode is still due (the worker reports it)",
     {42, 1, 7, 0, 0},
     {2026, 3, 13, 7, 0, 0},
     1,
     true},
    // A pass takes a little over a second: the moment's second was skipped.
    {"skipped second caught up", {4, 1, 7, 0, 0}, {2026, 3, 13, 7, 0, 1}, 2, true},
    {"skipped seconds caught up at the limit", {4, 1, 7, 0, 0}, {2026, 3, 13, 7, 0, 4}, 5, true},
    {"a longer gap misses the moment", {4, 1, 7, 0, 0}, {2026, 3, 13, 7, 0, 1}, 6, false},
    {"the previous pass saw the moment", {4, 1, 7, 0, 0}, {2026, 3, 13, 7, 0, 1}, 1, false},
    {"a second pass in the same second", {4, 1, 7, 0, 0}, {2026, 3, 13, 7, 0, 0}, 0, false},
    {"first pass after the moment", {4, 1, 7, 0, 0}, {2026, 3, 13, 7, 0, 1}, std::nullopt, false},
    // The moment's own day decides, not the day of the late pass.
    {"caught up over midnight, the moment's day divides",
     {4, 30, 23, 59, 59},
     {2026, 3, 31, 0, 0, 1},
     3,
     true},
    {"caught up over midnight, the moment's day does not divide",
     {4, 31, 23, 59, 59},
     {2026, 3, 31, 0, 0, 1},
     3,
     false},
};

TEST(DayItemDueTest, DecidesEachCase) {
  for (const DueCase& c : kDueCases) {
    SCOPED_TRACE(c.name);
    const int64_t now = PlainMoment(c.now, kZone);
    PreviousPass previous;
    if (c.previousAgo)
      previous = PreviousPass{true, now - *c.previousAgo, 0, 0};
    EXPECT_EQ(IsDayItemDue(c.item, now, kZone, previous), c.due);
    EXPECT_TRUE(previous.valid);
    EXPECT_EQ(previous.now, now);
  }
}

// The worker's passes, about 1.1 s apart, seen as the whole seconds they
// fall in: each moment runs exactly once, also when its second is skipped.
// A pass while the interactive program runs does not run the item it finds
// due (the worker's gate), and the moment is not run later.
std::vector<int64_t> DuePasses(const DayItem& item,
                               const std::vector<int64_t>& passes,
                               const std::vector<bool>& interactive = {}) {
  std::vector<int64_t> due;
  PreviousPass previous;
  for (std::size_t i = 0; i < passes.size(); ++i) {
    const bool open = i < interactive.size() && interactive[i];
    if (IsDayItemDue(item, passes[i], kZone, previous) && !open)
      due.push_back(passes[i]);
  }
  return due;
}

TEST(DayItemDueTest, RunsOnceInARunOfPasses) {
  const DayItem item{4, 1, 7, 0, 0};
  const int64_t m = PlainMoment({2026, 3, 13, 7, 0, 0}, kZone);
  EXPECT_EQ(DuePasses(item, {m - 2, m - 1, m, m + 1, m + 2}), std::vector<int64_t>{m});
  EXPECT_EQ(DuePasses(item, {m - 2, m - 1, m + 1, m + 2}), std::vector<int64_t>{m + 1});
  EXPECT_EQ(DuePasses(item, {m - 1, m, m, m + 1}), std::vector<int64_t>{m});
  // The window was open at the moment and closed right after: not run late.
  EXPECT_EQ(DuePasses(item, {m - 1, m, m + 1, m + 2}, {false, true, false, false}),
            std::vector<int64_t>{});
  // The next day, once more.
  EXPECT_EQ(DuePasses(item, {m - 1, m + 1, m + 86399, m + 86401}),
            (std::vector<int64_t>{m + 1, m + 86401}));
}

// Every second of the two change nights in Central Europe: the item runs
// once a night, on the wall clock, by the gap and overlap rules.
TEST(DayItemDueTest, TheChangeNightsRunTheItemOnce) {
  const TimeZone utc;
  const TimeZone centralEurope = testing::CentralEurope2026();
  // A zone whose clock goes from 23:00 (UTC-2) straight to 00:00 (UTC-1) on
  // Saturday 28 March 2026: a time in that gap runs after midnight.
  const TimeZone midnightGap(-2 * 3600, {{PlainMoment({2026, 3, 29, 1}, utc), -3600}});
  struct Case {
    const char* name;
    const TimeZone& zone;
    DayItem item;
    Wall utcFrom;  // the night's passes, one a second, as UTC readings
    std::optional<Wall> utcRun;
  };
  const Case cases[] = {
      {"02:30 in the gap runs at 03:30 summer time",
       centralEurope,
       {4, 1, 2, 30, 0},
       {2026, 3, 28, 22},
       Wall{2026, 3, 29, 1, 30}},
      {"23:00 on summer time",
       centralEurope,
       {4, 1, 23, 0, 0},
       {2026, 3, 29, 20},
       Wall{2026, 3, 29, 21}},
      {"02:30 twice on the clock runs at the first",
       centralEurope,
       {4, 1, 2, 30, 0},
       {2026, 10, 24, 22},
       Wall{2026, 10, 25, 0, 30}},
      {"03:00, after the repeated hour",
       centralEurope,
       {4, 1, 3, 0, 0},
       {2026, 10, 24, 22},
       Wall{2026, 10, 25, 2}},
      {"23:30 in a gap at midnight runs at 00:30 the next date",
       midnightGap,
       {4, 1, 23, 30, 0},
       {2026, 3, 28, 22},
       Wall{2026, 3, 29, 1, 30}},
      {"its day is the 28th, which 28 divides",
       midnightGap,
       {4, 28, 23, 30, 0},
       {2026, 3, 28, 22},
       Wall{2026, 3, 29, 1, 30}},
      {"and 29 does not", midnightGap, {4, 29, 23, 30, 0}, {2026, 3, 28, 22}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PreviousPass previous;
    std::vector<int64_t> due;
    const int64_t from = PlainMoment(c.utcFrom, utc);
    for (int64_t now = from; now < from + 6 * 3600; ++now) {
      if (IsDayItemDue(c.item, now, c.zone, previous))
        due.push_back(now);
    }
    std::vector<int64_t> expected;
    if (c.utcRun)
      expected.push_back(PlainMoment(*c.utcRun, utc));
    EXPECT_EQ(due, expected);
  }
}

TEST(DayItemDueTest, ZeroOrNegativeFrequenceMeansEveryDay) {
  for (int32_t frequence : {0, -1, -31, 1}) {
    SCOPED_TRACE(frequence);
    for (int32_t day = 1; day <= 31; ++day)
      EXPECT_TRUE(RunsOnDay(DayItem{4, frequence, 7, 0, 0}, day)) << day;
  }
  std::vector<int32_t> days;
  for (int32_t day = 1; day <= 31; ++day) {
    if (RunsOnDay(DayItem{4, 7, 7, 0, 0}, day))
      days.push_back(day);
  }
  EXPECT_EQ(days, (std::vector<int32_t>{7, 14, 21, 28}));
}

TEST(ServiceActionTest, ChoosesHowTheServiceActs) {
  const struct {
    int32_t mode;
    ServiceAction expected;
  } cases[] = {
      {0, ServiceAction::kShutdownMachine}, {1, ServiceAction::kRestartMachine},
      {2, ServiceAction::kNeedsDesktop},    {3, ServiceAction::kNeedsDesktop},
      {4, ServiceAction::kPowerState},      {5, ServiceAction::kPowerState},
      {6, ServiceAction::kNeedsDesktop},    {7, ServiceAction::kNeedsDesktop},
      {8, ServiceAction::kNeedsDesktop},    {9, ServiceAction::kUnknown},
      {-1, ServiceAction::kUnknown},        {-2, ServiceAction::kUnknown},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ServiceActionFor(c.mode), c.expected) << "mode " << c.mode;
}

}  // namespace
}  // namespace nightlatch
