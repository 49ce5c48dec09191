#include "shell/tick_rules.h"

#include <gtest/gtest.h>

#include "engine/task.h"
#include "engine/trigger_rules.h"
#include "settings/runtime_settings.h"
#include "shell/command_line.h"
#include "support/plain_calendar.h"
#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

LocalFields At(int hour, int minute, int second) {
  LocalFields fields;
  fields.year = 2026;
  fields.month = 12;
  fields.day = 9;
  fields.hour = hour;
  fields.minute = minute;
  fields.second = second;
  return fields;
}

TEST(TickTextsTest, ClockLinesAreExact) {
  LocalFields now = At(8, 5, 3);
  now.month = 3;
  now.day = 7;
  EXPECT_EQ(Text(StatusLineText(now)), Text(u"当前时间：2026年3月7日 08:05:03"));
  EXPECT_EQ(Text(ClockTileText(now)), Text(u" 2026年3月7日 08:05:03"));
  EXPECT_EQ(Text(SpokenTimeNotice(At(8, 0, 0))), Text(u"现在时间： 8点00分"));
  EXPECT_EQ(Text(SpokenTimeNotice(At(23, 30, 0))), Text(u"现在时间：23点30分"));
  EXPECT_EQ(
      Text(TrayTipText(u"Orvane定时关机助手", u"2.4.0.0", u"没有将要执行的任务")),
      Text(u"Orvane定时关机助手\n版本:2.4.0.0\n-------------\n最近任务:\n没有将要执行的任务"));
}

TEST(TickTextsTest, VersionNumbers) {
  EXPECT_EQ(VersionNumber(u"2.4.0.0"), 20400000);
  EXPECT_EQ(VersionNumber(u"2.4.1.12"), 20401012);
  EXPECT_EQ(VersionNumber(u"3"), 30000000);
  EXPECT_EQ(VersionNumber(u""), 0);
}

struct SpeakCase {
  const char* name;
  bool byHour;
  bool byHalf;
  const char16_t* hours;
  LocalFields now;
  bool speaks;
};

TEST(SpeakTimeTest, FullAndHalfHoursOfEnabledHours) {
  // Hour h is character h - 1; midnight is the 24th character.
  const char16_t* onlyEight = u"000000010000000000000000";
  const char16_t* onlyMidnight = u"000000000000000000000001";
  const SpeakCase cases[] = {
      {"by hour at 8:00", true, false, onlyEight, At(8, 0, 0), true},
      {"by hour not at 8:30", true, false, onlyEight, At(8, 30, 0), false},
      {"by half at 8:00", false, true, onlyEight, At(8, 0, 0), true},
      {"by half at 8:30", false, true, onlyEight, At(8, 30, 0), true},
      {"second 1 is too late", true, true, onlyEight, At(8, 0, 1), false},
      {"minute 15 never", true, true, onlyEight, At(8, 15, 0), false},
      {"hour 9 is off", true, true, onlyEight, At(9, 0, 0), false},
      {"midnight uses the last character", true, false, onlyMidnight, At(0, 0, 0), true},
      {"hour 23 is not midnight", true, false, onlyMidnight, At(23, 0, 0), false},
      {"nothing chosen", false, false, onlyEight, At(8, 0, 0), false},
      {"all hours off", true, true, u"000000000000000000000000", At(8, 0, 0), false},
      {"short value leaves hour off", true, true, u"0000000", At(8, 0, 0), false},
      {"any non-zero character is on", true, false, u"0000000x0000000000000000", At(8, 0, 0), true},
  };
  for (const SpeakCase& c : cases) {
    SCOPED_TRACE(c.name);
    RuntimeSettings settings;
    settings.speakByHour = c.byHour;
    settings.speakByHalf = c.byHalf;
    settings.speakHours = c.hours;
    EXPECT_EQ(ShouldSpeakTime(settings, c.now), c.speaks);
  }
}

