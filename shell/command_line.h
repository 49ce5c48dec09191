// Nightlatch's command line: the whole text, compared case-sensitively.
#pragma once

#include <string_view>

namespace nightlatch {

enum class StartCommand {
  kInstallService,     // "/install"
  kUninstallService,   // "/uninstall"
  kStartService,       // "/start"
  kRunService,         // "/service"
  kInteractive,        // empty
  kInteractiveHidden,  // "/min", used by the autostart entry
  kNothing,            // anything else: exit at once with 0
};

StartCommand ParseCommandLine(std::u16string_view commandLine);

}  // namespace nightlatch
