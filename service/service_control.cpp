#include "service/service_control.h"

#include "service/service_texts.h"

namespace nightlatch {
namespace {

void ShowFailure(ServiceManagerApi& api,
                 uint32_t error,
                 std::u16string_view prefix,
                 std::u16string_view caption) {
  api.ShowMessageBox(api.FormatSystemError(error, prefix), caption);
}

void ReportFailure(ServiceManagerApi& api, uint32_t error, std::u16string_view prefix) {
  api.ReportServiceEvent(EventType::kError, error, api.FormatSystemError(error, prefix));
}

}  // namespace

ServiceRegistration NightlatchRegistration(std::u16string_view executablePath) {
  return ServiceRegistration{kServiceName, kServiceName, ServiceCommandLine(executablePath)};
}

void InstallService(ServiceManagerApi& api) {
  uint32_t error = 0;
  const std::u16string path = api.ExecutablePath(error);
  if (path.empty())
    return ShowFailure(api, error, kNoPathPrefix, kInstallFailedCaption);
  const std::size_t lastSeparator = path.find_last_of(u'\\');
  const std::u16string folder =
      lastSeparator == std::u16string::npos ? path : path.substr(0, lastSeparator);
  for (const std::u16string& target : {folder, path}) {
    ObjectSecurity security;
    if (!api.ReadSecurity(target, security, error))
      return ShowFailure(api, error, kReadSecurityPrefix, kInstallFailedCaption);
    if (!TrusteeWhoCanChange(security).empty())
      return api.ShowMessageBox(UnsafeInstallText(target), kInstallFailedCaption);
  }
  std::unique_ptr<ScmManager> manager = api.OpenManager(error);
  if (!manager)
    return ShowFailure(api, error, kOpenManagerPrefix, kInstallFailedCaption);
  std::unique_ptr<ScmService> service = manager->Create(NightlatchRegistration(path), error);
  if (!service)
    return ShowFailure(api, error, kCreateServicePrefix, kInstallFailedCaption);
  service->SetDescription(kServiceDescription);
  service.reset();
  manager.reset();
  api.ShowMessageBox(kInstalledText, kInstalledText);
}

void UninstallService(ServiceManagerApi& api) {
  uint32_t error = 0;
  std::unique_ptr<ScmManager> manager = api.OpenManager(error);
  if (!manager)
    return ShowFailure(api, error, kOpenManagerPrefix, kUninstallFailedCaption);
  std::unique_ptr<ScmService> service =
      manager->Open(kServiceName, ServiceAccess::kQueryStopAndDelete, error);
  if (!service) {
    manager.reset();
    return ShowFailure(api, error, kOpenServicePrefix, kUninstallFailedCaption);
  }
  if (service->IsRunning() && !service->Stop(error))
    return ShowFailure(api, error, kControlServicePrefix, kUninstallFailedCaption);
  if (service->Delete(error)) {
    api.ShowMessageBox(kUninstalledText, kUninstalledCaption);
    return;
  }
  ReportFailure(api, error, u"");
  ShowFailure(api, error, kDeleteServicePrefix, kUninstallFailedCaption);
}

bool StartInstalledService(ServiceManagerApi& api) {
  uint32_t error = 0;
  std::unique_ptr<ScmManager> manager = api.OpenManager(error);
  if (!manager) {
    ReportFailure(api, error, u"");
    return false;
  }
  std::unique_ptr<ScmService> service = manager->Open(kServiceName, ServiceAccess::kAll, error);
  if (!service) {
    ReportFailure(api, error, kStartOpenServicePrefix);
    return false;
  }
  if (!service->Start(error)) {
    ReportFailure(api, error, kStartServicePrefix);
    return false;
  }
  api.ReportServiceEvent(EventType::kInformation, 0, kServiceStartedEvent);
  return true;
}

}  // namespace nightlatch