// Like a task, a full or half hour in a skipped second is announced by the
// next pass, once, when that pass is recent enough to catch up.
TEST(TimeToSpeakTest, ASkippedFullOrHalfHourIsAnnouncedOnceByTheNextPass) {
  const TimeZone beijing{8 * 3600};
  const TimeZone kathmandu{5 * 3600 + 45 * 60};
  const auto moment = [](TimeZone zone, int hour, int minute, int second) {
    return FromLocalFields(At(hour, minute, second), zone);
  };
  struct Case {
    const char* name;
    TimeZone zone;
    bool hasPrevious;
    int64_t previousAt;
    int64_t now;
    int64_t held;
    const char* spoken;  // "h:mm", or null for none
  };
  const Case cases[] = {
      {"on the second", beijing, true, moment(beijing, 7, 59, 59), moment(beijing, 8, 0, 0), 0,
       "8:00"},
      {"second skipped", beijing, true, moment(beijing, 7, 59, 59), moment(beijing, 8, 0, 1), 0,
       "8:00"},
      {"half hour skipped", beijing, true, moment(beijing, 8, 29, 58), moment(beijing, 8, 30, 2), 0,
       "8:30"},
      {"already announced", beijing, true, moment(beijing, 8, 0, 0), moment(beijing, 8, 0, 2), 0,
       nullptr},
      {"twice in one second", beijing, true, moment(beijing, 8, 0, 1), moment(beijing, 8, 0, 1), 0,
       nullptr},
      {"after a sleep, late", beijing, true, moment(beijing, 7, 50, 0), moment(beijing, 8, 0, 1), 0,
       nullptr},
      {"after a sleep, on the second", beijing, true, moment(beijing, 7, 50, 0),
       moment(beijing, 8, 0, 0), 0, "8:00"},
      {"held back by the program", beijing, true, moment(beijing, 7, 59, 50),
       moment(beijing, 8, 0, 10), 20, "8:00"},
      {"first pass, on the second", beijing, false, 0, moment(beijing, 8, 0, 0), 0, "8:00"},
      {"first pass, late", beijing, false, 0, moment(beijing, 8, 0, 1), 0, nullptr},
      {"hour not chosen", beijing, true, moment(beijing, 8, 59, 59), moment(beijing, 9, 0, 1), 0,
       nullptr},
      {"a zone a quarter off the hour", kathmandu, true, moment(kathmandu, 7, 59, 59),
       moment(kathmandu, 8, 0, 1), 0, "8:00"},
      {"no quarter hour in that zone", kathmandu, true, moment(kathmandu, 8, 14, 59),
       moment(kathmandu, 8, 15, 1), 0, nullptr},
  };
  RuntimeSettings settings;
  settings.speakByHour = true;
  settings.speakByHalf = true;
  settings.speakHours = u"000000010000000000000000";  // 8 o'clock only
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PreviousPass previous{c.hasPrevious, c.previousAt, 0, c.held};
    const std::optional<LocalFields> spoken =
        TimeToSpeak(settings, PassClock::At(c.now, c.zone), previous);
    ASSERT_EQ(spoken.has_value(), c.spoken != nullptr);
    if (spoken) {
      const std::string text = std::to_string(spoken->hour) + ":" +
                               (spoken->minute < 10 ? "0" : "") + std::to_string(spoken->minute);
      EXPECT_EQ(text, c.spoken);
      EXPECT_EQ(spoken->second, 0);
    }
  }
}

