// The countdown prompt's clock and buttons as plain state: what each
// one-second tick and each button press does is decided here; the window
// only carries it out.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace nightlatch {

struct TaskRunRequest;

// Ticks a prompt stays hidden after "延迟10分钟".
inline constexpr int32_t kDelayTicks = 600;

enum class PromptButton { kCancel, kRunNow, kDelay };

enum class Visibility { kKeep, kHideIfShown, kShowIfHidden };

struct TickOutcome {
  Visibility visibility = Visibility::kKeep;
  bool restartSound = false;
  // A reminder's first tick outside a delay repaints the whole window once.
  bool repaintAll = false;
  // The number label shows this ("%02d"), the message is written again.
  std::optional<int32_t> shownSeconds = std::nullopt;
  // Stop the timer, carry out the action, close.
  bool act = false;

  friend bool operator==(const TickOutcome&, const TickOutcome&) = default;
};

struct PressOutcome {
  bool stopTimer = false;
  bool act = false;
  bool close = false;
  // The ten-minute delay began: hide and stop the sound.
  bool hideAndStopSound = false;

  friend bool operator==(const PressOutcome&, const PressOutcome&) = default;
};

class Countdown {
 public:
  explicit Countdown(const TaskRunRequest& request);

  TickOutcome Tick();
  // Asked before Press; the password itself only matters while protection
  // is on.
  bool NeedsPassword(PromptButton button) const;
  PressOutcome Press(PromptButton button);

  bool reminder() const { return reminder_; }
  bool pending() const { return pending_; }
  int32_t warnSeconds() const { return warnSeconds_; }
  int32_t delaySeconds() const { return delaySeconds_; }
  int32_t initialSeconds() const { return initialSeconds_; }

 private:
  bool reminder_;
  bool pending_;
  int32_t warnSeconds_;
  int32_t delaySeconds_ = 0;
  int32_t initialSeconds_;
  bool repainted_ = false;
};

enum class PasswordVerdict {
  kNotAsked,  // protection is off
  kAccepted,
  kEmpty,
  kWrong,
};

// The prompt's own check: exact, case-sensitive; an empty entry is refused
// before the comparison, so an empty stored password never matches.
PasswordVerdict CheckPromptPassword(bool protectionOn,
                                    std::u16string_view entered,
                                    std::u16string_view stored);
constexpr bool Passes(PasswordVerdict verdict) {
  return verdict == PasswordVerdict::kNotAsked || verdict == PasswordVerdict::kAccepted;
}
// "请输入密码!" or "密码错误!"; empty for a passing verdict.
std::u16string_view PasswordTip(PasswordVerdict verdict);

}  // namespace nightlatch
