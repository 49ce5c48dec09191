#include "prompts/prompt_dialog_win.h"

#include "controls/song_font_win.h"
#include "controls/timed_label_win.h"
#include "controls/window_text_win.h"
#include "engine/actions.h"
#include "engine/system_clock.h"
#include "platform/dpi_win.h"
#include "platform/wide_string_win.h"
#include "platform/window_geometry_win.h"
#include "prompts/countdown_texts.h"
#include "prompts/prompt_sound_win.h"
#include "prompts/wrapped_text_win.h"
#include "resources/nightlatch_messages.h"
#include "settings/password_value.h"
#include "shell/program_win.h"

namespace nightlatch {
namespace {

constexpr int kButtonIds[] = {IDC_PROMPT_CANCEL, IDC_PROMPT_RUN_NOW, IDC_PROMPT_DELAY};

ScopedFont CreateNumberFont(HWND window) {
  return ScopedFont(::CreateFontW(ScaleForWindow(window, 56), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Verdana"));
}

}  // namespace

CPromptDlg* CPromptDlg::Open(const TaskRunRequest& request, HWND owner, PromptServices services) {
  auto* prompt = new CPromptDlg(request, owner, std::move(services));
  if (prompt->CreateModeless(::GetDesktopWindow()))
    return prompt;
  // The initialisation never destroys the window, so a failed creation
  // never reached the object's final message.
  delete prompt;
  return nullptr;
}

CPromptDlg::CPromptDlg(const TaskRunRequest& request, HWND owner, PromptServices services)
    : owner_(owner),
      request_(request),
      services_(std::move(services)),
      countdown_(request_),
      sound_(*services_.mci) {}

void CPromptDlg::OnFinalMessage(HWND) {
  delete this;
}

bool CPromptDlg::PreTranslateMessage(MSG& message) {
  if (!hwnd() || (message.hwnd != hwnd() && !::IsChild(hwnd(), message.hwnd)))
    return false;
  // Enter would press the default button, 取消执行: neither key may decide
  // anything here.
  if (message.message == WM_KEYDOWN &&
      (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
    return true;
  }
  return ::IsDialogMessageW(hwnd(), &message);
}

bool CPromptDlg::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kCountdownTimer) {
        OnTick();  // may have destroyed the window and this object
        return true;
      }
      return HideWhenDue(hwnd, tip_, kTipTimer, wParam);
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED)
        return false;
      switch (LOWORD(wParam)) {
        case IDC_PROMPT_CANCEL:
          OnButton(PromptButton::kCancel);
          return true;
        case IDC_PROMPT_RUN_NOW:
          OnButton(PromptButton::kRunNow);
          return true;
        case IDC_PROMPT_DELAY:
          OnButton(PromptButton::kDelay);
          return true;
        default:
          return false;
      }
    case WM_SYSCOMMAND:
      // Alt+F4 is the user closing the prompt: a cancel, behind the password
      // like the button.
      if ((wParam & 0xFFF0) != SC_CLOSE)
        return false;
      OnButton(PromptButton::kCancel);
      return true;
    case WM_CLOSE:
      DestroyWindow();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return false;
    default:
      return false;
  }
}

bool CPromptDlg::OnInitDialog() {
  tip_ = Item(IDC_PROMPT_TIP);
  ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE,
                      ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);

  numberFont_ = CreateNumberFont(hwnd());
  titleFont_ = CreateTitleFont(hwnd());
  textFont_ = CreateSongFont(hwnd(), 14, FW_NORMAL);
  ::ShowWindow(tip_, SW_HIDE);
  ::SendMessageW(Item(IDC_PROMPT_PASSWORD), EM_LIMITTEXT, kPasswordMaxUnits, 0);
  ::SendMessageW(Item(IDC_PROMPT_SECONDS), WM_SETFONT, reinterpret_cast<WPARAM>(numberFont_.get()),
                 TRUE);
  ::SendMessageW(Item(IDC_PROMPT_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()),
                 TRUE);

  for (std::size_t i = 0; i < std::size(kButtonIds); ++i)
    buttons_[i].Attach(Item(kButtonIds[i]));
  picture_.Reset(::LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_PROMPT_PICTURE)));

  if (MessageLoop* loop = MessageLoop::Current())
    loop->AddMessageFilter(this);

  SetItemText(hwnd(), IDC_PROMPT_SECONDS, OpeningSecondsText(countdown_.warnSeconds()));
  SetItemText(hwnd(), IDC_PROMPT_MESSAGE, CountdownMessage(request_.name.View()));
  ::SetTimer(hwnd(), kCountdownTimer, 1000, nullptr);
  StartSound();
  if (countdown_.reminder())
    EnterReminderMode();
  // No focus: the prompt must not take the keyboard from the user's work.
  return false;
}

void CPromptDlg::StartSound() {
  const std::u16string file =
      ChosenSoundFile(services_.program.config().Read(setting::kSoundOn),
                      services_.program.config().Read(setting::kSoundFile), services_.defaultSound);
  if (file.empty())
    return;
  // A missing or unreachable file leaves the prompt silent.
  const std::u16string shortPath = ShortPathOf(file);
  if (shortPath.empty())
    return;
  sound_.Start(shortPath, NextSoundAlias(services_.clock->Now()));
}

void CPromptDlg::EnterReminderMode() {
  SetItemText(hwnd(), IDC_PROMPT_CANCEL, kAcknowledgeCaption);
  ::ShowWindow(Item(IDC_PROMPT_RUN_NOW), SW_HIDE);
  SetItemText(hwnd(), IDC_PROMPT_TITLE, kReminderTitle);
  ::ShowWindow(Item(IDC_PROMPT_SECONDS), SW_HIDE);
  ::ShowWindow(Item(IDC_PROMPT_MESSAGE), SW_HIDE);
  ::UpdateWindow(hwnd());
}

