#include "editor/simple_dlg_win.h"

#include <string>

#include "platform/wide_string_win.h"
#include "shell/app_messages.h"

namespace nightlatch {

void CSimpleDlg::SetTile(int id, std::u16string_view text) {
  const std::wstring wide = ToWide(text);
  ::SetDlgItemTextW(hwnd(), id, wide.c_str());
}

bool CSimpleDlg::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM,
                                      LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = TRUE;
      return true;
    case WM_COMMAND: {
      HWND mainDialog = ::GetParent(hwnd);
      switch (LOWORD(wParam)) {
        case IDC_SIMPLE_ADD:
          ::SendMessageW(mainDialog, WM_OPEN_TASKS, 0, 1);
          return true;
        case IDC_SIMPLE_MANAGE:
          ::SendMessageW(mainDialog, WM_OPEN_TASKS, 0, 0);
          return true;
        case IDC_SIMPLE_HIDE:
          ::PostMessageW(mainDialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
          return true;
        case IDC_SIMPLE_QUIT:
          ::SendMessageW(mainDialog, WM_CLOSE, 0, 0);
          return true;
        default:
          return false;
      }
    }
    default:
      return false;
  }
}

}  // namespace nightlatch
