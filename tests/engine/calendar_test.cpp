#include "engine/calendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "support/plain_calendar.h"

namespace nightlatch {
namespace {

using testing::PlainLocalFields;
using testing::PlainMoment;
using testing::ToWall;
using testing::Wall;

using testing::kHour;
using testing::NamedZone;

const NamedZone kZones[] = {
    {"UTC-12", {-12 * kHour}},           {"UTC-5", {-5 * kHour}}, {"UTC", {0}},
    {"UTC+5:45", {5 * kHour + 45 * 60}}, {"UTC+8", {8 * kHour}},  {"UTC+14", {14 * kHour}},
};

LocalFields Fields(int32_t year,
                   int32_t month,
                   int32_t day,
                   int32_t weekday,
                   int32_t hour = 0,
                   int32_t minute = 0,
                   int32_t second = 0) {
  return LocalFields{year, month, weekday, day, hour, minute, second};
}

struct KnownMoment {
  const char* name;
  int64_t moment;
  int32_t offset;
  LocalFields fields;
};

// Epoch values are well-known constants, not computed by any calendar here.
const KnownMoment kKnownMoments[] = {
    {"epoch", 0, 0, Fields(1970, 1, 1, 4)},
    {"one second before the epoch", -1, 0, Fields(1969, 12, 31, 3, 23, 59, 59)},
    {"2000-01-01", 946684800, 0, Fields(2000, 1, 1, 6)},
    {"2000-02-29 (leap by 400)", 951782400, 0, Fields(2000, 2, 29, 2)},
    {"one billion", 1000000000, 0, Fields(2001, 9, 9, 0, 1, 46, 40)},
    {"1234567890", 1234567890, 0, Fields(2009, 2, 13, 5, 23, 31, 30)},
    {"2024-02-29", 1709164800, 0, Fields(2024, 2, 29, 4)},
    {"int32 max", 2147483647, 0, Fields(2038, 1, 19, 2, 3, 14, 7)},
    {"int32 min", -2147483648LL, 0, Fields(1901, 12, 13, 5, 20, 45, 52)},
    {"1900-01-01", -2208988800LL, 0, Fields(1900, 1, 1, 1)},
    {"1900 has no 29 February", -2203891201LL, 0, Fields(1900, 2, 28, 3, 23, 59, 59)},
    {"1900-03-01", -2203891200LL, 0, Fields(1900, 3, 1, 4)},
    {"2100 has no 29 February", 4107542399LL, 0, Fields(2100, 2, 28, 0, 23, 59, 59)},
    {"2100-03-01", 4107542400LL, 0, Fields(2100, 3, 1, 1)},
    {"UTC+8 is the next day", 1234567890, 8 * kHour, Fields(2009, 2, 14, 6, 7, 31, 30)},
    {"UTC-5", 1234567890, -5 * kHour, Fields(2009, 2, 13, 5, 18, 31, 30)},
    {"UTC+5:45", 1234567890, 5 * kHour + 45 * 60, Fields(2009, 2, 14, 6, 5, 16, 30)},
    {"UTC+14", 1234567890, 14 * kHour, Fields(2009, 2, 14, 6, 13, 31, 30)},
    {"UTC-12", 1234567890, -12 * kHour, Fields(2009, 2, 13, 5, 11, 31, 30)},
    {"epoch west of UTC is the year before", 0, -5 * kHour, Fields(1969, 12, 31, 3, 19)},
    {"epoch at UTC+14", 0, 14 * kHour, Fields(1970, 1, 1, 4, 14)},
};

TEST(CalendarTest, KnownMomentsConvertBothWays) {
  for (const KnownMoment& c : kKnownMoments) {
    SCOPED_TRACE(c.name);
    const TimeZone zone{c.offset};
    EXPECT_EQ(ToLocalFields(c.moment, zone), c.fields);
    EXPECT_EQ(FromLocalFields(c.fields, zone), c.moment);
  }
}

TEST(CalendarTest, FromLocalFieldsIgnoresTheWeekday) {
  for (const int32_t weekday : {0, 3, 6, -1, 99}) {
    SCOPED_TRACE("weekday " + std::to_string(weekday));
    EXPECT_EQ(FromLocalFields(Fields(2009, 2, 13, weekday, 23, 31, 30), TimeZone{}), 1234567890);
  }
}

TEST(CalendarTest, LeapYears) {
  struct Case {
    int32_t year;
    bool leap;
  };
  const Case cases[] = {{1900, false}, {2000, true}, {2023, false}, {2024, true},
                        {2100, false}, {2400, true}, {1996, true},  {2028, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE("year " + std::to_string(c.year));
    EXPECT_EQ(IsLeapYear(c.year), c.leap);
    EXPECT_EQ(DaysInMonth(c.year, 2, 0), c.leap ? 29 : 28);
    // 29 February exists in a leap year; otherwise it is 1 March.
    const LocalFields got = ToLocalFields(FromLocalFields(Fields(c.year, 2, 29, 0), {}), {});
    EXPECT_EQ(got.month, c.leap ? 2 : 3);
    EXPECT_EQ(got.day, c.leap ? 29 : 1);
  }
}

TEST(CalendarTest, OutOfRangeFieldsRollOverLikeMktime) {
  struct Case {
    const char* name;
    LocalFields given;
    Wall normalised;
  };
  const Case cases[] = {
      {"31 April is 1 May", Fields(2026, 4, 31, 0), {2026, 5, 1}},
      {"31 February 2026 is 3 March", Fields(2026, 2, 31, 0), {2026, 3, 3}},
      {"31 February 2028 is 2 March", Fields(2028, 2, 31, 0), {2028, 3, 2}},
      {"30 February 2028 is 1 March", Fields(2028, 2, 30, 0), {2028, 3, 1}},
      {"32 December is 1 January", Fields(2026, 12, 32, 0, 8), {2027, 1, 1, 8}},
      {"month 13 is January of the next year", Fields(2026, 13, 1, 0, 9, 30), {2027, 1, 1, 9, 30}},
      {"month 14, day 31 is 3 March", Fields(2026, 14, 31, 0), {2027, 3, 3}},
      {"month 25 is two years on", Fields(2026, 25, 15, 0), {2028, 1, 15}},
      {"month 0 is December before", Fields(2026, 0, 10, 0), {2025, 12, 10}},
      {"day 0 is the month's last day", Fields(2026, 3, 0, 0), {2026, 2, 28}},
      {"day 60 of January", Fields(2028, 1, 60, 0), {2028, 2, 29}},
      {"hour 24 is the next day", Fields(2026, 12, 31, 0, 24), {2027, 1, 1}},
      {"second 60 carries to the new year", Fields(2026, 12, 31, 0, 23, 59, 60), {2027, 1, 1}},
      {"minute 90", Fields(2026, 6, 1, 0, 10, 90), {2026, 6, 1, 11, 30}},
  };
  for (const NamedZone& z : kZones) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(z.name) + ": " + c.name);
      const int64_t moment = FromLocalFields(c.given, z.zone);
      EXPECT_EQ(moment, PlainMoment(c.normalised, z.zone));
      EXPECT_EQ(ToWall(ToLocalFields(moment, z.zone)), c.normalised);
    }
  }
}

