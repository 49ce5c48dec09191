// Entry point of the window tests: common controls first, then the suites.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "platform/dll_search_win.h"

int wmain(int argc, wchar_t** argv) {
  nightlatch::RestrictDllSearchToSystem32();
  ::CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                                     ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES |
                                                     ICC_HOTKEY_CLASS};
  ::InitCommonControlsEx(&controls);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  ::CoUninitialize();
  return result;
}
