// "/install", "/uninstall" and "/start": the service's registration with the
// Service Control Manager. The order of the calls and what each failure
// shows are decided here; the calls go through ServiceManagerApi.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "service/install_safety.h"
#include "service/service_events.h"

namespace nightlatch {

// The registration's numbers as the service manager knows them.
constexpr uint32_t kOwnProcessInteractive = 0x110;  // OWN_PROCESS | INTERACTIVE_PROCESS
constexpr uint32_t kAutoStart = 2;                  // SERVICE_AUTO_START
constexpr uint32_t kErrorNormal = 1;                // SERVICE_ERROR_NORMAL

struct ServiceRegistration {
  std::u16string_view name;
  std::u16string_view displayName;
  std::u16string commandLine;
  uint32_t type = kOwnProcessInteractive;
  uint32_t startType = kAutoStart;
  uint32_t errorControl = kErrorNormal;
  // The local system account: no account name and no password; no group,
  // no dependencies.
};

ServiceRegistration NightlatchRegistration(std::u16string_view executablePath);

enum class ServiceAccess {
  kAll,                 // SERVICE_ALL_ACCESS
  kQueryStopAndDelete,  // SERVICE_QUERY_STATUS | SERVICE_STOP | DELETE
};

// An open service; closed when destroyed. A failing call stores the error
// code it left in `error`.
class ScmService {
 public:
  virtual ~ScmService() = default;
  // The result is not checked.
  virtual void SetDescription(std::u16string_view description) = 0;
  virtual bool Start(uint32_t& error) = 0;
  // SERVICE_RUNNING; false also when the status cannot be queried.
  virtual bool IsRunning() = 0;
  virtual bool Stop(uint32_t& error) = 0;
  virtual bool Delete(uint32_t& error) = 0;
};

// The open Service Control Manager of the local computer; closed when
// destroyed.
class ScmManager {
 public:
  virtual ~ScmManager() = default;
  // Null on failure.
  virtual std::unique_ptr<ScmService> Create(const ServiceRegistration& registration,
                                             uint32_t& error) = 0;
  virtual std::unique_ptr<ScmService> Open(std::u16string_view name,
                                           ServiceAccess access,
                                           uint32_t& error) = 0;
};

class ServiceManagerApi : public ServiceEvents {
 public:
  // Empty on failure.
  virtual std::u16string ExecutablePath(uint32_t& error) = 0;
  // The access list of a file or folder; false when it cannot be read.
  virtual bool ReadSecurity(std::u16string_view path,
                            ObjectSecurity& security,
                            uint32_t& error) = 0;
  // With all access; null on failure.
  virtual std::unique_ptr<ScmManager> OpenManager(uint32_t& error) = 0;
  // The platform's message box: no owner, OK only.
  virtual void ShowMessageBox(std::u16string_view text, std::u16string_view caption) = 0;

 protected:
  ~ServiceManagerApi() = default;
};

// Registers the service and sets its description; says so in a message box.
// A program that others than the system's accounts can replace, or whose
// folder they can write to, is refused before anything is registered.
void InstallService(ServiceManagerApi& api);
// Stops the service when it runs, then deletes it; says so in a message box.
void UninstallService(ServiceManagerApi& api);
// Starts the installed service; failures go to the service log only.
bool StartInstalledService(ServiceManagerApi& api);

}  // namespace nightlatch
