#include "prompts/prompt_sound.h"

#include <atomic>

#include "engine/text_format.h"

namespace nightlatch {

std::u16string NextSoundAlias(int64_t now) {
  static std::atomic<int32_t> serial{0};
  const auto seconds = static_cast<int32_t>(static_cast<uint32_t>(now));
  return FormatText(u"song%d_%d", {seconds, ++serial});
}

std::u16string ChosenSoundFile(int32_t soundFlag,
                               std::u16string_view soundFile,
                               std::u16string_view defaultFile) {
  if (soundFlag != 1)
    return {};
  return std::u16string(soundFile.empty() ? defaultFile : soundFile);
}

void PromptSound::Start(std::u16string_view shortPath, std::u16string alias) {
  Close();
  if (shortPath.empty() || alias.empty())
    return;
  alias_ = std::move(alias);
  // Quoted: on a volume without short names the path keeps its blanks.
  mci_->Send(FormatText(u"open \"%s\" alias %s", {shortPath, alias_}));
  Send(u"play %s");
}

void PromptSound::Stop() {
  Send(u"stop %s");
}

void PromptSound::Restart() {
  Send(u"seek %s to start");
  Send(u"play %s");
}

void PromptSound::Close() {
  Send(u"close %s");
  alias_.clear();
}

void PromptSound::Send(std::u16string_view pattern) {
  if (!alias_.empty())
    mci_->Send(FormatText(pattern, {alias_}));
}

}  // namespace nightlatch
