// Stands in for MCI: the prompts' sound commands are written down, in order,
// and nothing is played.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "prompts/prompt_sound.h"
#include "support/printable_text.h"

namespace nightlatch::testing {

class RecordingMci final : public MciCommands {
 public:
  void Send(std::u16string_view command) override {
    commands_.push_back(ToUtf8(command));
    if (onSend)
      onSend(commands_.back());
  }

  const std::vector<std::string>& commands() const { return commands_; }
  void Clear() { commands_.clear(); }

  // Runs inside each command, as a slow device would take its time.
  std::function<void(const std::string& command)> onSend;

 private:
  std::vector<std::string> commands_;
};

}  // namespace nightlatch::testing
