#include "shell/command_line.h"

namespace nightlatch {

StartCommand ParseCommandLine(std::u16string_view commandLine) {
  if (commandLine.empty())
    return StartCommand::kInteractive;
  if (commandLine == u"/min")
    return StartCommand::kInteractiveHidden;
  if (commandLine == u"/install")
    return StartCommand::kInstallService;
  if (commandLine == u"/uninstall")
    return StartCommand::kUninstallService;
  if (commandLine == u"/start")
    return StartCommand::kStartService;
  if (commandLine == u"/service")
    return StartCommand::kRunService;
  return StartCommand::kNothing;
}

}  // namespace nightlatch
