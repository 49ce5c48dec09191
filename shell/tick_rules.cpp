#include "shell/tick_rules.h"

#include "engine/task.h"
#include "engine/text_format.h"
#include "engine/trigger_rules.h"
#include "settings/runtime_settings.h"

namespace nightlatch {

std::u16string StatusLineText(const LocalFields& now) {
  return FormatText(u"当前时间：%4d年%d月%d日 %02d:%02d:%02d",
                    {now.year, now.month, now.day, now.hour, now.minute, now.second});
}

std::u16string ClockTileText(const LocalFields& now) {
  return FormatText(u" %4d年%d月%d日 %02d:%02d:%02d",
                    {now.year, now.month, now.day, now.hour, now.minute, now.second});
}

std::u16string TrayTipText(std::u16string_view title,
                           std::u16string_view version,
                           std::u16string_view nextTask) {
  return FormatText(u"%s\n版本:%s\n-------------\n最近任务:\n%s", {title, version, nextTask});
}

bool ShouldSpeakTime(const RuntimeSettings& settings, const LocalFields& now) {
  if ((now.minute != 0 && now.minute != 30) || now.second != 0)
    return false;
  const std::size_t index = now.hour == 0 ? 23 : static_cast<std::size_t>(now.hour - 1);
  // A value shorter than 24 characters leaves the missing hours off.
  const bool hourOn = index < settings.speakHours.size() && settings.speakHours[index] != u'0';
  const bool wanted = (settings.speakByHour && now.minute == 0) || settings.speakByHalf;
  return wanted && hourOn;
}

std::optional<LocalFields> TimeToSpeak(const RuntimeSettings& settings,
                                       const PassClock& pass,
                                       const PreviousPass& previous) {
  const int64_t offset = pass.zone.OffsetAt(pass.now);
  const int64_t local = pass.now + offset;
  const int64_t intoPeriod =
      ((local % kSpeakPeriodSeconds) + kSpeakPeriodSeconds) % kSpeakPeriodSeconds;
  const int64_t moment = pass.now - intoPeriod;
  // Within one second the previous pass already judged this moment.
  const bool due = previous.CatchesUpTo(pass.now) ? moment > previous.now : intoPeriod == 0;
  if (!due)
    return std::nullopt;
  const LocalFields spoken = ToLocalFields(moment, pass.zone);
  if (!ShouldSpeakTime(settings, spoken))
    return std::nullopt;
  return spoken;
}

std::u16string SpokenTimeNotice(const LocalFields& now) {
  return FormatText(u"现在时间：%2d点%02d分", {now.hour, now.minute});
}

int32_t VersionNumber(std::u16string_view text) {
  static constexpr int32_t kWeights[] = {10000000, 100000, 1000, 1};
  int64_t number = 0;
  std::size_t part = 0;
  int64_t value = 0;
  for (std::size_t i = 0; i <= text.size() && part < std::size(kWeights); ++i) {
    if (i == text.size() || text[i] == u'.') {
      number += value * kWeights[part++];
      value = 0;
    } else if (text[i] >= u'0' && text[i] <= u'9' && value < 100000000) {
      value = value * 10 + (text[i] - u'0');
    }
  }
  return static_cast<int32_t>(number);
}

RunRoute RouteRunRequest(const TaskRunRequest& request) {
  if (request.warnSeconds < 0 || request.pending == 0)
    return RunRoute::kDrop;
  // An Open task never waits for a prompt, whatever its warning.
  if (request.warnSeconds != 0 && request.action != kOpen)
    return RunRoute::kPrompt;
  return RunRoute::kExecute;
}

bool SaveBeforeAction(int32_t action) {
  switch (action) {
    case kShutdown:
    case kRestart:
    case kLogOff:
    case kHibernate:
    case kStandby:
      return true;
    default:
      return false;
  }
}

std::u16string RunDoneNotice(const TaskRunRequest& request) {
  return FormatText(u"%s %s\n执行完毕！", {request.name.View(), request.text.View()});
}

}  // namespace nightlatch