void CPromptDlg::OnTick() {
  const TickOutcome outcome = countdown_.Tick();
  if (outcome.restartSound)
    sound_.Restart();
  if (outcome.repaintAll)
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  const bool shown = ::IsWindowVisible(hwnd()) != FALSE;
  if (outcome.visibility == Visibility::kHideIfShown && shown)
    ::ShowWindow(hwnd(), SW_HIDE);
  else if (outcome.visibility == Visibility::kShowIfHidden && !shown)
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  if (outcome.shownSeconds)
    WriteCountdownTexts(*outcome.shownSeconds);
  if (outcome.act) {
    ::KillTimer(hwnd(), kCountdownTimer);
    ExecuteAction(request_.action, u"", *services_.system);
    DestroyWindow();
  }
}

void CPromptDlg::WriteCountdownTexts(int32_t seconds) {
  // Both labels are transparent over the background: SetTextOverSkin has
  // the dialog repaint their areas.
  SetTextOverSkin(Item(IDC_PROMPT_SECONDS), ToWide(TickSecondsText(seconds)).c_str());
  SetTextOverSkin(Item(IDC_PROMPT_MESSAGE), ToWide(CountdownMessage(request_.name.View())).c_str());
}

void CPromptDlg::OnButton(PromptButton button) {
  if (countdown_.NeedsPassword(button) && !PasswordPasses())
    return;
  const PressOutcome outcome = countdown_.Press(button);
  if (outcome.stopTimer)
    ::KillTimer(hwnd(), kCountdownTimer);
  if (outcome.act)
    ExecuteAction(request_.action, u"", *services_.system);
  if (outcome.hideAndStopSound) {
    ::ShowWindow(hwnd(), SW_HIDE);
    sound_.Stop();
  }
  if (outcome.close)
    ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

bool CPromptDlg::PasswordPasses() {
  HWND field = Item(IDC_PROMPT_PASSWORD);
  HWND label = Item(IDC_PROMPT_PASSWORD_LABEL);
  // Read at each try: the password page may have changed it meanwhile. The
  // accepted text stays in the hidden field, so later checks pass at once.
  const std::u16string stored = services_.program.config().Read(setting::kPassword);
  const std::u16string entered = FromWide(WindowText(field));
  const PasswordVerdict verdict =
      CheckPromptPassword(services_.program.settings.passwordOn, entered, stored);
  if (verdict == PasswordVerdict::kNotAsked)
    return true;
  if (verdict == PasswordVerdict::kAccepted) {
    ::ShowWindow(field, SW_HIDE);
    ::ShowWindow(label, SW_HIDE);
    return true;
  }
  ::ShowWindow(field, SW_SHOW);
  ::ShowWindow(label, SW_SHOW);
  ::SetFocus(field);
  ShowTip(PasswordTip(verdict));
  return false;
}

void CPromptDlg::ShowTip(std::u16string_view tip) {
  SetTextOverSkin(tip_, ToWide(tip).c_str());
  ShowForAWhile(hwnd(), tip_, kTipTimer, kTipMilliseconds);
}

void CPromptDlg::OnPaintBackground(HDC dc, const RECT& client) {
  if (countdown_.reminder()) {
    PaintReminder(dc, client);
    return;
  }
  BITMAP size{};
  if (!picture_ || !::GetObjectW(picture_.get(), sizeof size, &size))
    return;
  ScopedMemoryDC source(dc);
  ScopedSelect select(source.get(), picture_.get());
  ::GdiTransparentBlt(dc, kPictureAt.x, kPictureAt.y, size.bmWidth, size.bmHeight, source.get(), 0,
                      0, size.bmWidth, size.bmHeight, kPictureMask);
}

void CPromptDlg::PaintReminder(HDC dc, const RECT& client) {
  const RECT title = BoundsInParent(Item(IDC_PROMPT_TITLE));
  const int margin = title.left - client.left;
  const int left = title.left + margin;
  const int right = client.right - 2 * margin;
  RECT band{client.left, title.bottom, client.right, title.bottom + 2 * (title.bottom - title.top)};

  ScopedSelect font(dc, textFont_.get());
  ::SetBkMode(dc, TRANSPARENT);
  // The time of this paint: after a snooze the line shows the new time.
  const std::wstring line =
      ToWide(AlarmTimeLine(ToLocalFields(services_.clock->Now(), services_.clock->Zone())));
  ::SetTextColor(dc, kAlarmLineColor);
  ::DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &band,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SetTextColor(dc, RGB(255, 255, 255));
  DrawWrappedText(dc, left, band.bottom, right - left, kReminderLineHeight, request_.text.View());
}

void CPromptDlg::OnDestroy() {
  ::KillTimer(hwnd(), kCountdownTimer);
  ::KillTimer(hwnd(), kTipTimer);
  if (MessageLoop* loop = MessageLoop::Current())
    loop->RemoveMessageFilter(this);
  sound_.Close();
  picture_.Reset();
  numberFont_.Reset();
  titleFont_.Reset();
  textFont_.Reset();
  // Sent, not posted: the owner forgets this prompt before the object is
  // deleted, so its list never holds a pointer a new prompt could reuse.
  ::SendMessageW(owner_, WM_PROMPT_CLOSED, 0, reinterpret_cast<LPARAM>(this));
}

}  // namespace nightlatch
