// Stands in for the system in the action tests: nothing is shut down, locked
// or opened; every call is written down, in order, with its arguments.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
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
    calls_.push_back("EnableShutdownPrivilege()");
    return privilegeGranted_;
  }
  void EndSession(uint32_t flags, uint32_t reason) override {
    calls_.push_back("EndSession(flags=" + Hex(flags) + ", reason=" + Hex(reason) + ")");
  }
  void LockWorkStation() override { calls_.push_back("LockWorkStation()"); }
  void SetSystemPowerState(bool suspend, bool force) override {
    calls_.push_back(std::string("SetSystemPowerState(suspend=") + Bool(suspend) +
                     ", force=" + Bool(force) + ")");
  }
  void Sleep(uint32_t milliseconds) override {
    calls_.push_back("Sleep(" + std::to_string(milliseconds) + ")");
  }
  void BroadcastMonitorPower(int32_t state) override {
    calls_.push_back("BroadcastMonitorPower(" + std::to_string(state) + ")");
  }
  void ShellOpen(std::u16string_view file) override {
    calls_.push_back("ShellOpen(" + ToUtf8(file) + ")");
    openedFiles_.emplace_back(file);
  }

  const std::vector<std::string>& calls() const { return calls_; }
  // The exact units handed to the shell, for checks the UTF-8 log could blur.
  const std::vector<std::u16string>& openedFiles() const { return openedFiles_; }

 private:
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