// Moments from 1900 to 2100 in steps that land on every time of day and
// every weekday, compared with the plain calendar and converted back.
TEST(CalendarTest, ConversionsAgreeWithPlainCalendarAndAreExactInverses) {
  const int64_t first = -2208988800LL - 86400;  // before 1900-01-01, any zone
  const int64_t last = 4133980800LL + 86400;    // after 2101-01-01
  for (const NamedZone& z : kZones) {
    int failures = 0;
    for (int64_t t = first; t <= last && failures < 5; t += 999983) {
      const LocalFields got = ToLocalFields(t, z.zone);
      const testing::PlainFields want = PlainLocalFields(t, z.zone);
      const int64_t back = FromLocalFields(got, z.zone);
      if (ToWall(got) != want.wall || got.weekday != want.weekday || back != t) {
        ++failures;
        ADD_FAILURE() << z.name << " moment " << t << ": got " << ::testing::PrintToString(got)
                      << ", want " << want.wall << " weekday " << want.weekday << ", back to "
                      << back;
      }
    }
  }
}

// Each second around midnight, month ends and year ends, where an off-by-one
// in the day arithmetic would show.
TEST(CalendarTest, ExactInverseAroundDayBoundaries) {
  const Wall boundaries[] = {
      {1970, 1, 1},
      {1999, 12, 31, 23, 59, 58},
      {2000, 2, 28, 23, 59, 58},
      {2000, 3, 1},
      {2024, 2, 29},
      {2025, 3, 1},
      {2026, 12, 31, 23, 59, 58},
      {2100, 2, 28, 23, 59, 58},
      {1900, 2, 28, 23, 59, 58},
  };
  for (const NamedZone& z : kZones) {
    for (const Wall& w : boundaries) {
      const int64_t base = PlainMoment(w, z.zone);
      for (int64_t t = base - 3; t <= base + 3; ++t) {
        SCOPED_TRACE(std::string(z.name) + " moment " + std::to_string(t));
        const LocalFields got = ToLocalFields(t, z.zone);
        EXPECT_EQ(ToWall(got), PlainLocalFields(t, z.zone).wall);
        EXPECT_EQ(FromLocalFields(got, z.zone), t);
      }
    }
  }
}

// Every day of three years, from fields to a moment and back.
TEST(CalendarTest, EveryDayOfThreeYearsRoundTripsFromFields) {
  for (const NamedZone& z : kZones) {
    int failures = 0;
    for (int32_t year = 2023; year <= 2025; ++year) {
      for (int32_t month = 1; month <= 12; ++month) {
        for (int32_t day = 1; day <= testing::PlainMonthLength(year, month); ++day) {
          const Wall w{year, month, day, 23, 59, 59};
          const LocalFields fields = Fields(year, month, day, 0, 23, 59, 59);
          const int64_t moment = FromLocalFields(fields, z.zone);
          const LocalFields back = ToLocalFields(moment, z.zone);
          if (moment != PlainMoment(w, z.zone) || ToWall(back) != w) {
            if (++failures <= 5)
              ADD_FAILURE() << z.name << " " << w << ": moment " << moment << ", want "
                            << PlainMoment(w, z.zone) << ", back " << ToWall(back);
          }
        }
      }
    }
  }
}

