// The Service Control Manager and the message box behind "/install",
// "/uninstall" and "/start".
#pragma once

#include "service/service_control.h"
#include "service/service_log_win.h"

namespace nightlatch {

class Win32ServiceManagerApi final : public ServiceManagerApi {
 public:
  void ReportServiceEvent(EventType type, uint32_t eventId, std::u16string_view text) override;
  std::u16string FormatSystemError(uint32_t code, std::u16string_view prefix) override;
  std::u16string ExecutablePath(uint32_t& error) override;
  bool ReadSecurity(std::u16string_view path, ObjectSecurity& security, uint32_t& error) override;
  std::unique_ptr<ScmManager> OpenManager(uint32_t& error) override;
  void ShowMessageBox(std::u16string_view text, std::u16string_view caption) override;
};

}  // namespace nightlatch
