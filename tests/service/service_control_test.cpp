#include "service/service_control.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "service/service_texts.h"
#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::ToUtf8;
using Calls = std::vector<std::string>;

// What the system does in one case: a zero error means the call succeeds.
struct Scenario {
  uint32_t pathError = 0;
  uint32_t managerError = 0;
  uint32_t createError = 0;
  uint32_t openError = 0;
  uint32_t startError = 0;
  bool running = false;
  uint32_t stopError = 0;
  uint32_t deleteError = 0;
  ObjectSecurity folderSecurity{};
  ObjectSecurity fileSecurity{};
  uint32_t securityError = 0;
};

// Stands in for the service manager: every call, in order, with its
// arguments; the error texts are "<prefix> error N" as the real ones are
// "<prefix> <system text>".
class FakeServiceManager final : public ServiceManagerApi {
 public:
  explicit FakeServiceManager(Scenario scenario) : scenario_(scenario) {}

  void ReportServiceEvent(EventType type, uint32_t eventId, std::u16string_view text) override {
    Log("ReportEvent(" + std::to_string(static_cast<int>(type)) + ", " + std::to_string(eventId) +
        ", " + ToUtf8(text) + ")");
  }
  std::u16string FormatSystemError(uint32_t code, std::u16string_view prefix) override {
    const std::string number = std::to_string(code);
    return ComposeSystemError(prefix, u"error " + std::u16string(number.begin(), number.end()));
  }
  std::u16string ExecutablePath(uint32_t& error) override {
    Log("ExecutablePath");
    error = scenario_.pathError;
    return error ? u"" : u"C:\\Program Files\\Nightlatch\\Nightlatch.exe";
  }
  bool ReadSecurity(std::u16string_view path, ObjectSecurity& security, uint32_t& error) override {
    Log("ReadSecurity(" + ToUtf8(path) + ")");
    error = scenario_.securityError;
    security = path.ends_with(u".exe") ? scenario_.fileSecurity : scenario_.folderSecurity;
    return error == 0;
  }
  std::unique_ptr<ScmManager> OpenManager(uint32_t& error) override;
  void ShowMessageBox(std::u16string_view text, std::u16string_view caption) override {
    Log("MessageBox(" + ToUtf8(text) + " | " + ToUtf8(caption) + ")");
  }

  void Log(std::string call) { calls.push_back(std::move(call)); }

  Scenario scenario_;
  Calls calls;
};

class FakeService final : public ScmService {
 public:
  explicit FakeService(FakeServiceManager& system) : system_(system) {}
  ~FakeService() override { system_.Log("CloseServiceHandle(service)"); }

  void SetDescription(std::u16string_view description) override {
    system_.Log("ChangeServiceConfig2(" + ToUtf8(description) + ")");
  }
  bool Start(uint32_t& error) override {
    return Call("StartService", system_.scenario_.startError, error);
  }
  bool IsRunning() override {
    system_.Log("QueryServiceStatus");
    return system_.scenario_.running;
  }
  bool Stop(uint32_t& error) override {
    return Call("ControlService(stop)", system_.scenario_.stopError, error);
  }
  bool Delete(uint32_t& error) override {
    return Call("DeleteService", system_.scenario_.deleteError, error);
  }

 private:
  bool Call(const char* name, uint32_t fails, uint32_t& error) {
    system_.Log(name);
    error = fails;
    return fails == 0;
  }

  FakeServiceManager& system_;
};

class FakeManager final : public ScmManager {
 public:
  explicit FakeManager(FakeServiceManager& system) : system_(system) {}
  ~FakeManager() override { system_.Log("CloseServiceHandle(manager)"); }

