#include "prompts/message_box_win.h"

#include "controls/song_font_win.h"
#include "prompts/prompt_texts_win.h"

namespace nightlatch {

CMessageBoxDlg::CMessageBoxDlg(std::u16string_view message, std::u16string_view title)
    : message_(CutToBuffer(message, kMessageUnits)), title_(CutToBuffer(title, kTitleUnits)) {}

bool CMessageBoxDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(LOWORD(wParam));
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool CMessageBoxDlg::OnInitDialog() {
  messageLabel_ = Item(IDC_MESSAGE_TEXT);
  ok_.Attach(Item(IDOK));
  cancel_.Attach(Item(IDCANCEL));
  CenterOver(::GetWindow(hwnd(), GW_OWNER));
  ::SetWindowTextW(messageLabel_, message_.c_str());
  ::SetDlgItemTextW(hwnd(), IDC_MESSAGE_TITLE, title_.c_str());
  titleFont_ = CreateTitleFont(hwnd());
  ::SendMessageW(Item(IDC_MESSAGE_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()),
                 TRUE);
  return true;
}

INT_PTR ShowMessageBox(std::u16string_view message, std::u16string_view title) {
  CMessageBoxDlg box(message, title);
  return box.RunModal(::GetActiveWindow());
}

}  // namespace nightlatch
