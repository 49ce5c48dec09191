// The prompts' sound on the real system: mciSendStringW, and the short form
// of a path (MCI's string commands take no blanks in a file name).
#pragma once

#include <string>
#include <string_view>

#include "prompts/prompt_sound.h"

namespace nightlatch {

// The process's one sender of MCI commands.
MciCommands& SystemMciCommands();

// GetShortPathNameW; empty when it fails, for instance for a missing file.
std::u16string ShortPathOf(std::u16string_view path);

}  // namespace nightlatch
