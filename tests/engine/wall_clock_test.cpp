// The calendar and the rules in zones with summer time, checked against the
// C library's reading of the zone database. Native only: the Windows C
// runtime knows no database zone names (the Windows zone has its own tests).
#include <gtest/gtest.h>
#include <time.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/missed_runs.h"
#include "engine/task_list.h"
#include "engine/trigger_rules.h"
#include "engine/zone_rules.h"
#include "support/plain_calendar.h"
#include "support/recording_sink.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::MakeTask;
using testing::PlainMoment;
using testing::ToFields;
using testing::ToWall;
using testing::Wall;

// The process's TZ for one scope, and the zone the engine reads from it.
class ZoneScope {
 public:
  explicit ZoneScope(const char* name) {
    if (const char* old = std::getenv("TZ"))
      saved_ = old;
    had_ = std::getenv("TZ") != nullptr;
    setenv("TZ", name, 1);
    tzset();
    zone_ = SystemTimeZone();
  }
  ~ZoneScope() {
    if (had_)
      setenv("TZ", saved_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  ZoneScope(const ZoneScope&) = delete;
  ZoneScope& operator=(const ZoneScope&) = delete;

  const TimeZone& zone() const { return zone_; }

 private:
  std::string saved_;
  bool had_ = false;
  TimeZone zone_;
};

// Summer time north and south, a 30-minute change, none at all, and a zone
// whose rules moved over the years.
const char* const kZoneNames[] = {"Europe/Berlin",    "America/New_York", "Australia/Lord_Howe",
                                  "Australia/Sydney", "Asia/Shanghai",    "America/Santiago"};

// --- The C library as the reference --------------------------------------

std::tm CLocal(int64_t moment) {
  const time_t t = static_cast<time_t>(moment);
  std::tm fields{};
  localtime_r(&t, &fields);
  return fields;
}

int32_t COffset(int64_t moment) {
  return static_cast<int32_t>(CLocal(moment).tm_gmtoff);
}

Wall CWall(int64_t moment) {
  const std::tm tm = CLocal(moment);
  return Wall{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int64_t WallValue(const Wall& w) {
  return PlainMoment(w, TimeZone{});
}

// The moment a reading means, the gap and overlap rules written out over
// localtime: the earliest moment that reads so; for a reading the clock
// skips, the reading taken with the offset before the jump.
std::set<int32_t> OffsetsNear(int64_t wall) {
  std::set<int32_t> offsets;
  for (int64_t hours = -48; hours <= 48; ++hours)
    offsets.insert(COffset(wall + hours * 3600));
  return offsets;
}

int64_t ExpectedMoment(const Wall& w) {
  const int64_t wall = WallValue(w);
  const std::set<int32_t> offsets = OffsetsNear(wall);
  std::optional<int64_t> first;
  for (const int32_t offset : offsets) {
    const int64_t t = wall - offset;
    if (COffset(t) == offset && (!first || t < *first))
      first = t;
  }
  if (first)
    return *first;
  return wall - COffset(wall - *offsets.rbegin());
}

// mktime with the daylight flag -1, for readings that occur exactly once.
int64_t MktimeOf(const Wall& w) {
  std::tm tm{};
  tm.tm_year = w.year - 1900;
  tm.tm_mon = w.month - 1;
  tm.tm_mday = w.day;
  tm.tm_hour = w.hour;
  tm.tm_min = w.minute;
  tm.tm_sec = w.second;
  tm.tm_isdst = -1;
  return static_cast<int64_t>(mktime(&tm));
}

bool OccursOnce(const Wall& w) {
  const int64_t wall = WallValue(w);
  int count = 0;
  for (const int32_t offset : OffsetsNear(wall))
    count += COffset(wall - offset) == offset;
  return count == 1;
}

// A small fixed generator: the same cases on every run.
class Numbers {
 public:
  int64_t Next(int64_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int64_t>((state_ >> 33) % static_cast<uint64_t>(bound));
  }

 private:
  uint64_t state_ = 20261211;
};

// --- The two conversions ------------------------------------------------

struct ReadingCase {
  const char* zone;
  Wall local;
  Wall utc;  // the moment, as a UTC reading
};

// Worked out by hand from each zone's rule for 2026.
const ReadingCase kReadings[] = {
    // Berlin: 29 March 02:00 CET becomes 03:00 CEST; 25 October 03:00
    // CEST becomes 02:00 CET.
    {"Europe/Berlin", {2026, 3, 29, 1, 59, 59}, {2026, 3, 29, 0, 59, 59}},
    {"Europe/Berlin", {2026, 3, 29, 2, 0, 0}, {2026, 3, 29, 1, 0, 0}},
    {"Europe/Berlin", {2026, 3, 29, 2, 30, 0}, {2026, 3, 29, 1, 30, 0}},
    {"Europe/Berlin", {2026, 3, 29, 2, 59, 59}, {2026, 3, 29, 1, 59, 59}},
    {"Europe/Berlin", {2026, 3, 29, 3, 0, 0}, {2026, 3, 29, 1, 0, 0}},
    {"Europe/Berlin", {2026, 7, 15, 23, 0, 0}, {2026, 7, 15, 21, 0, 0}},
    {"Europe/Berlin", {2026, 10, 25, 1, 59, 59}, {2026, 10, 24, 23, 59, 59}},
    {"Europe/Berlin", {2026, 10, 25, 2, 0, 0}, {2026, 10, 25, 0, 0, 0}},
    {"Europe/Berlin", {2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 0, 30, 0}},
    {"Europe/Berlin", {2026, 10, 25, 2, 59, 59}, {2026, 10, 25, 0, 59, 59}},
    {"Europe/Berlin", {2026, 10, 25, 3, 0, 0}, {2026, 10, 25, 2, 0, 0}},
    {"Europe/Berlin", {2026, 12, 11, 23, 0, 0}, {2026, 12, 11, 22, 0, 0}},
    // New York: 8 March 02:00 EST is 03:00 EDT; 1 November 02:00 EDT is
    // 01:00 EST.
    {"America/New_York", {2026, 3, 8, 1, 59, 59}, {2026, 3, 8, 6, 59, 59}},
    {"America/New_York", {2026, 3, 8, 2, 30, 0}, {2026, 3, 8, 7, 30, 0}},
    {"America/New_York", {2026, 3, 8, 3, 0, 0}, {2026, 3, 8, 7, 0, 0}},
    {"America/New_York", {2026, 11, 1, 1, 30, 0}, {2026, 11, 1, 5, 30, 0}},
    {"America/New_York", {2026, 11, 1, 2, 0, 0}, {2026, 11, 1, 7, 0, 0}},
    // Lord Howe moves by half an hour: 4 October 02:00 (+10:30) is 02:30
    // (+11); 5 April 02:00 (+11) is 01:30 (+10:30).
    {"Australia/Lord_Howe", {2026, 10, 4, 1, 59, 0}, {2026, 10, 3, 15, 29, 0}},
    {"Australia/Lord_Howe", {2026, 10, 4, 2, 15, 0}, {2026, 10, 3, 15, 45, 0}},
    {"Australia/Lord_Howe", {2026, 10, 4, 2, 30, 0}, {2026, 10, 3, 15, 30, 0}},
    {"Australia/Lord_Howe", {2026, 4, 5, 1, 45, 0}, {2026, 4, 4, 14, 45, 0}},
    {"Australia/Lord_Howe", {2026, 4, 5, 2, 0, 0}, {2026, 4, 4, 15, 30, 0}},
    // Sydney, the southern hemisphere: summer time over the new year.
    {"Australia/Sydney", {2026, 1, 1, 0, 0, 0}, {2025, 12, 31, 13, 0, 0}},
    {"Australia/Sydney", {2026, 4, 5, 2, 30, 0}, {2026, 4, 4, 15, 30, 0}},
    {"Australia/Sydney", {2026, 10, 4, 2, 30, 0}, {2026, 10, 3, 16, 30, 0}},
    {"Australia/Sydney", {2026, 10, 4, 3, 0, 0}, {2026, 10, 3, 16, 0, 0}},
    {"Asia/Shanghai", {2026, 7, 15, 12, 0, 0}, {2026, 7, 15, 4, 0, 0}},
    {"Asia/Shanghai", {2026, 1, 15, 12, 0, 0}, {2026, 1, 15, 4, 0, 0}},
};

TEST(WallClockTest, ReadingsAcrossBothChangesOfTheYear) {
  for (const ReadingCase& c : kReadings) {
    const ZoneScope scope(c.zone);
    SCOPED_TRACE(std::string(c.zone) + " " + ::testing::PrintToString(c.local));
    const int64_t moment = FromLocalFields(ToFields(c.local), scope.zone());
    EXPECT_EQ(ToWall(ToLocalFields(moment, TimeZone{})), c.utc);
    // The moment reads back as the clock shows it: a skipped reading as the
    // time the gap moved it to.
    EXPECT_EQ(ToWall(ToLocalFields(moment, scope.zone())), CWall(moment));
  }
}

struct MomentCase {
  const char* zone;
  Wall utc;
  Wall local;
};

const MomentCase kMoments[] = {
    {"Europe/Berlin", {2026, 3, 29, 0, 59, 59}, {2026, 3, 29, 1, 59, 59}},
    {"Europe/Berlin", {2026, 3, 29, 1, 0, 0}, {2026, 3, 29, 3, 0, 0}},
    {"Europe/Berlin", {2026, 10, 25, 0, 59, 59}, {2026, 10, 25, 2, 59, 59}},
    {"Europe/Berlin", {2026, 10, 25, 1, 0, 0}, {2026, 10, 25, 2, 0, 0}},
    {"Europe/Berlin", {2026, 10, 25, 1, 30, 0}, {2026, 10, 25, 2, 30, 0}},
    {"Australia/Lord_Howe", {2026, 4, 4, 14, 59, 59}, {2026, 4, 5, 1, 59, 59}},
    {"Australia/Lord_Howe", {2026, 4, 4, 15, 0, 0}, {2026, 4, 5, 1, 30, 0}},
    {"Australia/Lord_Howe", {2026, 10, 3, 15, 29, 59}, {2026, 10, 4, 1, 59, 59}},
    {"Australia/Lord_Howe", {2026, 10, 3, 15, 30, 0}, {2026, 10, 4, 2, 30, 0}},
    {"America/New_York", {2026, 7, 4, 16, 0, 0}, {2026, 7, 4, 12, 0, 0}},
    {"America/New_York", {2026, 12, 25, 17, 0, 0}, {2026, 12, 25, 12, 0, 0}},
};

TEST(WallClockTest, MomentsAcrossBothChangesOfTheYear) {
  for (const MomentCase& c : kMoments) {
    const ZoneScope scope(c.zone);
    SCOPED_TRACE(std::string(c.zone) + " " + ::testing::PrintToString(c.utc));
    EXPECT_EQ(ToWall(ToLocalFields(WallValue(c.utc), scope.zone())), c.local);
  }
}

// Random moments of 1970 to 2037, read as localtime reads them.
TEST(WallClockTest, MomentsReadAsLocaltimeReadsThem) {
  for (const char* name : kZoneNames) {
    const ZoneScope scope(name);
    Numbers numbers;
    int failures = 0;
    for (int i = 0; i < 20000 && failures < 5; ++i) {
      const int64_t t = numbers.Next(2145916800);
      const LocalFields got = ToLocalFields(t, scope.zone());
      const std::tm want = CLocal(t);
      if (ToWall(got) != CWall(t) || got.weekday != want.tm_wday) {
        ++failures;
        ADD_FAILURE() << name << " moment " << t << ": got " << ::testing::PrintToString(got)
                      << ", localtime " << CWall(t) << " weekday " << want.tm_wday;
      }
    }
  }
}

// Random readings, and every quarter hour around each change of 2026, where
// random readings seldom land.
TEST(WallClockTest, ReadingsFollowTheGapAndOverlapRules) {
  for (const char* name : kZoneNames) {
    const ZoneScope scope(name);
    std::vector<Wall> readings;
    Numbers numbers;
    for (int i = 0; i < 20000; ++i)
      readings.push_back(CWall(numbers.Next(2145916800)));
    for (const ZoneChange& change : scope.zone().changes()) {
      if (change.moment < WallValue({2026, 1, 1}) || change.moment > WallValue({2027, 1, 1}))
        continue;
      const int64_t wall = change.moment + change.offsetAfter;
      for (int64_t step = -12; step <= 12; ++step)
        readings.push_back(ToWall(ToLocalFields(wall + step * 900, TimeZone{})));
    }
    int failures = 0;
    int once = 0;
    for (const Wall& w : readings) {
      const int64_t got = FromLocalFields(ToFields(w), scope.zone());
      const int64_t want = ExpectedMoment(w);
      const bool unique = OccursOnce(w);
      once += unique;
      if ((got != want || (unique && got != MktimeOf(w))) && ++failures <= 5)
        ADD_FAILURE() << name << " " << w << ": got " << got << ", want " << want
                      << (unique ? ", mktime " + std::to_string(MktimeOf(w)) : "");
    }
    EXPECT_GT(once, 19000) << name;
  }
}

// The engine's own reading of the zone database finds every change of the
// C library's: the offset of each hour of a year agrees.
TEST(WallClockTest, TheZoneHasEveryChangeOfTheDatabase) {
  for (const char* name : kZoneNames) {
    const ZoneScope scope(name);
    int failures = 0;
    for (int64_t t = WallValue({2024, 1, 1}); t < WallValue({2028, 1, 1}) && failures < 5;
         t += 1800) {
      if (scope.zone().OffsetAt(t) != COffset(t) && ++failures <= 5)
        ADD_FAILURE() << name << " moment " << t;
    }
  }
}

// --- Zones from yearly rules ---------------------------------------------

// Rules as the zone's Windows data gives them, against the database over
// the years they hold for.
TEST(ZoneRulesTest, YearlyRulesMakeTheDatabasesChanges) {
  struct Case {
    const char* zone;
    YearRule rule;
    int32_t firstYear;
  };
  constexpr int32_t kH = 3600;
  const Case cases[] = {
      {"Europe/Berlin", {kH, 2 * kH, {0, 3, 0, 5, 2, 0, 0, 0}, {0, 10, 0, 5, 3, 0, 0, 0}}, 1996},
      {"America/New_York",
       {-5 * kH, -4 * kH, {0, 3, 0, 2, 2, 0, 0, 0}, {0, 11, 0, 1, 2, 0, 0, 0}},
       2007},
      {"Australia/Lord_Howe",
       {10 * kH + 1800, 11 * kH, {0, 10, 0, 1, 2, 0, 0, 0}, {0, 4, 0, 1, 2, 0, 0, 0}},
       2008},
      {"Australia/Sydney",
       {10 * kH, 11 * kH, {0, 10, 0, 1, 2, 0, 0, 0}, {0, 4, 0, 1, 3, 0, 0, 0}},
       2008},
      {"Asia/Shanghai", {8 * kH, 8 * kH, {}, {}}, 1992},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    const ZoneScope scope(c.zone);
    constexpr int32_t kLastYear = 2037;
    const std::vector<YearRule> rules(kLastYear - c.firstYear + 1, c.rule);
    const TimeZone fromRules = ZoneFromYearRules(c.firstYear, rules);
    const int64_t from = WallValue({c.firstYear, 1, 1}) + 86400;
    const int64_t to = WallValue({kLastYear, 12, 31});
    std::vector<ZoneChange> want;
    for (const ZoneChange& change : scope.zone().changes())
      if (change.moment > from && change.moment < to)
        want.push_back(change);
    std::vector<ZoneChange> got;
    for (const ZoneChange& change : fromRules.changes())
      if (change.moment > from && change.moment < to)
        got.push_back(change);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].moment, want[i].moment) << "change " << i << " " << CWall(want[i].moment);
      EXPECT_EQ(got[i].offsetAfter, want[i].offsetAfter) << "change " << i;
    }
    EXPECT_EQ(fromRules.OffsetAt(from), COffset(from));
  }
}

// --- The rules across the changes -----------------------------------------

// A run as the taskbar clock shows it, with the offset that tells the two
// occurrences of a fall-back reading apart.
struct Shown {
  Wall local;
  int32_t offsetMinutes;
};

struct ModeCase {
  const char* name;
  const char* zone;
  int32_t mode;
  int32_t param;
  std::vector<Shown> runs;  // the first is the task's first run
};

// Every run after the first is what UpdateNextRun gives one second after
// the one before; worked out by hand from the zones' rules.
const ModeCase kModeCases[] = {
    {"daily 02:30 over the spring gap",
     "Europe/Berlin",
     kEveryNDays,
     1,
     {{{2026, 3, 28, 2, 30}, 60}, {{2026, 3, 29, 3, 30}, 120}, {{2026, 3, 30, 2, 30}, 120}}},
    {"daily 23:00 keeps its time into summer",
     "Europe/Berlin",
     kEveryNDays,
     1,
     {{{2026, 3, 28, 23}, 60}, {{2026, 3, 29, 23}, 120}, {{2026, 3, 30, 23}, 120}}},
    {"daily 02:30 runs once on the fall-back night",
     "Europe/Berlin",
     kEveryNDays,
     1,
     {{{2026, 10, 24, 2, 30}, 120}, {{2026, 10, 25, 2, 30}, 120}, {{2026, 10, 26, 2, 30}, 60}}},
    {"every 3 days 08:00 across both changes",
     "Europe/Berlin",
     kEveryNDays,
     3,
     {{{2026, 3, 26, 8}, 60}, {{2026, 3, 29, 8}, 120}, {{2026, 4, 1, 8}, 120}}},
    {"weekly Sunday 02:30 over the gap",
     "Europe/Berlin",
     kWeekly,
     64,
     {{{2026, 3, 22, 2, 30}, 60}, {{2026, 3, 29, 3, 30}, 120}, {{2026, 4, 5, 2, 30}, 120}}},
    {"weekly Sunday 02:30 on the fall-back night",
     "Europe/Berlin",
     kWeekly,
     64,
     {{{2026, 10, 18, 2, 30}, 120}, {{2026, 10, 25, 2, 30}, 120}, {{2026, 11, 1, 2, 30}, 60}}},
    {"monthly 25th 02:30 over the fall-back",
     "Europe/Berlin",
     kMonthly,
     25,
     {{{2026, 9, 25, 2, 30}, 120}, {{2026, 10, 25, 2, 30}, 120}, {{2026, 11, 25, 2, 30}, 60}}},
    {"yearly 29 March 02:30 over the gap",
     "Europe/Berlin",
     kYearly,
     329,
     {{{2025, 3, 29, 2, 30}, 60}, {{2026, 3, 29, 3, 30}, 120}, {{2027, 3, 29, 2, 30}, 120}}},
    {"an hourly interval counts real hours",
     "Europe/Berlin",
     kInterval,
     60,
     {{{2026, 3, 29, 0, 30}, 60}, {{2026, 3, 29, 1, 30}, 60}, {{2026, 3, 29, 3, 30}, 120}}},
    {"daily 02:30 in New York",
     "America/New_York",
     kEveryNDays,
     1,
     {{{2026, 3, 7, 2, 30}, -300}, {{2026, 3, 8, 3, 30}, -240}, {{2026, 3, 9, 2, 30}, -240}}},
    {"daily 01:30 in New York's fall-back",
     "America/New_York",
     kEveryNDays,
     1,
     {{{2026, 10, 31, 1, 30}, -240}, {{2026, 11, 1, 1, 30}, -240}, {{2026, 11, 2, 1, 30}, -300}}},
    {"daily 02:15 over Lord Howe's half-hour gap",
     "Australia/Lord_Howe",
     kEveryNDays,
     1,
     {{{2026, 10, 3, 2, 15}, 630}, {{2026, 10, 4, 2, 45}, 660}, {{2026, 10, 5, 2, 15}, 660}}},
    {"daily 01:45 in Lord Howe's repeated half hour",
     "Australia/Lord_Howe",
     kEveryNDays,
     1,
     {{{2026, 4, 4, 1, 45}, 660}, {{2026, 4, 5, 1, 45}, 660}, {{2026, 4, 6, 1, 45}, 630}}},
    {"daily 02:30 in Sydney's autumn",
     "Australia/Sydney",
     kEveryNDays,
     1,
     {{{2026, 4, 4, 2, 30}, 660}, {{2026, 4, 5, 2, 30}, 660}, {{2026, 4, 6, 2, 30}, 600}}},
    {"daily 02:30 in Shanghai",
     "Asia/Shanghai",
     kEveryNDays,
     1,
     {{{2026, 3, 28, 2, 30}, 480}, {{2026, 3, 29, 2, 30}, 480}, {{2026, 3, 30, 2, 30}, 480}}},
};

TEST(WallClockTest, EveryModeAcrossTheChanges) {
  for (const ModeCase& c : kModeCases) {
    SCOPED_TRACE(c.name);
    const ZoneScope scope(c.zone);
    const int32_t first = static_cast<int32_t>(ExpectedMoment(c.runs.front().local));
    CTask task = MakeTask(c.mode, kShutdown, first, c.param);
    for (std::size_t i = 0; i < c.runs.size(); ++i) {
      if (i > 0)
        UpdateNextRun(task, PassClock::At(int64_t{task.nextRun} + 1, scope.zone()), false);
      EXPECT_EQ(CWall(task.nextRun), c.runs[i].local) << "run " << i;
      EXPECT_EQ(COffset(task.nextRun), c.runs[i].offsetMinutes * 60) << "run " << i;
    }
  }
}

// A year of daily runs at times around the changes: each run is the
// reading's moment by the rules above, on the next day each time.
TEST(WallClockTest, DailyRunsForAYearKeepTheirTimeOfDay) {
  const Wall times[] = {{0, 0, 0, 0, 0}, {0, 0, 0, 1, 30}, {0, 0, 0, 2, 0},  {0, 0, 0, 2, 30},
                        {0, 0, 0, 3, 0}, {0, 0, 0, 3, 30}, {0, 0, 0, 23, 30}};
  for (const char* name : kZoneNames) {
    const ZoneScope scope(name);
    for (const Wall& time : times) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(time.hour) + ":" +
                   std::to_string(time.minute));
      Wall day{2025, 12, 31, time.hour, time.minute};
      CTask task = MakeTask(kEveryNDays, kShutdown, static_cast<int32_t>(ExpectedMoment(day)), 1);
      int failures = 0;
      for (int i = 0; i < 400 && failures < 3; ++i) {
        UpdateNextRun(task, PassClock::At(int64_t{task.nextRun} + 1, scope.zone()), false);
        day = ToWall(ToLocalFields(WallValue(day) + 86400, TimeZone{}));
        if (task.nextRun != ExpectedMoment(day) && ++failures <= 3)
          ADD_FAILURE() << "day " << day << ": run at " << CWall(task.nextRun);
      }
    }
  }
}

