// The service's one daily item (section DayItem of config.ini): when it is
// due and what the service may do for it. Pure rules over values.
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "engine/trigger_rules.h"

namespace nightlatch {

struct DayItem {
  int32_t mode = -1;      // the TaskAction; -1: no item
  int32_t frequence = 0;  // day-of-month divisor; 0 or below: every day
  int32_t hour = 0;       // 0: no item
  int32_t minute = 0;
  int32_t second = 0;

  friend bool operator==(const DayItem&, const DayItem&) = default;
};

// Mode -1 or hour 0 means there is no item.
bool IsDayItemSet(const DayItem& item);

// Whether the item runs on this day of the month. A divisor of 0 or below
// (also a missing key) cannot divide anything and means every day.
bool RunsOnDay(const DayItem& item, int32_t dayOfMonth);

// Whether the item's moment falls in the pass at `now`. A pass takes a
// little over a second, so a wall-clock second is sometimes skipped; as in
// the task engine, when the previous pass is at most
// PreviousPass::kMaxCatchUpSeconds old every second since it is looked at,
// so the moment runs once, late. `previous` becomes this pass, also when the
// worker then does not run the item (the interactive program runs): that
// moment has been seen and is not run later.
bool IsDayItemDue(const DayItem& item, int64_t now, const TimeZone& zone, PreviousPass& previous);

// How the service carries out an action. In session 0 there is no user
// desktop: ExitWindowsEx would end only the service's own logon session, and
// locking, logging off, the monitor, opening and reminders need the user's.
enum class ServiceAction {
  kShutdownMachine,  // InitiateSystemShutdownExW
  kRestartMachine,   // InitiateSystemShutdownExW, reboot
  kPowerState,       // ExecuteAction: hibernate and standby act on the machine
  kNeedsDesktop,     // not run; reported
  kUnknown,          // not an action at all; reported
};

ServiceAction ServiceActionFor(int32_t mode);

}  // namespace nightlatch
