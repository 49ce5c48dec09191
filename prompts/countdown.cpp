#include "prompts/countdown.h"

#include "engine/task.h"
#include "engine/trigger_rules.h"
#include "settings/password_value.h"

namespace nightlatch {

Countdown::Countdown(const TaskRunRequest& request)
    : reminder_(request.action == kReminder),
      pending_(request.pending != 0),
      warnSeconds_(request.warnSeconds),
      initialSeconds_(request.warnSeconds) {}

TickOutcome Countdown::Tick() {
  TickOutcome outcome;
  if (delaySeconds_ > 0) {
    outcome.visibility = Visibility::kHideIfShown;
    outcome.restartSound = --delaySeconds_ == 0;
    return outcome;
  }
  if (reminder_ && !repainted_) {
    repainted_ = true;
    outcome.repaintAll = true;
  }
  if (warnSeconds_ < 0)
    pending_ = false;
  if (!pending_)
    return outcome;
  outcome.visibility = Visibility::kShowIfHidden;
  // A reminder waits for the user: no count, no action.
  if (reminder_)
    return outcome;
  // N is shown twice (at opening and at the first tick), so the action runs
  // N + 1 ticks after the prompt opened, at the tick that shows "00".
  outcome.shownSeconds = warnSeconds_;
  if (warnSeconds_ == 0) {
    pending_ = false;
    outcome.act = true;
  } else {
    --warnSeconds_;
  }
  return outcome;
}

bool Countdown::NeedsPassword(PromptButton button) const {
  return !reminder_ && button != PromptButton::kRunNow;
}

PressOutcome Countdown::Press(PromptButton button) {
  switch (button) {
    case PromptButton::kCancel:
      pending_ = false;
      return PressOutcome{.stopTimer = true, .close = true};
    case PromptButton::kRunNow:
      pending_ = false;
      return PressOutcome{.stopTimer = true, .act = true, .close = true};
    case PromptButton::kDelay:
      warnSeconds_ = initialSeconds_;
      delaySeconds_ = kDelayTicks;
      return PressOutcome{.hideAndStopSound = true};
  }
  return PressOutcome{};
}

PasswordVerdict CheckPromptPassword(bool protectionOn,
                                    std::u16string_view entered,
                                    std::u16string_view stored) {
  if (!protectionOn)
    return PasswordVerdict::kNotAsked;
  if (entered.empty())
    return PasswordVerdict::kEmpty;
  return PasswordMatches(entered, stored) ? PasswordVerdict::kAccepted : PasswordVerdict::kWrong;
}

std::u16string_view PasswordTip(PasswordVerdict verdict) {
  switch (verdict) {
    case PasswordVerdict::kEmpty:
      return u"请输入密码!";
    case PasswordVerdict::kWrong:
      return u"密码错误!";
    default:
      return u"";
  }
}

}  // namespace nightlatch