TEST(CalendarTest, DaysInMonth) {
  struct Case {
    int32_t year, month, offset, days;
  };
  const Case cases[] = {
      {2026, 1, 0, 31},
      {2026, 4, 0, 30},
      {2026, 2, 0, 28},
      {2024, 2, 0, 29},
      {2024, 1, 1, 29},
      {2023, 1, 1, 28},
      {2024, 1, 2, 31},
      {2024, 3, 1, 30},
      // Across December into the next year, whose February decides.
      {2023, 12, 1, 31},
      {2023, 12, 2, 29},
      {2024, 12, 2, 28},
      {2024, 11, 2, 31},
      {2024, 11, 1, 31},
      {2024, 10, 2, 31},
      {1999, 12, 2, 29},
      {2099, 12, 2, 28},
      {1899, 12, 2, 28},
      {2399, 12, 2, 29},
      {2025, 12, 0, 31},
      // Nothing for a year or month of 0, or a month above 12.
      {0, 1, 0, 0},
      {0, 2, 1, 0},
      {2024, 0, 0, 0},
      {2024, 0, 2, 0},
      {2024, 13, 0, 0},
      {2024, 13, 1, 0},
      {2024, 100, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + " +" +
                 std::to_string(c.offset));
    EXPECT_EQ(DaysInMonth(c.year, c.month, c.offset), c.days);
  }
}

TEST(CalendarTest, DaysInMonthMatchesPlainCalendarForEveryMonth) {
  for (int32_t year = 1899; year <= 2101; ++year) {
    for (int32_t month = 1; month <= 12; ++month) {
      for (int32_t offset = 0; offset <= 2; ++offset) {
        const int32_t index = month - 1 + offset;
        const int32_t wantYear = year + index / 12;
        const int32_t wantMonth = index % 12 + 1;
        ASSERT_EQ(DaysInMonth(year, month, offset), testing::PlainMonthLength(wantYear, wantMonth))
            << year << "-" << month << " +" << offset;
      }
    }
  }
}

TEST(CalendarTest, WeekdayBit) {
  // Sunday is 0 and the highest bit; n + 7 (weekday plus up to 7 days) is
  // passed unreduced.
  const int32_t bits[] = {64, 1, 2, 4, 8, 16, 32};
  for (int32_t n = 0; n <= 13; ++n) {
    SCOPED_TRACE("n = " + std::to_string(n));
    EXPECT_EQ(WeekdayBit(n), bits[n % 7]);
  }
}

// --- The process's zone against the C library ---------------------------

#ifdef _WIN32
// The C runtime reads TZ in its own "EST5EDT" form and makes a zone of UTC
// plus made-up summer rules out of a host name such as "Asia/Shanghai", which
// Wine passes through from the test's environment. Without TZ it asks the
// system, as the program does; so TZ is hidden from it for the one call.
class HiddenTz {
 public:
  HiddenTz() {
    if (const char* tz = std::getenv("TZ")) {
      saved_ = std::string("TZ=") + tz;
      _putenv("TZ=");
    }
    _tzset();
  }
  ~HiddenTz() {
    if (!saved_.empty())
      _putenv(saved_.c_str());
    _tzset();
  }
  HiddenTz(const HiddenTz&) = delete;
  HiddenTz& operator=(const HiddenTz&) = delete;

 private:
  std::string saved_;
};
#endif

bool LocalTimeOf(std::time_t t, std::tm& out) {
#ifdef _WIN32
  const HiddenTz hidden;
  return localtime_s(&out, &t) == 0;
#else
  return localtime_r(&t, &out) != nullptr;
#endif
}

Wall WallOf(const std::tm& tm) {
  return Wall{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// Every few hours of ten years: the zone's summer time, where it has any,
// is the C library's too.
TEST(SystemTimeZoneTest, AgreesWithLocaltimeAllYearRound) {
  const TimeZone zone = SystemTimeZone();
  int failures = 0;
  for (std::time_t t = 1577836800; t < 1893456000 && failures < 5; t += 7 * 3600 + 13 * 60 + 7) {
    std::tm tm{};
    ASSERT_TRUE(LocalTimeOf(t, tm));
    const LocalFields fields = ToLocalFields(t, zone);
    if (ToWall(fields) != WallOf(tm) || fields.weekday != tm.tm_wday) {
      ++failures;
      ADD_FAILURE() << "moment " << static_cast<int64_t>(t) << ": got "
                    << ::testing::PrintToString(fields) << ", localtime " << WallOf(tm);
    }
  }
}

}  // namespace
}  // namespace nightlatch
