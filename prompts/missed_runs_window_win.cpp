#include "prompts/missed_runs_window_win.h"

#include <algorithm>

#include "controls/song_font_win.h"
#include "platform/wide_string_win.h"

namespace nightlatch {

CMissedRunsDlg* CMissedRunsDlg::Create(CMissedRunsDlg** owner) {
  auto* window = new CMissedRunsDlg();
  window->owner_ = owner;
  *owner = window;
  if (window->CreateModeless(::GetDesktopWindow()))
    return window;
  // A window that died during its creation has already deleted the object.
  if (*owner == window) {
    *owner = nullptr;
    delete window;
  }
  return nullptr;
}

void CMissedRunsDlg::OnFinalMessage(HWND) {
  if (owner_ && *owner_ == this)
    *owner_ = nullptr;
  delete this;
}

bool CMissedRunsDlg::OnInitDialog() {
  ok_.Attach(Item(IDOK));
  // No caption bar, but a title the taskbar and a search by title find.
  ::SetWindowTextW(hwnd(), L"错过的任务");
  ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE,
                      ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  titleFont_ = CreateTitleFont(hwnd());
  ::SendMessageW(Item(IDC_MISSED_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()),
                 TRUE);
  return false;
}

bool CMissedRunsDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message != WM_COMMAND)
    return false;
  // 确定, Escape and Enter all close it: it has said what it had to say.
  if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
    DestroyWindow();
    return true;
  }
  return false;
}

void CMissedRunsDlg::AddLines(const std::vector<std::u16string>& lines) {
  HWND list = Item(IDC_MISSED_LIST);
  ScopedWindowDC dc(list);
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0));
  ScopedSelect selected(dc.get(), font);
  for (const std::u16string& line : lines) {
    const std::wstring wide = ToWide(line);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    widestLine_ = std::max(widestLine_, static_cast<int>(extent.cx) + 8);
  }
  // A line wider than the list scrolls sideways instead of being cut.
  ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestLine_), 0);
  // The newest lines in sight.
  ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, lineCount() - 1)), 0);
}

int CMissedRunsDlg::lineCount() const {
  return static_cast<int>(::SendMessageW(Item(IDC_MISSED_LIST), LB_GETCOUNT, 0, 0));
}

void CMissedRunsDlg::ShowCentred() {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT own{};
  ::GetWindowRect(hwnd(), &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  ::SetWindowPos(hwnd(), HWND_TOPMOST, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void MissedRunsWindow::Show(const std::vector<std::u16string>& lines) {
  if (lines.empty())
    return;
  const bool opened = window_ != nullptr;
  if (!opened && !CMissedRunsDlg::Create(&window_))
    return;
  window_->AddLines(lines);
  if (!opened)
    window_->ShowCentred();
}

void MissedRunsWindow::Destroy() {
  if (window_)
    window_->DestroyWindow();
}

}  // namespace nightlatch
