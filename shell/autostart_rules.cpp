#include "shell/autostart_rules.h"

#include "engine/text_format.h"

namespace nightlatch {
namespace {

char16_t Folded(char16_t unit) {
  return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

}  // namespace

std::u16string AutostartCommand(std::u16string_view program) {
  return FormatText(u"\"%s\" /min", {program});
}

bool AutostartNamesProgram(std::u16string_view runValue, std::u16string_view program) {
  const std::u16string quoted = u"\"" + std::u16string(program) + u"\"";
  if (program.empty() || runValue.size() < quoted.size())
    return false;
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    if (Folded(runValue[i]) != Folded(quoted[i]))
      return false;
  }
  return true;
}

bool StartupApprovedDisables(std::span<const uint8_t> approved) {
  return !approved.empty() && (approved[0] & 1) != 0;
}

}  // namespace nightlatch