// A pass every second through the two change nights: the times the clock
// shows are announced, the repeated hour twice, the skipped one never.
TEST(TimeToSpeakTest, TheChangeNightsAnnounceWhatTheClockShows) {
  struct Case {
    const char* name;
    int64_t from;  // UTC
    std::vector<std::string> spoken;
  };
  const Case cases[] = {
      {"spring", 1774741800, {"1:00", "1:30", "3:00", "3:30"}},          // 23:50 UTC on
      {"autumn", 1792886400, {"2:00", "2:30", "2:00", "2:30", "3:00"}},  // 00:00 UTC on
  };
  RuntimeSettings settings;
  settings.speakByHour = true;
  settings.speakByHalf = true;
  settings.speakHours = std::u16string(24, u'1');
  const TimeZone zone = testing::CentralEurope2026();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> spoken;
    PreviousPass previous;
    for (int64_t now = c.from; now < c.from + 2 * 3600 + 60; ++now) {
      const PassClock pass = PassClock::At(now, zone);
      if (const std::optional<LocalFields> at = TimeToSpeak(settings, pass, previous))
        spoken.push_back(std::to_string(at->hour) + ":" + (at->minute < 10 ? "0" : "") +
                         std::to_string(at->minute));
      previous = PreviousPass{true, now, 0, 0};
    }
    EXPECT_EQ(spoken, c.spoken);
  }
}

TEST(TickDelayTest, TheTimerWakesJustAfterTheNextSecondBegins) {
  const int64_t second = int64_t{1796000000} * 1000;
  const struct {
    int64_t now;
    uint32_t delay;
  } cases[] = {
      {second, 1000 + kTickMarginMilliseconds},
      {second + 1, 999 + kTickMarginMilliseconds},
      {second + 637, 363 + kTickMarginMilliseconds},
      {second + 999, 1 + kTickMarginMilliseconds},
      // Woken a little early: the next pass still comes in the new second.
      {second - 3, 3 + kTickMarginMilliseconds},
      {-1, 1 + kTickMarginMilliseconds},
      {-1000, 1000 + kTickMarginMilliseconds},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TickDelayMilliseconds(c.now), c.delay) << c.now;
}

TEST(RunRouteTest, PromptOnlyForWarnedActionsThatAreNotOpen) {
  struct Case {
    const char* name;
    int32_t action;
    int32_t warnSeconds;
    int32_t pending;
    RunRoute route;
  } cases[] = {
      {"warned shutdown", kShutdown, 30, 1, RunRoute::kPrompt},
      {"reminder", kReminder, 60, 1, RunRoute::kPrompt},
      {"unwarned shutdown", kShutdown, 0, 1, RunRoute::kExecute},
      {"open with a warning", kOpen, 30, 1, RunRoute::kExecute},
      {"negative warning", kShutdown, -1, 1, RunRoute::kDrop},
      {"not pending", kShutdown, 30, 0, RunRoute::kDrop},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TaskRunRequest request;
    request.action = c.action;
    request.warnSeconds = c.warnSeconds;
    request.pending = c.pending;
    EXPECT_EQ(RouteRunRequest(request), c.route);
  }
}

TEST(RunRouteTest, DoneNoticeNamesActionAndText) {
  CTask open;
  open.action = kOpen;
  open.text.Assign(u"C:\\a b\\x.exe");
  EXPECT_EQ(Text(RunDoneNotice(MakeRunRequest(open))), Text(u"打开 C:\\a b\\x.exe\n执行完毕！"));
  CTask shutdown;
  EXPECT_EQ(Text(RunDoneNotice(MakeRunRequest(shutdown))), Text(u"关机 \n执行完毕！"));
}

TEST(CommandLineTest, WholeTextCaseSensitive) {
  struct Case {
    const char16_t* text;
    StartCommand command;
  } cases[] = {
      {u"", StartCommand::kInteractive},
      {u"/min", StartCommand::kInteractiveHidden},
      {u"/install", StartCommand::kInstallService},
      {u"/uninstall", StartCommand::kUninstallService},
      {u"/start", StartCommand::kStartService},
      {u"/service", StartCommand::kRunService},
      {u"/MIN", StartCommand::kNothing},
      {u" /min", StartCommand::kNothing},
      {u"/min ", StartCommand::kNothing},
      {u"/Install", StartCommand::kNothing},
      {u"-min", StartCommand::kNothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::ToUtf8(c.text));
    EXPECT_EQ(ParseCommandLine(c.text), c.command);
  }
}

}  // namespace
}  // namespace nightlatch
