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

void NightlatchService::AppendEntry(std::u16string_view entry) {
  uint32_t error = 0;
  if (!api_.AppendLog(entry, error))
    api_.ReportServiceEvent(EventType::kError, error,
                            api_.FormatSystemError(error, kLogAppendPrefix));
}

void NightlatchService::RunItem(const DayItem& item, const LocalFields& at) {
  const std::u16string description = DayItemDescription(item);
  const ServiceAction action = ServiceActionFor(item.mode);
  uint32_t error = 0;
  if (action == ServiceAction::kNeedsDesktop || action == ServiceAction::kUnknown) {
    const std::u16string reason = NotRunReason(item.mode);
    AppendEntry(DayItemLogEntry(at, reason + description));
    api_.ReportServiceEvent(EventType::kError, 0, reason + description);
    return;
  }
  if (action == ServiceAction::kShutdownMachine || action == ServiceAction::kRestartMachine) {
    // The privilege result is not checked: the call is made regardless. The
    // entry says afterwards whether the system took the request.
    system_.EnableShutdownPrivilege();
    std::u16string body = description;
    if (!api_.ShutDownMachine(action == ServiceAction::kRestartMachine, kPlannedUpgradeReason,
                              error)) {
      const std::u16string failure = api_.FormatSystemError(error, kShutdownFailedPrefix);
      api_.ReportServiceEvent(EventType::kError, error, failure);
      body = failure + u"\r\n" + description;
    }
    AppendEntry(DayItemLogEntry(at, body));
    return;
  }
  // The action runs even when its entry could not be written.
  AppendEntry(DayItemLogEntry(at, description));
  ExecuteAction(item.mode, u"", system_);
}

}  // namespace nightlatch