  std::unique_ptr<ScmService> Create(const ServiceRegistration& r, uint32_t& error) override {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "type=0x%X, start=%u, error=%u", r.type, r.startType,
                  r.errorControl);
    system_.Log("CreateService(" + ToUtf8(r.name) + ", " + ToUtf8(r.displayName) + ", " +
                ToUtf8(r.commandLine) + ", " + numbers + ")");
    return Opened(system_.scenario_.createError, error);
  }
  std::unique_ptr<ScmService> Open(std::u16string_view name,
                                   ServiceAccess access,
                                   uint32_t& error) override {
    system_.Log("OpenService(" + ToUtf8(name) + ", " +
                (access == ServiceAccess::kAll ? "all" : "query|stop|delete") + ")");
    return Opened(system_.scenario_.openError, error);
  }

 private:
  std::unique_ptr<ScmService> Opened(uint32_t fails, uint32_t& error) {
    error = fails;
    return fails ? nullptr : std::make_unique<FakeService>(system_);
  }

  FakeServiceManager& system_;
};

std::unique_ptr<ScmManager> FakeServiceManager::OpenManager(uint32_t& error) {
  Log("OpenSCManager");
  error = scenario_.managerError;
  return error ? nullptr : std::make_unique<FakeManager>(*this);
}

struct ControlCase {
  const char* name;
  Scenario scenario;
  Calls expected;
};

const char kCreate[] =
    "CreateService(NightlatchSrv, NightlatchSrv, \"C:\\Program Files\\Nightlatch\\Nightlatch.exe\" "
    "/service, type=0x110, start=2, error=1)";

const char kReadFolder[] = "ReadSecurity(C:\\Program Files\\Nightlatch)";
const char kReadFile[] = "ReadSecurity(C:\\Program Files\\Nightlatch\\Nightlatch.exe)";

ObjectSecurity UsersMayWrite() {
  return ObjectSecurity{false, {{u"S-1-5-18", 0x1F01FF}, {u"S-1-5-32-545", 0x1301BF}}};
}

TEST(InstallServiceTest, MakesTheCallsAndShowsTheOutcome) {
  const ControlCase cases[] = {
      {"installed",
       {},
       {"ExecutablePath", kReadFolder, kReadFile, "OpenSCManager", kCreate,
        "ChangeServiceConfig2(提供定时任务服务。如定时关机，重启，锁屏，注销等)",
        "CloseServiceHandle(service)", "CloseServiceHandle(manager)",
        "MessageBox(服务安装成功 | 服务安装成功)"}},
      {"no executable path",
       {.pathError = 122},
       {"ExecutablePath", "MessageBox(安装服务失败。  error 122 | 服务安装失败)"}},
      {"no service manager",
       {.managerError = 5},
       {"ExecutablePath", kReadFolder, kReadFile, "OpenSCManager",
        "MessageBox(OpenSCManager 失败。  error 5 | 服务安装失败)"}},
      {"installed already: the box, then the manager closes",
       {.createError = 1073},
       {"ExecutablePath", kReadFolder, kReadFile, "OpenSCManager", kCreate,
        "MessageBox(CreateService 失败。  error 1073 | 服务安装失败)",
        "CloseServiceHandle(manager)"}},
      // A folder or a program others may change would run their code as
      // SYSTEM: refused before the service manager is asked.
      {"users may write the folder",
       {.folderSecurity = UsersMayWrite()},
       {"ExecutablePath", kReadFolder,
        "MessageBox(程序必须为所有用户安装在只有管理员才能修改的文件夹中（例如 Program "
        "Files），才能安装为服务。\n其他用户可以修改：C:\\Program Files\\Nightlatch | "
        "服务安装失败)"}},
      {"users may replace the program",
       {.fileSecurity = UsersMayWrite()},
       {"ExecutablePath", kReadFolder, kReadFile,
        "MessageBox(程序必须为所有用户安装在只有管理员才能修改的文件夹中（例如 Program "
        "Files），才能安装为服务。\n其他用户可以修改：C:\\Program "
        "Files\\Nightlatch\\Nightlatch.exe | 服务安装失败)"}},
      {"the access list cannot be read",
       {.securityError = 5},
       {"ExecutablePath", kReadFolder,
        "MessageBox(GetNamedSecurityInfo 失败。  error 5 | 服务安装失败)"}},
  };
  for (const ControlCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeServiceManager system(c.scenario);
    InstallService(system);
    EXPECT_EQ(system.calls, c.expected);
  }
}

