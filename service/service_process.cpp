#include "service/service_process.h"

#include "engine/actions.h"
#include "engine/system_clock.h"
#include "service/service_texts.h"

namespace nightlatch {

void NightlatchService::Main() {
  uint32_t error = 0;
  if (!api_.RegisterControlHandler(error)) {
    api_.ReportServiceEvent(EventType::kError, error, api_.FormatSystemError(error, u""));
    return;
  }
  // Before the report: a stop that arrives right after it must not be
  // undone by setting the flag later.
  running_ = true;
  status_ = ServiceStatus{};
  status_.currentState = kServiceRunning;
  ReportStatus();
  while (running_) {
    WorkerPass();
    if (running_)
      api_.Pause(kPassPauseMs);
  }
}

void NightlatchService::Control(uint32_t control) {
  switch (control) {
    case kControlStop:
      status_.checkPoint = 0;
      status_.waitHint = 0;
      status_.win32ExitCode = 0;
      running_ = false;
      status_.currentState = kServiceStopped;
      api_.WakeWorker();
      break;
    case kControlPause:
      status_.currentState = kServicePaused;
      break;
    case kControlContinue:
      status_.currentState = kServiceRunning;
      break;
    default:
      break;
  }
  ReportStatus();
}

void NightlatchService::ReportStatus() {
  uint32_t error = 0;
  if (!api_.SetServiceStatus(status_, error))
    api_.ReportServiceEvent(EventType::kError, error, api_.FormatSystemError(error, u""));
}

void NightlatchService::WorkerPass() {
  const DayItem item = api_.ReadDayItem();
  // No window tells the service of a new zone: it is read afresh once a
  // minute (a read costs more than the rest of the pass under Wine).
  if (++passesWithZone_ >= kPassesPerZoneRead) {
    passesWithZone_ = 0;
    clock_.TimeChanged();
  }
  const int64_t now = clock_.Now();
  const TimeZone zone = clock_.Zone();
  // The window search costs more than the rest of the pass under Wine, so
  // it is made only in the pass that would run the item.
  if (IsDayItemDue(item, now, zone, previous_) && !api_.InteractiveProgramRunning())
    RunItem(item, ToLocalFields(now, zone));
}

void NightlatchService::RunItem(const DayItem& item, const LocalFields& at) {
  const std::u16string description = DayItemDescription(item);
  const ServiceAction action = ServiceActionFor(item.mode);
  uint32_t error = 0;
  if (action == ServiceAction::kNeedsDesktop || action == ServiceAction::kUnknown) {
    const std::u16string reason = NotRunReason(item.mode);
    if (!api_.AppendLog(DayItemLogEntry(at, reason + description), error))
      api_.ReportServiceEvent(EventType::kError, error,
                              api_.FormatSystemError(error, kLogAppendPrefix));
    api_.ReportServiceEvent(EventType::kError, 0, reason + description);
    return;
  }
  // The action runs even when its entry could not be written.
  if (!api_.AppendLog(DayItemLogEntry(at, description), error))
    api_.ReportServiceEvent(EventType::kError, error,
                            api_.FormatSystemError(error, kLogAppendPrefix));
  switch (action) {
    case ServiceAction::kShutdownMachine:
    case ServiceAction::kRestartMachine:
      // The privilege result is not checked: the call is made regardless.
      system_.EnableShutdownPrivilege();
      api_.ShutDownMachine(action == ServiceAction::kRestartMachine, kPlannedUpgradeReason);
      break;
    default:
      ExecuteAction(item.mode, u"", system_);
      break;
  }
}

}  // namespace nightlatch
