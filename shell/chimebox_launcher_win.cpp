#include "shell/chimebox_launcher_win.h"

#include <string>

#include <windows.h>

#include "platform/scoped_handle_win.h"
#include "platform/wide_string_win.h"
#include "shell/paths_win.h"

namespace nightlatch {
namespace {

constexpr DWORD kChimeboxReadyTimeoutMs = 5000;

}  // namespace

bool StartChimebox() {
  // Quoted, and named as the application too, so a folder with blanks in
  // its path never starts another program.
  const std::u16string program = ModulePath(u"Chimebox.exe");
  std::wstring commandLine = L"\"" + ToWide(program) + L"\"";
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(AsWide(program.c_str()), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process))
    return false;
  ScopedHandle processHandle(process.hProcess);
  ScopedHandle threadHandle(process.hThread);
  // Bounded: a hung announcer must not stop the tick.
  ::WaitForInputIdle(process.hProcess, kChimeboxReadyTimeoutMs);
  return true;
}

}  // namespace nightlatch