// The pass on the fall-back night: the task runs at the first 02:30 and the
// second one passes without a run.
TEST(WallClockTest, TheRepeatedHourRunsADailyTaskOnce) {
  const ZoneScope scope("Europe/Berlin");
  TaskList list;
  list.Add(MakeTask(kEveryNDays, kShutdown,
                    static_cast<int32_t>(ExpectedMoment({2026, 10, 24, 2, 30})), 1));
  testing::RecordingSink sink;
  PreviousPass previous;
  const int64_t from = WallValue({2026, 10, 24, 23, 0});  // 01:00 CEST
  const int64_t to = WallValue({2026, 10, 25, 3, 0});     // 04:00 CET
  std::vector<int64_t> runs;
  for (int64_t t = from; t <= to; ++t) {
    const std::size_t before = sink.requests.size();
    CheckDueTasks(list, PassClock::At(t, scope.zone()), previous, sink);
    if (sink.requests.size() != before)
      runs.push_back(t);
  }
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], WallValue({2026, 10, 25, 0, 30}));
}

// A sleep over each change night reports the run the clock really had.
TEST(WallClockTest, MissedRunsAcrossTheChanges) {
  const ZoneScope scope("Europe/Berlin");
  struct Case {
    const char* name;
    Wall firstRun;                 // local
    Wall asleepFrom, asleepUntil;  // UTC
    Wall latest;                   // UTC
  };
  const Case cases[] = {
      {"the spring night",
       {2026, 3, 27, 2, 30},
       {2026, 3, 28, 12},
       {2026, 3, 29, 12},
       {2026, 3, 29, 1, 30}},
      {"the autumn night, the first 02:30",
       {2026, 10, 23, 2, 30},
       {2026, 10, 24, 12},
       {2026, 10, 25, 12},
       {2026, 10, 25, 0, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTask task =
        MakeTask(kEveryNDays, kShutdown, static_cast<int32_t>(ExpectedMoment(c.firstRun)), 1);
    UpdateNextRun(task, PassClock::At(WallValue(c.asleepFrom), scope.zone()), false);
    const std::optional<int64_t> latest = LatestRunIn(
        task, GapBetween(WallValue(c.asleepFrom), WallValue(c.asleepUntil)), scope.zone());
    ASSERT_TRUE(latest.has_value());
    EXPECT_EQ(*latest, WallValue(c.latest));
  }
}

// --- The zone changes under the program ------------------------------------

TEST(WallClockTest, MovingToAnotherZoneKeepsTheWallClockTimes) {
  TimeZone berlin;
  {
    const ZoneScope scope("Europe/Berlin");
    berlin = scope.zone();
  }
  const TimeZone shanghai(8 * 3600);
  const int32_t daily = static_cast<int32_t>(FromLocalFields(ToFields({2026, 7, 15, 23}), berlin));
  const int32_t fixed = static_cast<int32_t>(FromLocalFields(ToFields({2026, 8, 1, 7}), berlin));
  const int32_t interval = daily + 1800;
  TaskList list;
  list.Add(MakeTask(kEveryNDays, kShutdown, daily, 1));
  list.Add(MakeTask(kFixed, kReminder, fixed));
  list.Add(MakeTask(kInterval, kLock, interval, 90));
  list.Add(MakeTask(kCountdown, kLock, interval));

  EXPECT_FALSE(KeepWallClockTimes(list, berlin, berlin));
  ASSERT_TRUE(KeepWallClockTimes(list, berlin, shanghai));
  const std::vector<CTask> tasks(list.tasks().begin(), list.tasks().end());
  EXPECT_EQ(ToWall(ToLocalFields(tasks[0].nextRun, shanghai)), (Wall{2026, 7, 15, 23}));
  EXPECT_EQ(ToWall(ToLocalFields(tasks[0].start, shanghai)), (Wall{2026, 7, 15, 23}));
  EXPECT_EQ(ToWall(ToLocalFields(tasks[1].nextRun, shanghai)), (Wall{2026, 8, 1, 7}));
  // Durations count real seconds wherever the clock is.
  EXPECT_EQ(tasks[2].nextRun, interval);
  EXPECT_EQ(tasks[3].nextRun, interval);
}

}  // namespace
}  // namespace nightlatch
