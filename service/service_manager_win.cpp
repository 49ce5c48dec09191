#include "service/service_manager_win.h"

#include <windows.h>

#include "platform/service_handles_win.h"
#include "platform/wide_string_win.h"
#include "service/file_security_win.h"
#include "shell/paths_win.h"

namespace nightlatch {
namespace {

static_assert(kOwnProcessInteractive == (SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS));
static_assert(kAutoStart == SERVICE_AUTO_START);
static_assert(kErrorNormal == SERVICE_ERROR_NORMAL);

DWORD AccessRights(ServiceAccess access) {
  return access == ServiceAccess::kAll ? SERVICE_ALL_ACCESS
                                       : SERVICE_QUERY_STATUS | SERVICE_STOP | DELETE;
}

class Win32ScmService final : public ScmService {
 public:
  explicit Win32ScmService(SC_HANDLE service) : service_(service) {}

  void SetDescription(std::u16string_view description) override {
    std::wstring text = ToWide(description);
    SERVICE_DESCRIPTIONW info{text.data()};
    ::ChangeServiceConfig2W(service_.get(), SERVICE_CONFIG_DESCRIPTION, &info);
  }
  bool Start(uint32_t& error) override {
    if (::StartServiceW(service_.get(), 0, nullptr))
      return true;
    error = ::GetLastError();
    return false;
  }
  bool IsRunning() override {
    SERVICE_STATUS status{};
    return ::QueryServiceStatus(service_.get(), &status) &&
           status.dwCurrentState == SERVICE_RUNNING;
  }
  bool Stop(uint32_t& error) override {
    SERVICE_STATUS status{};
    if (::ControlService(service_.get(), SERVICE_CONTROL_STOP, &status))
      return true;
    error = ::GetLastError();
    return false;
  }
  bool Delete(uint32_t& error) override {
    if (::DeleteService(service_.get()))
      return true;
    error = ::GetLastError();
    return false;
  }

 private:
  ScopedServiceHandle service_;
};

class Win32ScmManager final : public ScmManager {
 public:
  explicit Win32ScmManager(SC_HANDLE manager) : manager_(manager) {}

  std::unique_ptr<ScmService> Create(const ServiceRegistration& registration,
                                     uint32_t& error) override {
    const std::wstring name = ToWide(registration.name);
    const std::wstring displayName = ToWide(registration.displayName);
    const std::wstring commandLine = ToWide(registration.commandLine);
    // No group, tag or dependencies; no account: the local system.
    SC_HANDLE service =
        ::CreateServiceW(manager_.get(), name.c_str(), displayName.c_str(), SERVICE_ALL_ACCESS,
                         registration.type, registration.startType, registration.errorControl,
                         commandLine.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (!service) {
      error = ::GetLastError();
      return nullptr;
    }
    return std::make_unique<Win32ScmService>(service);
  }

  std::unique_ptr<ScmService> Open(std::u16string_view name,
                                   ServiceAccess access,
                                   uint32_t& error) override {
    const std::wstring serviceName = ToWide(name);
    SC_HANDLE service = ::OpenServiceW(manager_.get(), serviceName.c_str(), AccessRights(access));
    if (!service) {
      error = ::GetLastError();
      return nullptr;
    }
    return std::make_unique<Win32ScmService>(service);
  }

 private:
  ScopedServiceHandle manager_;
};

}  // namespace

void Win32ServiceManagerApi::ReportServiceEvent(EventType type,
                                                uint32_t eventId,
                                                std::u16string_view text) {
  nightlatch::ReportServiceEvent(type, eventId, text);
}

std::u16string Win32ServiceManagerApi::FormatSystemError(uint32_t code,
                                                         std::u16string_view prefix) {
  return nightlatch::FormatSystemError(code, prefix);
}

std::u16string Win32ServiceManagerApi::ExecutablePath(uint32_t& error) {
  std::u16string path = nightlatch::ExecutablePath();
  if (path.empty())
    error = ::GetLastError();
  return path;
}

bool Win32ServiceManagerApi::ReadSecurity(std::u16string_view path,
                                          ObjectSecurity& security,
                                          uint32_t& error) {
  return ReadFileSecurity(path, security, error);
}

std::unique_ptr<ScmManager> Win32ServiceManagerApi::OpenManager(uint32_t& error) {
  SC_HANDLE manager = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) {
    error = ::GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32ScmManager>(manager);
}

void Win32ServiceManagerApi::ShowMessageBox(std::u16string_view text, std::u16string_view caption) {
  const std::wstring message = ToWide(text);
  const std::wstring title = ToWide(caption);
  ::MessageBoxW(nullptr, message.c_str(), title.c_str(), MB_OK);
}

}  // namespace nightlatch
