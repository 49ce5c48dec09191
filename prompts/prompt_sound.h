// The sound every prompt plays, through the Media Control Interface's string
// commands. The commands go through MciCommands, so tests can read them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nightlatch {

class MciCommands {
 public:
  // Sent without a return buffer or a notification window; the result is
  // not examined.
  virtual void Send(std::u16string_view command) = 0;

 protected:
  ~MciCommands() = default;
};

// "song<seconds>_<serial>": the low 32 bits of the moment as a signed
// number, and a counter of this process, so two prompts that open in the
// same second never share a device.
std::u16string NextSoundAlias(int64_t now);

// The file a prompt plays: none unless the flag is exactly 1; the default
// file when no file is set.
std::u16string ChosenSoundFile(int32_t soundFlag,
                               std::u16string_view soundFile,
                               std::u16string_view defaultFile);

// Owns one opened MCI alias; the device is closed at the latest when the
// owner goes. Without an alias every command is left out.
class PromptSound {
 public:
  explicit PromptSound(MciCommands& mci) : mci_(&mci) {}
  PromptSound(const PromptSound&) = delete;
  PromptSound& operator=(const PromptSound&) = delete;
  ~PromptSound() { Close(); }

  // Opens `shortPath` under `alias` and plays it once, to its end.
  void Start(std::u16string_view shortPath, std::u16string alias);
  void Stop();
  // From the beginning.
  void Restart();
  void Close();

  const std::u16string& alias() const { return alias_; }

 private:
  void Send(std::u16string_view pattern);

  MciCommands* mci_;
  std::u16string alias_;
};

}  // namespace nightlatch
