#include "service/service_process_win.h"

#include <windows.h>

#include <optional>

#include "engine/system_calls_win.h"
#include "engine/system_clock_win.h"
#include "platform/scoped_handle_win.h"
#include "platform/wide_string_win.h"
#include "service/service_log_win.h"
#include "service/service_process.h"
#include "service/service_texts.h"
#include "settings/settings_file_win.h"
#include "shell/instance_names.h"
#include "shell/paths_win.h"

namespace nightlatch {
namespace {

static_assert(kServiceStopped == SERVICE_STOPPED && kServiceRunning == SERVICE_RUNNING &&
              kServicePaused == SERVICE_PAUSED);
static_assert(kControlStop == SERVICE_CONTROL_STOP && kControlPause == SERVICE_CONTROL_PAUSE &&
              kControlContinue == SERVICE_CONTROL_CONTINUE);
static_assert(kAcceptStop == SERVICE_ACCEPT_STOP && kOwnProcess == SERVICE_WIN32_OWN_PROCESS);

// How long the dispatcher's thread waits, after the stop, for the loop to
// finish its pass (the loop wakes at once; a pass is short).
constexpr DWORD kLoopEndWaitMs = 5000;

DWORD WINAPI HandleControl(DWORD control, DWORD, void*, void* context) {
  static_cast<NightlatchService*>(context)->Control(control);
  return NO_ERROR;
}

class Win32ServiceProcessApi final : public ServiceProcessApi {
 public:
  Win32ServiceProcessApi()
      : wake_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        loopEnded_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

  void Attach(NightlatchService* service) { service_ = service; }
  HANDLE loopEnded() const { return loopEnded_.get(); }

  void ReportServiceEvent(EventType type, uint32_t eventId, std::u16string_view text) override {
    nightlatch::ReportServiceEvent(type, eventId, text);
  }
  std::u16string FormatSystemError(uint32_t code, std::u16string_view prefix) override {
    return nightlatch::FormatSystemError(code, prefix);
  }

  bool RegisterControlHandler(uint32_t& error) override {
    const std::wstring name = ToWide(kServiceName);
    statusHandle_ = ::RegisterServiceCtrlHandlerExW(name.c_str(), &HandleControl, service_);
    if (statusHandle_)
      return true;
    error = ::GetLastError();
    return false;
  }

  bool SetServiceStatus(const ServiceStatus& status, uint32_t& error) override {
    SERVICE_STATUS record{status.serviceType,
                          status.currentState,
                          status.controlsAccepted,
                          status.win32ExitCode,
                          status.serviceSpecificExitCode,
                          status.checkPoint,
                          status.waitHint};
    if (::SetServiceStatus(statusHandle_, &record))
      return true;
    error = ::GetLastError();
    return false;
  }

  void Pause(uint32_t milliseconds) override { ::WaitForSingleObject(wake_.get(), milliseconds); }
  void WakeWorker() override { ::SetEvent(wake_.get()); }

  // Only the named object: a service sees neither the user's windows (another
  // window station, on Windows another session) nor could it tell a window
  // of that title from a fake.
  bool InteractiveProgramRunning() override {
    ScopedHandle presence(::OpenMutexW(SYNCHRONIZE, FALSE, AsWide(kInteractivePresenceName)));
    // Another account's object may deny us access: it exists all the same.
    return presence.valid() || ::GetLastError() == ERROR_ACCESS_DENIED;
  }

  // The five keys are read again only when the file's time or size
  // changed: the platform's INI reader opens the file for every key, which
  // made that the most of a pass.
  DayItem ReadDayItem() override {
    if (configPath_.empty())
      configPath_ = AppDataPath(kDataFolder, kConfigFileName);
    // No data folder: no item, and the event log says why, once.
    if (configPath_.empty()) {
      if (!noDataFolderReported_)
        ReportServiceEvent(EventType::kError, ERROR_PATH_NOT_FOUND, kNoDataFolderText);
      noDataFolderReported_ = true;
      return DayItem{};
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileStamp stamp;
    if (::GetFileAttributesExW(AsWide(configPath_.c_str()), GetFileExInfoStandard, &data)) {
      stamp = FileStamp{true,
                        (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                            data.ftLastWriteTime.dwLowDateTime,
                        (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow};
    }
    if (!item_ || stamp != stamp_) {
      const SettingsFile config(configPath_);
      item_ = DayItem{config.Read(setting::kDayItemMode), config.Read(setting::kDayItemFrequency),
                      config.Read(setting::kDayItemHour), config.Read(setting::kDayItemMinute),
                      config.Read(setting::kDayItemSecond)};
      stamp_ = stamp;
    }
    return *item_;
  }

  bool AppendLog(std::u16string_view entry, uint32_t& error) override {
    const std::u16string path = AppDataPath(kDataFolder, kLogFileName);
    if (path.empty()) {
      error = ERROR_PATH_NOT_FOUND;
      return false;
    }
    // Appending only: what is in the file already is never touched.
    ScopedHandle file(::CreateFileW(AsWide(path.c_str()), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !::GetFileSizeEx(file.get(), &size)) {
      error = ::GetLastError();
      return false;
    }
    const std::string bytes = LogFileBytes(entry, size.QuadPart == 0);
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
        written != bytes.size()) {
      error = ::GetLastError();
      return false;
    }
    return true;
  }

  bool ShutDownMachine(bool restart, uint32_t reason, uint32_t& error) override {
    if (::InitiateSystemShutdownExW(nullptr, nullptr, 0, TRUE, restart, reason))
      return true;
    error = ::GetLastError();
    return false;
  }

 private:
  bool noDataFolderReported_ = false;
  ScopedHandle wake_;
  ScopedHandle loopEnded_;
  NightlatchService* service_ = nullptr;
  SERVICE_STATUS_HANDLE statusHandle_ = nullptr;  // not closed: the manager owns it

  struct FileStamp {
    bool exists = false;
    uint64_t written = 0;
    uint64_t size = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
  };
  std::u16string configPath_;  // the account's data folder does not move
  FileStamp stamp_;
  std::optional<DayItem> item_;
};

// ServiceMain has no context parameter: the one service of the process is
// found here, set before the dispatcher starts and cleared after it.
struct ServiceProcess {
  Win32ServiceProcessApi* api = nullptr;
  NightlatchService* service = nullptr;
};
ServiceProcess g_process;

void WINAPI ServiceMain(DWORD, LPWSTR*) {
  g_process.service->Main();
  ::SetEvent(g_process.api->loopEnded());
}

}  // namespace

void RunServiceDispatcher() {
  Win32ServiceProcessApi api;
  Win32SystemClock clock;
  Win32SystemCalls system;
  NightlatchService service(api, clock, system);
  api.Attach(&service);
  g_process = ServiceProcess{&api, &service};

  std::wstring name = ToWide(kServiceName);
  SERVICE_TABLE_ENTRYW table[] = {{name.data(), &ServiceMain}, {nullptr, nullptr}};
  if (::StartServiceCtrlDispatcherW(table)) {
    ::WaitForSingleObject(api.loopEnded(), kLoopEndWaitMs);
  } else {
    const DWORD error = ::GetLastError();
    ReportServiceEvent(EventType::kError, error, FormatSystemError(error, u""));
  }
  g_process = ServiceProcess{};
}

}  // namespace nightlatch
