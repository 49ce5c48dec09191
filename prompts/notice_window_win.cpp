#include "prompts/notice_window_win.h"

#include "controls/song_font_win.h"
#include "prompts/prompt_texts_win.h"

namespace nightlatch {

CMessageDlg* CMessageDlg::Create(CMessageDlg** owner) {
  auto* notice = new CMessageDlg();
  notice->owner_ = owner;
  *owner = notice;
  if (notice->CreateModeless(::GetDesktopWindow()))
    return notice;
  // A window that died during its creation has already deleted the object
  // and cleared the owner; otherwise the object never had a window.
  if (*owner == notice) {
    *owner = nullptr;
    delete notice;
  }
  return nullptr;
}

void CMessageDlg::OnFinalMessage(HWND) {
  if (owner_ && *owner_ == this)
    *owner_ = nullptr;
  delete this;
}

bool CMessageDlg::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kCountdownTimer)
        return false;
      OnTimer();
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        ::ShowWindow(hwnd, SW_HIDE);
        return true;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        DestroyWindow();
        return true;
      }
      return false;
    case WM_DESTROY:
      if (timerRunning_)
        ::KillTimer(hwnd, kCountdownTimer);
      timerRunning_ = false;
      titleFont_.Reset();
      return false;
    default:
      return false;
  }
}

bool CMessageDlg::OnInitDialog() {
  textLabel_ = Item(IDC_MESSAGE_TEXT);
  ok_.Attach(Item(IDOK));
  cancel_.Attach(Item(IDCANCEL));
  CenterOver(::GetDesktopWindow());

  // 确定 sits centred, one and a half of its heights above the bottom.
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  RECT button{};
  ::GetWindowRect(ok_.hwnd(), &button);
  const int width = button.right - button.left;
  const int height = button.bottom - button.top;
  ::SetWindowPos(ok_.hwnd(), nullptr, (client.right - width) / 2, client.bottom - height * 3 / 2, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE,
                      ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  ::SetWindowTextW(textLabel_, text_.c_str());
  ::SetDlgItemTextW(hwnd(), IDC_MESSAGE_TITLE, title_.c_str());
  titleFont_ = CreateTitleFont(hwnd());
  ::SendMessageW(Item(IDC_MESSAGE_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()),
                 TRUE);
  timerRunning_ = ::SetTimer(hwnd(), kCountdownTimer, 1000, nullptr) != 0;
  // No focus for a control: that would activate the hidden window and
  // take the keyboard from whatever the user works in.
  return false;
}

void CMessageDlg::OnTimer() {
  // The countdown runs only while the notice is on screen; a hidden one
  // starts afresh.
  if (!::IsWindowVisible(hwnd())) {
    secondsLeft_ = kDefaultSeconds;
    return;
  }
  if (--secondsLeft_ <= 0) {
    FadeOut();
    secondsLeft_ = kDefaultSeconds;
  }
}

void CMessageDlg::SetTexts(std::u16string_view text, std::u16string_view title) {
  text_ = CutToBuffer(text, kMessageUnits);
  title_ = CutToBuffer(title, kTitleUnits);
  SetTextOverSkin(textLabel_, text_.c_str());
  SetTextOverSkin(Item(IDC_MESSAGE_TITLE), title_.c_str());
}

void CMessageDlg::FadeOut() {
  if (!::AnimateWindow(hwnd(), kAnimationMilliseconds, AW_HIDE | AW_BLEND))
    ::ShowWindow(hwnd(), SW_HIDE);
}

void CMessageDlg::SlideIn(int seconds) {
  if (::IsWindowVisible(hwnd()))
    FadeOut();
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT own{};
  ::GetWindowRect(hwnd(), &own);
  ::SetWindowPos(hwnd(), HWND_TOPMOST, work.right - (own.right - own.left),
                 work.bottom - (own.bottom - own.top), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  if (!::AnimateWindow(hwnd(), kAnimationMilliseconds, AW_SLIDE | AW_VER_NEGATIVE))
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  if (seconds > 0)
    secondsLeft_ = seconds;
}

void NoticeWindow::Show(bool slide,
                        int seconds,
                        std::u16string_view text,
                        std::u16string_view title) {
  if (seconds == 0)
    seconds = CMessageDlg::kDefaultSeconds;
  if (!window_ && !CMessageDlg::Create(&window_))
    return;
  if (!text.empty() || !title.empty())
    window_->SetTexts(text, title);
  if (!slide) {
    window_->FadeOut();
    return;
  }
  window_->SlideIn(seconds);
}

void NoticeWindow::Destroy() {
  // Destroying the window deletes the notice, which clears window_.
  if (window_)
    window_->DestroyWindow();
}

}  // namespace nightlatch
