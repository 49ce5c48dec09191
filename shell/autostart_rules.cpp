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

// The value starts with the program's path in quotes, letter case aside.
bool AutostartNamesProgram(std::u16string_view runValue, std::u16string_view program) {
  if (program.empty() || runValue.size() < program.size() + 2 || runValue.front() != u'"' ||
      runValue[program.size() + 1] != u'"')
    return false;
  for (std::size_t i = 0; i < program.size(); ++i) {
    if (Folded(runValue[i + 1]) != Folded(program[i]))
      return false;
  }
  return true;
}

bool StartupApprovedDisables(std::span<const uint8_t> approved) {
  return !approved.empty() && (approved[0] & 1) != 0;
}

}  // namespace nightlatch