TEST(UninstallServiceTest, StopsWhenRunningThenDeletes) {
  const char* open = "OpenService(NightlatchSrv, query|stop|delete)";
  const ControlCase cases[] = {
      {"stopped service",
       {},
       {"OpenSCManager", open, "QueryServiceStatus", "DeleteService",
        "MessageBox(服务卸载成功  | 服务卸载成功)", "CloseServiceHandle(service)",
        "CloseServiceHandle(manager)"}},
      {"running service is stopped first",
       {.running = true},
       {"OpenSCManager", open, "QueryServiceStatus", "ControlService(stop)", "DeleteService",
        "MessageBox(服务卸载成功  | 服务卸载成功)", "CloseServiceHandle(service)",
        "CloseServiceHandle(manager)"}},
      {"stop refused: nothing deleted",
       {.running = true, .stopError = 1061},
       {"OpenSCManager", open, "QueryServiceStatus", "ControlService(stop)",
        "MessageBox(ControlService 失败。  error 1061 | 服务卸载失败)",
        "CloseServiceHandle(service)", "CloseServiceHandle(manager)"}},
      {"delete fails: an event and a box",
       {.deleteError = 1072},
       {"OpenSCManager", open, "QueryServiceStatus", "DeleteService",
        "ReportEvent(1, 1072,  error 1072)",
        "MessageBox(服务卸载失败。  error 1072 | 服务卸载失败)", "CloseServiceHandle(service)",
        "CloseServiceHandle(manager)"}},
      {"not installed: the manager closes, then the box",
       {.openError = 1060},
       {"OpenSCManager", open, "CloseServiceHandle(manager)",
        "MessageBox(OpenService 失败。  error 1060 | 服务卸载失败)"}},
      {"no service manager",
       {.managerError = 5},
       {"OpenSCManager", "MessageBox(OpenSCManager 失败。  error 5 | 服务卸载失败)"}},
  };
  for (const ControlCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeServiceManager system(c.scenario);
    UninstallService(system);
    EXPECT_EQ(system.calls, c.expected);
  }
}

TEST(StartInstalledServiceTest, ReportsToTheServiceLogOnly) {
  const char* open = "OpenService(NightlatchSrv, all)";
  const struct {
    ControlCase c;
    bool started;
  } cases[] = {
      {{"started",
        {},
        {"OpenSCManager", open, "StartService", "ReportEvent(4, 0, Service Started)",
         "CloseServiceHandle(service)", "CloseServiceHandle(manager)"}},
       true},
      {{"no service manager: the bare system text",
        {.managerError = 5},
        {"OpenSCManager", "ReportEvent(1, 5,  error 5)"}},
       false},
      // The start's prefixes end in an ideographic space.
      {{"not installed",
        {.openError = 1060},
        {"OpenSCManager", open, "ReportEvent(1, 1060, OpenService 失败\u3000 error 1060)",
         "CloseServiceHandle(manager)"}},
       false},
      {{"running already",
        {.startError = 1056},
        {"OpenSCManager", open, "StartService",
         "ReportEvent(1, 1056, StartService 失败\u3000 error 1056)", "CloseServiceHandle(service)",
         "CloseServiceHandle(manager)"}},
       false},
  };
  for (const auto& [c, started] : cases) {
    SCOPED_TRACE(c.name);
    FakeServiceManager system(c.scenario);
    EXPECT_EQ(StartInstalledService(system), started);
    EXPECT_EQ(system.calls, c.expected);
  }
}

}  // namespace
}  // namespace nightlatch
