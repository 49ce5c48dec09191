// Nightlatch's entry point: the command line, the single-instance guard,
// the main dialog and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <sddl.h>

#include <string>

#include "controls/vendor_site.h"
#include "engine/system_calls_win.h"
#include "engine/system_clock_win.h"
#include "framework/message_loop_win.h"
#include "platform/dll_search_win.h"
#include "platform/scoped_handle_win.h"
#include "platform/service_handles_win.h"
#include "platform/wide_string_win.h"
#include "prompts/mci_queue_win.h"
#include "prompts/prompt_sound_win.h"
#include "service/service_control.h"
#include "service/service_manager_win.h"
#include "service/service_process_win.h"
#include "shell/command_line.h"
#include "shell/instance_names.h"
#include "shell/main_dlg_win.h"
#include "shell/paths_win.h"
#include "shell/program_win.h"

namespace nightlatch {
namespace {

// A second interactive copy brings the first one's window forward (unless it
// was started hidden by autostart) and ends.
bool IsAnotherCopyRunning(StartCommand command, ScopedHandle& mutex) {
  mutex.Reset(::CreateMutexW(nullptr, FALSE, AsWide(kInstanceMutexName)));
  if (::GetLastError() != ERROR_ALREADY_EXISTS)
    return false;
  mutex.Reset();
  if (command != StartCommand::kInteractiveHidden) {
    if (HWND running = ::FindWindowW(nullptr, AsWide(kMainWindowTitle))) {
      ::ShowWindow(running, SW_SHOWNORMAL);
      ::SwitchToThisWindow(running, TRUE);
    }
  }
  return true;
}

// The named object that tells the service the interactive program runs. Only
// SYSTEM, the administrators and this user may open it: another account
// holding a handle would keep it alive after the program ends and keep an
// administrator's daily shutdown from happening.
ScopedHandle CreatePresence() {
  std::wstring sddl = L"D:P(A;;GA;;;SY)(A;;GA;;;BA)";
  HANDLE token = nullptr;
  if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
    const ScopedHandle owned(token);
    alignas(TOKEN_USER) unsigned char buffer[256];
    DWORD size = 0;
    LPWSTR user = nullptr;
    if (::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) &&
        ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &user)) {
      sddl += L"(A;;GA;;;" + std::wstring(user) + L")";
      ::LocalFree(user);
    }
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr))
    return ScopedHandle(::CreateMutexW(nullptr, FALSE, AsWide(kInteractivePresenceName)));
  const ScopedLocalMemory freed(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  return ScopedHandle(::CreateMutexW(&attributes, FALSE, AsWide(kInteractivePresenceName)));
}

// The vendor's site, or a mirror (or a test's server) named by
// NIGHTLATCH_UPDATE_SITE.
std::u16string UpdateSite() {
  wchar_t site[512] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"NIGHTLATCH_UPDATE_SITE", site, 512);
  if (length > 0 && length < 512)
    return FromWide(site);
  return std::u16string(kVendorSite);
}

int RunInteractive(StartCommand command) {
  ScopedHandle mutex;
  if (IsAnotherCopyRunning(command, mutex))
    return -1;
  // Tells the service that the interactive program runs, across sessions.
  // Held for the program's whole life; a failure only leaves the window test.
  const ScopedHandle presence = CreatePresence();

  ::CoInitialize(nullptr);
  // The task list and the editor's date and time pickers need their classes.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                                     ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES |
                                                     ICC_HOTKEY_CLASS};
  ::InitCommonControlsEx(&controls);

  int result = 0;
  {
    MessageLoop loop;
    Win32SystemClock clock;
    Win32SystemCalls system;
    Program program(AppDataPath(kDataFolder, u""));
    QueuedMciCommands sound(SystemMciCommands());
    CMainDlg mainDialog(program, MainDlgServices{&clock, &system, &sound, nullptr, UpdateSite()});
    if (mainDialog.CreateModeless(nullptr)) {
      ::ShowWindow(mainDialog.hwnd(),
                   command == StartCommand::kInteractiveHidden ? SW_HIDE : SW_SHOWNORMAL);
      result = loop.Run();
    }
  }
  ::CoUninitialize();
  return result;
}

}  // namespace
}  // namespace nightlatch

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  using namespace nightlatch;
  // Before anything loads a DLL by name: never from the program's folder.
  RestrictDllSearchToSystem32();

  switch (const StartCommand command = ParseCommandLine(FromWide(commandLine))) {
    case StartCommand::kInteractive:
    case StartCommand::kInteractiveHidden:
      return RunInteractive(command);
    case StartCommand::kInstallService: {
      Win32ServiceManagerApi services;
      // The start is attempted whatever the installation's outcome.
      InstallService(services);
      return StartInstalledService(services) ? 0 : -1;
    }
    case StartCommand::kUninstallService: {
      Win32ServiceManagerApi services;
      UninstallService(services);
      return 0;
    }
    case StartCommand::kStartService: {
      Win32ServiceManagerApi services;
      StartInstalledService(services);
      return 0;
    }
    case StartCommand::kRunService:
      RunServiceDispatcher();
      return 0;
    case StartCommand::kNothing:
      return 0;
  }
  return 0;
}
