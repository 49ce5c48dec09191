#include "settings/setting_dlg_win.h"

#include "controls/timed_label_win.h"
#include "controls/window_text_win.h"
#include "platform/dpi_win.h"
#include "platform/window_geometry_win.h"
#include "resources/nightlatch_messages.h"

namespace nightlatch {
namespace {

constexpr const char16_t* kEntries[] = {u"基本设置", u"密码设置", u"报时设置", u"桌面时钟"};

}  // namespace

CSettingDlg::CSettingDlg(Program& program,
                         CPageBasicDlg::Seams basicSeams,
                         CPageClockDlg::Seams clockSeams)
    : statusBrush_(::CreateSolidBrush(kStatusBackground)),
      refusalBrush_(::CreateSolidBrush(kRefusalBackground)),
      basicPage_(program, basicSeams),
      passwordPage_(program),
      timeSpeakPage_(program),
      clockPage_(program, clockSeams) {}

HWND CSettingDlg::page(int index) const {
  switch (index) {
    case 0:
      return basicPage_.hwnd();
    case 1:
      return passwordPage_.hwnd();
    case 2:
      return timeSpeakPage_.hwnd();
    case 3:
      return clockPage_.hwnd();
    default:
      return nullptr;
  }
}

bool CSettingDlg::OnInitDialog() {
  status_ = Item(IDC_SETTINGS_STATUS);
  HWND list = Item(IDC_SETTINGS_SELECTOR);
  selector_.Attach(list);
  ::ShowWindow(status_, SW_HIDE);
  for (const char16_t* entry : kEntries)
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(entry)));
  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
  ::SendMessageW(list, LB_SETITEMHEIGHT, 0, ScaleForWindow(list, CColorListBox::kItemHeight));

  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const RECT selector = BoundsInParent(list);
  const auto scaled = [this](int length) { return ScaleForWindow(hwnd(), length); };
  const RECT area{selector.right + scaled(20), selector.top + scaled(6), client.right,
                  selector.bottom - scaled(35)};
  basicPage_.CreateModeless(hwnd());
  passwordPage_.CreateModeless(hwnd());
  timeSpeakPage_.CreateModeless(hwnd());
  clockPage_.CreateModeless(hwnd());
  for (int index = 0; index < 4; ++index) {
    ::SetWindowPos(page(index), nullptr, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Select(0);
  return true;
}

bool CSettingDlg::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) != IDC_SETTINGS_SELECTOR || HIWORD(wParam) != LBN_SELCHANGE)
        return false;
      Select(static_cast<int>(::SendMessageW(selector_.hwnd(), LB_GETCURSEL, 0, 0)));
      return true;
    case WM_PAGE_STATUS:
      ShowStatus(static_cast<int>(wParam));
      return true;
    case WM_TIMER:
      return HideWhenDue(hwnd, status_, kStatusTimer, wParam);
    case WM_DESTROY:
      OnDestroy();
      return false;
    default:
      return false;
  }
}

// The sub-pages moved with the template's controls; the selector's items
// are drawn at a height of their own.
void CSettingDlg::OnDpiChanged(int) {
  HWND list = Item(IDC_SETTINGS_SELECTOR);
  ::SendMessageW(list, LB_SETITEMHEIGHT, 0, ScaleForWindow(list, CColorListBox::kItemHeight));
}

void CSettingDlg::Select(int index) {
  if (index < 0 || index >= 4)
    index = 0;
  selected_ = index;
  for (int shown = 0; shown < 4; ++shown)
    ::ShowWindow(page(shown), shown == index ? SW_SHOW : SW_HIDE);
}

// A second text restarts the two seconds.
void CSettingDlg::ShowStatus(int pageIndex) {
  std::u16string text;
  statusRefused_ = false;
  const auto take = [&](const auto& page) {
    text = page.status();
    statusRefused_ = page.statusRefused();
  };
  if (pageIndex == CPageBasicDlg::kPageIndex)
    take(basicPage_);
  else if (pageIndex == CPagePwdDlg::kPageIndex)
    take(passwordPage_);
  else if (pageIndex == CPageTimeSpeakDlg::kPageIndex)
    take(timeSpeakPage_);
  else if (pageIndex == CPageClockDlg::kPageIndex)
    take(clockPage_);
  SetItemText(hwnd(), IDC_SETTINGS_STATUS, text);
  // The same text in the other colour changes nothing the label sees.
  ::InvalidateRect(status_, nullptr, TRUE);
  ShowForAWhile(hwnd(), status_, kStatusTimer, kStatusMilliseconds);
}

HBRUSH CSettingDlg::OnStaticColor(HDC dc, HWND control) {
  if (control != status_)
    return nullptr;
  ::SetTextColor(dc, RGB(255, 255, 255));
  ::SetBkColor(dc, statusRefused_ ? kRefusalBackground : kStatusBackground);
  return statusRefused_ ? refusalBrush_.get() : statusBrush_.get();
}

void CSettingDlg::OnDestroy() {
  ::KillTimer(hwnd(), kStatusTimer);
  basicPage_.DestroyWindow();
  passwordPage_.DestroyWindow();
  timeSpeakPage_.DestroyWindow();
  clockPage_.DestroyWindow();
}

}  // namespace nightlatch
