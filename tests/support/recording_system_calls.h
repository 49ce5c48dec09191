// Stands in for the system in the action tests: nothing is shut down, locked
// or opened; every call is written down, in order, with its arguments.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/actions.h"
#include "support/printable_text.h"

namespace nightlatch::testing {

class RecordingSystemCalls final : public SystemCalls {
 public:
  // What EnableShutdownPrivilege reports; the callers must not care.
  explicit RecordingSystemCalls(bool privilegeGranted = true)
      : privilegeGranted_(privilegeGranted) {}

  bool EnableShutdownPrivilege() override {
    Record("EnableShutdownPrivilege()");
    return privilegeGranted_;
  }
  void EndSession(uint32_t flags, uint32_t reason) override {
    Record("EndSession(flags=" + Hex(flags) + ", reason=" + Hex(reason) + ")");
  }
  void LockWorkStation() override { Record("LockWorkStation()"); }
  void SetSystemPowerState(bool suspend, bool force) override {
    Record(std::string("SetSystemPowerState(suspend=") + Bool(suspend) + ", force=" + Bool(force) +
           ")");
  }
  void Sleep(uint32_t milliseconds) override {
    Record("Sleep(" + std::to_string(milliseconds) + ")");
  }
  void BroadcastMonitorPower(int32_t state) override {
    Record("BroadcastMonitorPower(" + std::to_string(state) + ")");
  }
  void ShellOpen(std::u16string_view file) override {
    Record("ShellOpen(" + ToUtf8(file) + ")");
    openedFiles_.emplace_back(file);
  }

  const std::vector<std::string>& calls() const { return calls_; }
  // Run at each call, for a test that looks at the world as the action sees it.
  std::function<void()> onCall;
  // The exact units handed to the shell, for checks the UTF-8 log could blur.
  const std::vector<std::u16string>& openedFiles() const { return openedFiles_; }

 private:
  void Record(std::string call) {
    calls_.push_back(std::move(call));
    if (onCall)
      onCall();
  }
  static std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
  }
  static const char* Bool(bool value) { return value ? "true" : "false"; }

  bool privilegeGranted_;
  std::vector<std::string> calls_;
  std::vector<std::u16string> openedFiles_;
};

}  // namespace nightlatch::testing
