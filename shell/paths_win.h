// Where the program's files are: per-user data in the roaming application
// data folder, read-only resources beside the executable.
#pragma once

#include <string>
#include <string_view>

namespace nightlatch {

constexpr std::u16string_view kDataFolder = u"Nightlatch";

// "<appdata>\<folder>\<file>"; the folder is created when missing. An empty
// folder gives a file directly in the application data folder, an empty
// file the folder itself. Empty when the system cannot say where the
// application data folder is.
std::u16string AppDataPath(std::u16string_view folder, std::u16string_view file);

std::u16string ExecutablePath();

// The folder of the running executable (with its last backslash) + name.
std::u16string ModulePath(std::u16string_view name);

// The per-user Run entry "Nightlatch" = "\"<exe>\" /min".
bool SetAutostart(bool on);
bool IsAutostartSet();

}  // namespace nightlatch
