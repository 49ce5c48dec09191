// The service process ("/service"): ServiceMain, the control handler and the
// worker loop that carries out the daily item. Decided here, portably; the
// service manager, the files and the wait go through ServiceProcessApi.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

#include "engine/trigger_rules.h"
#include "service/day_item.h"
#include "service/service_events.h"

namespace nightlatch {

class SystemCalls;
class SystemClock;

// SERVICE_STATUS with the numbers the service manager uses.
constexpr uint32_t kServiceStopped = 1;
constexpr uint32_t kServiceRunning = 4;
constexpr uint32_t kServicePaused = 7;
constexpr uint32_t kControlStop = 1;
constexpr uint32_t kControlPause = 2;
constexpr uint32_t kControlContinue = 3;
constexpr uint32_t kAcceptStop = 1;
constexpr uint32_t kOwnProcess = 0x10;

struct ServiceStatus {
  uint32_t serviceType = kOwnProcess;
  uint32_t currentState = kServiceStopped;
  uint32_t controlsAccepted = kAcceptStop;
  uint32_t win32ExitCode = 0;
  uint32_t serviceSpecificExitCode = 0;
  uint32_t checkPoint = 0;
  uint32_t waitHint = 0;

  friend bool operator==(const ServiceStatus&, const ServiceStatus&) = default;
};

class ServiceProcessApi : public ServiceEvents {
 public:
  // Registers the control handler under "NightlatchSrv".
  virtual bool RegisterControlHandler(uint32_t& error) = 0;
  virtual bool SetServiceStatus(const ServiceStatus& status, uint32_t& error) = 0;
  // The pause between passes; returns early once WakeWorker was called.
  virtual void Pause(uint32_t milliseconds) = 0;
  virtual void WakeWorker() = 0;

  // The interactive program's named object exists.
  virtual bool InteractiveProgramRunning() = 0;
  // Section DayItem of this account's config.ini as it is now.
  virtual DayItem ReadDayItem() = 0;
  // Appends the entry to helper.log; false with the error code on failure.
  virtual bool AppendLog(std::u16string_view entry, uint32_t& error) = 0;
  // InitiateSystemShutdownExW on this computer, at once, programs closed;
  // false with the error code when the system refused it.
  virtual bool ShutDownMachine(bool restart, uint32_t reason, uint32_t& error) = 0;

 protected:
  ~ServiceProcessApi() = default;
};

class NightlatchService {
 public:
  static constexpr uint32_t kPassPauseMs = 1000;

  NightlatchService(ServiceProcessApi& api, SystemClock& clock, SystemCalls& system)
      : api_(api), clock_(clock), system_(system) {}
  NightlatchService(const NightlatchService&) = delete;
  NightlatchService& operator=(const NightlatchService&) = delete;

  // ServiceMain: registers the handler, reports running (there is no start
  // pending phase) and runs the worker loop until the stop control.
  void Main();
  // The control handler; runs on the dispatcher's thread.
  void Control(uint32_t control);
  // One pass of the worker loop, without its pause.
  void WorkerPass();

  bool running() const { return running_; }
  const ServiceStatus& status() const { return status_; }

 private:
  void ReportStatus();
  void RunItem(const DayItem& item, const LocalFields& at);
  // helper.log, or the event log when the entry cannot be written.
  void AppendEntry(std::u16string_view entry);

  ServiceProcessApi& api_;
  SystemClock& clock_;
  SystemCalls& system_;
  // Written by the handler, only read by the loop. The status record is
  // written by Main before the first report and by the handler after it:
  // the manager sends no control before the first report.
  std::atomic<bool> running_{false};
  ServiceStatus status_;
  PreviousPass previous_;
  static constexpr int kPassesPerZoneRead = 60;
  int passesWithZone_ = 0;
};

}  // namespace nightlatch
