// The prompt's count, delay and buttons as plain state, and its texts.
#include "prompts/countdown.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/task.h"
#include "engine/trigger_rules.h"
#include "prompts/countdown_texts.h"
#include "support/printable_text.h"

namespace nightlatch {

// Readable outcomes when a comparison fails.
void PrintTo(const TickOutcome& outcome, std::ostream* os) {
  static const char* const kVisibility[] = {"keep", "hide", "show"};
  *os << "{" << kVisibility[static_cast<int>(outcome.visibility)]
      << (outcome.restartSound ? ", restart sound" : "")
      << (outcome.repaintAll ? ", repaint all" : "");
  if (outcome.shownSeconds)
    *os << ", show " << *outcome.shownSeconds;
  *os << (outcome.act ? ", act" : "") << "}";
}

void PrintTo(const PressOutcome& outcome, std::ostream* os) {
  *os << "{" << (outcome.stopTimer ? " stop timer" : "") << (outcome.act ? " act" : "")
      << (outcome.close ? " close" : "") << (outcome.hideAndStopSound ? " hide and stop sound" : "")
      << " }";
}

namespace {

using testing::Text;

TaskRunRequest Request(int32_t action, int32_t warnSeconds, int32_t pending = 1) {
  TaskRunRequest request;
  request.name.Assign(ActionName(action));
  request.action = action;
  request.pending = pending;
  request.warnSeconds = warnSeconds;
  return request;
}

// What the number label reads over the prompt's life, until it acts or
// `maxTicks` passed; "ACT" marks the tick that carried the action out.
std::vector<std::u16string> Display(Countdown& countdown, int maxTicks) {
  std::vector<std::u16string> shown{OpeningSecondsText(countdown.warnSeconds())};
  for (int tick = 0; tick < maxTicks; ++tick) {
    const TickOutcome outcome = countdown.Tick();
    if (outcome.shownSeconds)
      shown.push_back(TickSecondsText(*outcome.shownSeconds));
    if (outcome.act) {
      shown.push_back(u"ACT");
      break;
    }
  }
  return shown;
}

std::vector<std::u16string> Expected(std::initializer_list<const char16_t*> texts) {
  return std::vector<std::u16string>(texts.begin(), texts.end());
}

TEST(CountdownTest, ShowsTheWarningTwiceThenCountsToZeroAndActsAtZero) {
  std::vector<std::u16string> thirty{u"30"};
  for (int second = 30; second >= 0; --second)
    thirty.push_back(TickSecondsText(second));
  thirty.push_back(u"ACT");
  ASSERT_EQ(thirty[1], u"30");
  ASSERT_EQ(thirty[31], u"00");

  const struct {
    int32_t warnSeconds;
    std::vector<std::u16string> display;
  } cases[] = {
      {30, thirty},
      {2, Expected({u"2", u"02", u"01", u"00", u"ACT"})},
      {1, Expected({u"1", u"01", u"00", u"ACT"})},
      {0, Expected({u"0", u"00", u"ACT"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.warnSeconds);
    Countdown countdown(Request(kShutdown, c.warnSeconds));
    const std::vector<std::u16string> display = Display(countdown, 1000);
    ASSERT_EQ(display.size(), c.display.size());
    for (std::size_t i = 0; i < display.size(); ++i)
      EXPECT_EQ(Text(display[i]), Text(c.display[i])) << "entry " << i;
    EXPECT_FALSE(countdown.pending());
    EXPECT_EQ(countdown.Tick(), TickOutcome{}) << "after acting, a late tick does nothing";
  }
}

TEST(CountdownTest, EveryCountingTickShowsTheWindowIfItWasHidden) {
  Countdown countdown(Request(kLock, 3));
  for (int tick = 0; tick < 4; ++tick) {
    const TickOutcome outcome = countdown.Tick();
    EXPECT_EQ(outcome.visibility, Visibility::kShowIfHidden) << "tick " << tick;
    EXPECT_FALSE(outcome.restartSound);
    EXPECT_FALSE(outcome.repaintAll) << "only a reminder repaints the whole window";
  }
}

TEST(CountdownTest, NothingIsCountedForANegativeOrNoLongerPendingRequest) {
  const struct {
    const char* name;
    int32_t warnSeconds;
    int32_t pending;
  } cases[] = {{"negative warning", -1, 1}, {"not pending", 30, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Countdown countdown(Request(kShutdown, c.warnSeconds, c.pending));
    for (int tick = 0; tick < 40; ++tick)
      EXPECT_EQ(countdown.Tick(), TickOutcome{}) << "tick " << tick;
    EXPECT_FALSE(countdown.pending());
  }
}

TEST(CountdownTest, ADelayHidesForSixHundredTicksRestartsTheSoundThenCountsFromTheStart) {
  Countdown countdown(Request(kRestart, 5));
  countdown.Tick();
  countdown.Tick();
  ASSERT_EQ(countdown.warnSeconds(), 3);

  EXPECT_EQ(countdown.Press(PromptButton::kDelay), PressOutcome{.hideAndStopSound = true});
  EXPECT_EQ(countdown.warnSeconds(), 5);
  EXPECT_EQ(countdown.delaySeconds(), 600);
  EXPECT_TRUE(countdown.pending());

  for (int tick = 1; tick < 600; ++tick) {
    const TickOutcome outcome = countdown.Tick();
    ASSERT_EQ(outcome, TickOutcome{.visibility = Visibility::kHideIfShown}) << "tick " << tick;
  }
  EXPECT_EQ(countdown.delaySeconds(), 1);
  EXPECT_EQ(countdown.Tick(),
            (TickOutcome{.visibility = Visibility::kHideIfShown, .restartSound = true}))
      << "the 600th tick ends the delay with the sound";
  EXPECT_EQ(countdown.Tick(),
            (TickOutcome{.visibility = Visibility::kShowIfHidden, .shownSeconds = 5}))
      << "the next tick shows the window and the first value again";
  EXPECT_EQ(Display(countdown, 100), Expected({u"4", u"04", u"03", u"02", u"01", u"00", u"ACT"}));
}

TEST(CountdownTest, TheDelayCanBeChosenAgainEachTimeThePromptReappears) {
  Countdown countdown(Request(kHibernate, 2));
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    countdown.Tick();
    EXPECT_EQ(countdown.Press(PromptButton::kDelay), PressOutcome{.hideAndStopSound = true});
    int restarts = 0;
    for (int tick = 0; tick < 600; ++tick)
      restarts += countdown.Tick().restartSound ? 1 : 0;
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(countdown.warnSeconds(), 2);
  }
  EXPECT_EQ(Display(countdown, 100), Expected({u"2", u"02", u"01", u"00", u"ACT"}));
}

TEST(CountdownTest, ButtonsAndWhichOfThemNeedThePassword) {
  const struct {
    PromptButton button;
    bool needsPassword;
    PressOutcome outcome;
    bool pendingAfter;
  } cases[] = {
      {PromptButton::kCancel, true, {.stopTimer = true, .close = true}, false},
      {PromptButton::kRunNow, false, {.stopTimer = true, .act = true, .close = true}, false},
      {PromptButton::kDelay, true, {.hideAndStopSound = true}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.button));
    Countdown countdown(Request(kShutdown, 30));
    countdown.Tick();
    EXPECT_EQ(countdown.NeedsPassword(c.button), c.needsPassword);
    EXPECT_EQ(countdown.Press(c.button), c.outcome);
    EXPECT_EQ(countdown.pending(), c.pendingAfter);
  }
}

TEST(CountdownTest, AReminderNeverCountsNeverActsAndAsksNoPassword) {
  Countdown countdown(Request(kReminder, 60));
  ASSERT_TRUE(countdown.reminder());
  for (PromptButton button : {PromptButton::kCancel, PromptButton::kRunNow, PromptButton::kDelay})
    EXPECT_FALSE(countdown.NeedsPassword(button)) << static_cast<int>(button);

  EXPECT_EQ(countdown.Tick(),
            (TickOutcome{.visibility = Visibility::kShowIfHidden, .repaintAll = true}))
      << "the first tick repaints the whole window once";
  for (int tick = 0; tick < 3600; ++tick) {
    ASSERT_EQ(countdown.Tick(), TickOutcome{.visibility = Visibility::kShowIfHidden})
        << "tick " << tick;
  }

  countdown.Press(PromptButton::kDelay);
  int restarts = 0;
  for (int tick = 0; tick < 600; ++tick) {
    const TickOutcome outcome = countdown.Tick();
    restarts += outcome.restartSound ? 1 : 0;
    ASSERT_EQ(outcome.visibility, Visibility::kHideIfShown);
  }
  EXPECT_EQ(restarts, 1);
  EXPECT_EQ(countdown.Tick(), TickOutcome{.visibility = Visibility::kShowIfHidden})
      << "back after the snooze, without a second full repaint or any action";
}

TEST(PromptPasswordTest, VerdictsAndTips) {
  const struct {
    const char* name;
    bool protectionOn;
    std::u16string_view entered;
    std::u16string_view stored;
    PasswordVerdict verdict;
    std::u16string_view tip;
  } cases[] = {
      {"protection off", false, u"", u"secret", PasswordVerdict::kNotAsked, u""},
      {"right", true, u"Secret1", u"Secret1", PasswordVerdict::kAccepted, u""},
      {"empty field", true, u"", u"Secret1", PasswordVerdict::kEmpty, u"请输入密码!"},
      {"wrong", true, u"Secret2", u"Secret1", PasswordVerdict::kWrong, u"密码错误!"},
      {"letter case differs", true, u"secret1", u"Secret1", PasswordVerdict::kWrong, u"密码错误!"},
      {"prefix only", true, u"Secret", u"Secret1", PasswordVerdict::kWrong, u"密码错误!"},
      {"empty stored, empty field", true, u"", u"", PasswordVerdict::kEmpty, u"请输入密码!"},
      {"empty stored, any text", true, u"x", u"", PasswordVerdict::kWrong, u"密码错误!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PasswordVerdict verdict = CheckPromptPassword(c.protectionOn, c.entered, c.stored);
    EXPECT_EQ(verdict, c.verdict);
    EXPECT_EQ(Passes(verdict), c.tip.empty());
    EXPECT_EQ(Text(PasswordTip(verdict)), Text(c.tip));
  }
}

TEST(CountdownTextsTest, LinesAreExact) {
  EXPECT_EQ(Text(CountdownMessage(u"关机")), Text(u"秒后执行关机事件！\n\n赶快保存一下文件吧"));
  EXPECT_EQ(Text(CountdownMessage(u"关闭显示器")),
            Text(u"秒后执行关闭显示器事件！\n\n赶快保存一下文件吧"));
  const struct {
    int32_t seconds;
    std::u16string_view opening;
    std::u16string_view tick;
  } numbers[] = {{30, u"30", u"30"}, {5, u"5", u"05"}, {0, u"0", u"00"}, {600, u"600", u"600"}};
  for (const auto& n : numbers) {
    EXPECT_EQ(Text(OpeningSecondsText(n.seconds)), Text(n.opening));
    EXPECT_EQ(Text(TickSecondsText(n.seconds)), Text(n.tick));
  }
  LocalFields morning;
  morning.year = 2026;
  morning.month = 3;
  morning.day = 7;
  morning.hour = 8;
  morning.minute = 5;
  morning.second = 59;
  EXPECT_EQ(Text(AlarmTimeLine(morning)), Text(u"闹钟时间：2026年3月7日 08:05"));
  LocalFields evening = morning;
  evening.month = 12;
  evening.day = 31;
  evening.hour = 23;
  evening.minute = 59;
  EXPECT_EQ(Text(AlarmTimeLine(evening)), Text(u"闹钟时间：2026年12月31日 23:59"));
}

}  // namespace
}  // namespace nightlatch
