// When the autostart entry really starts this program: its Run value names
// this very program, and Windows has not switched the entry off (the
// Task Manager marks that in a StartupApproved value).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nightlatch {

// "\"<program>\" /min", the Run value the program writes.
std::u16string AutostartCommand(std::u16string_view program);

// The Run value starts `program` (paths compare without regard to case); a
// copy moved elsewhere leaves a value that starts nothing.
bool AutostartNamesProgram(std::u16string_view runValue, std::u16string_view program);

// A StartupApproved value whose first byte is odd marks the entry disabled;
// no value, or an empty one, leaves it enabled.
bool StartupApprovedDisables(std::span<const uint8_t> approved);

}  // namespace nightlatch
