// Chimebox's entry point: a hidden frame and its message loop; the frame's
// worker speaks the time once and closes it, which ends the program. The
// command line and the starter's show command are not looked at.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "chimebox/main_frame_win.h"
#include "framework/message_loop_win.h"
#include "platform/dll_search_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace nightlatch;
  // Before anything loads a DLL by name: never from the program's folder.
  RestrictDllSearchToSystem32();
  ::CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);

  int result = 0;
  {
    MessageLoop loop;
    CMainFrame frame;
    if (frame.CreateFrame()) {
      ::ShowWindow(frame.hwnd(), SW_HIDE);
      result = loop.Run();
    }
  }
  ::CoUninitialize();
  return result;
}
