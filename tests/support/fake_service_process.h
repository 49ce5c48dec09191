// The service manager, the files and the wait of the service process, as a
// test sees them: every call in order. The control handler is called by the
// test itself.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "service/service_process.h"
#include "service/service_texts.h"
#include "support/printable_text.h"

namespace nightlatch::testing {

using ServiceCalls = std::vector<std::string>;

inline std::string CallNumber(uint32_t value) {
  return std::to_string(value);
}

class FakeServiceProcess final : public ServiceProcessApi {
 public:
  void ReportServiceEvent(EventType type, uint32_t eventId, std::u16string_view text) override {
    calls.push_back("ReportEvent(" + CallNumber(static_cast<uint32_t>(type)) + ", " +
                    CallNumber(eventId) + ", " + ToUtf8(text) + ")");
  }
  std::u16string FormatSystemError(uint32_t code, std::u16string_view prefix) override {
    const std::string number = CallNumber(code);
    return ComposeSystemError(prefix, u"error " + std::u16string(number.begin(), number.end()));
  }
  bool RegisterControlHandler(uint32_t& error) override {
    calls.push_back("RegisterControlHandler");
    error = registerError;
    return error == 0;
  }
  bool SetServiceStatus(const ServiceStatus& s, uint32_t& error) override {
    char text[96];
    std::snprintf(text, sizeof text, "SetServiceStatus(%u, %u, %u, %u, %u, %u, %u)", s.serviceType,
                  s.currentState, s.controlsAccepted, s.win32ExitCode, s.serviceSpecificExitCode,
                  s.checkPoint, s.waitHint);
    calls.push_back(text);
    error = statusError;
    return error == 0;
  }
  void Pause(uint32_t milliseconds) override {
    calls.push_back("Pause(" + CallNumber(milliseconds) + ")");
    if (onPause)
      onPause();
  }
  void WakeWorker() override { calls.push_back("WakeWorker"); }
  bool InteractiveProgramRunning() override { return interactive; }
  DayItem ReadDayItem() override {
    calls.push_back("ReadDayItem");
    return item;
  }
  bool AppendLog(std::u16string_view entry, uint32_t& error) override {
    calls.push_back("AppendLog(" + ToUtf8(entry) + ")");
    error = appendError;
    return error == 0;
  }
  bool ShutDownMachine(bool restart, uint32_t reason, uint32_t& error) override {
    char text[64];
    std::snprintf(text, sizeof text, "ShutDownMachine(restart=%s, reason=0x%X)",
                  restart ? "true" : "false", reason);
    calls.push_back(text);
    error = shutdownError;
    return error == 0;
  }

  uint32_t registerError = 0;
  uint32_t statusError = 0;
  uint32_t appendError = 0;
  uint32_t shutdownError = 0;
  bool interactive = false;
  DayItem item;
  std::function<void()> onPause;
  ServiceCalls calls;
};

}  // namespace nightlatch::testing
