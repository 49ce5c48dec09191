#include "service/day_item.h"

#include "engine/task.h"

namespace nightlatch {
namespace {

// The item's moment on a local day, by the calendar's rules: on the night
// the clock goes forward a time in the gap runs as far after it (which may
// be after midnight, on the next date), and on the night it goes back a
// repeated time runs once, the first.
bool IsMoment(const DayItem& item, int64_t moment, const TimeZone& zone) {
  const LocalFields today = ToLocalFields(moment, zone);
  for (const int32_t back : {0, 1}) {
    LocalFields day = today;
    day.day -= back;
    day.hour = item.hour;
    day.minute = item.minute;
    day.second = item.second;
    if (FromLocalFields(day, zone) != moment)
      continue;
    return RunsOnDay(item, ToLocalFields(FromLocalFields(day, TimeZone{}), TimeZone{}).day);
  }
  return false;
}

}  // namespace

bool IsDayItemSet(const DayItem& item) {
  return item.mode != -1 && item.hour != 0;
}

bool RunsOnDay(const DayItem& item, int32_t dayOfMonth) {
  return item.frequence <= 0 || dayOfMonth % item.frequence == 0;
}

bool IsDayItemDue(const DayItem& item, int64_t now, const TimeZone& zone, PreviousPass& previous) {
  // A second pass within one second starts after `now` and looks at nothing.
  const int64_t first = previous.CatchesUpTo(now) ? previous.now + 1 : now;
  previous = PreviousPass{true, now, 0, 0};
  if (!IsDayItemSet(item))
    return false;
  for (int64_t moment = first; moment <= now; ++moment) {
    if (IsMoment(item, moment, zone))
      return true;
  }
  return false;
}

ServiceAction ServiceActionFor(int32_t mode) {
  switch (mode) {
    case kShutdown:
      return ServiceAction::kShutdownMachine;
    case kRestart:
      return ServiceAction::kRestartMachine;
    case kHibernate:
    case kStandby:
      return ServiceAction::kPowerState;
    case kLogOff:
    case kLock:
    case kMonitorOff:
    case kOpen:
    case kReminder:
      return ServiceAction::kNeedsDesktop;
    default:
      return ServiceAction::kUnknown;
  }
}

}  // namespace nightlatch
