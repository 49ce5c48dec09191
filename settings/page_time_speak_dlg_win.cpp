#include "settings/page_time_speak_dlg_win.h"

#include <commctrl.h>

#include "resources/nightlatch_messages.h"
#include "shell/program_win.h"

namespace nightlatch {
namespace {

constexpr int kHourBoxes = IDC_PAGE_SPEAK_HOUR_LAST - IDC_PAGE_SPEAK_HOUR_FIRST + 1;

}  // namespace

CPageTimeSpeakDlg::CPageTimeSpeakDlg(Program& program) : program_(program) {}

bool CPageTimeSpeakDlg::OnInitDialog() {
  const std::u16string hours = program_.config().Read(setting::kSpeakHours);
  program_.settings.speakHours = hours;
  for (int i = 0; i < kHourBoxes; ++i) {
    // Position i + 1 of the text; a value outside 0 to 2 shows as 0.
    const int value = i < static_cast<int>(hours.size()) ? hours[i] - u'0' : 0;
    ::CheckDlgButton(hwnd(), IDC_PAGE_SPEAK_HOUR_FIRST + i, BoxState(value));
  }
  HWND hotkey = Item(IDC_PAGE_SPEAK_HOTKEY);
  // A key without Ctrl or Alt would be taken from every program: typed
  // bare or with Shift alone, it gets Ctrl.
  ::SendMessageW(hotkey, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL, 0));
  const int32_t key = program_.config().Read(setting::kHotkeyKey);
  const int32_t modifiers = program_.config().Read(setting::kHotkeyModifiers);
  ::SendMessageW(hotkey, HKM_SETHOTKEY, MAKEWORD(key & 0xFF, modifiers & 0xFF), 0);
  return true;
}

bool CPageTimeSpeakDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message != WM_COMMAND)
    return false;
  const int id = LOWORD(wParam);
  if (id >= IDC_PAGE_SPEAK_HOUR_FIRST && id <= IDC_PAGE_SPEAK_HOUR_LAST &&
      HIWORD(wParam) == BN_CLICKED) {
    SaveHours();
    return true;
  }
  if (id == IDC_PAGE_SPEAK_HOTKEY && HIWORD(wParam) == EN_CHANGE) {
    SaveHotkey();
    return true;
  }
  return false;
}

void CPageTimeSpeakDlg::SaveHours() {
  std::u16string hours;
  for (int i = 0; i < kHourBoxes; ++i) {
    const UINT state = ::IsDlgButtonChecked(hwnd(), IDC_PAGE_SPEAK_HOUR_FIRST + i);
    hours += static_cast<char16_t>(u'0' + (state <= 2 ? state : 0));
  }
  program_.config().Write(setting::kSpeakHours, hours);
  program_.settings.speakHours = hours;
  Report(kSpeakHoursStatus);
}

void CPageTimeSpeakDlg::SaveHotkey() {
  const auto hotkey =
      static_cast<WORD>(::SendMessageW(Item(IDC_PAGE_SPEAK_HOTKEY), HKM_GETHOTKEY, 0, 0));
  const int32_t key = LOBYTE(hotkey);
  if (key == 0)
    return;  // a modifier alone: no hotkey yet
  const int32_t modifiers = HIBYTE(hotkey);
  if (!(modifiers & (HOTKEYF_CONTROL | HOTKEYF_ALT))) {
    Refuse(kHotkeyNeedsModifierStatus);
    return;
  }
  const SettingsFile& config = program_.config();
  const int32_t oldKey = config.Read(setting::kHotkeyKey);
  const int32_t oldModifiers = config.Read(setting::kHotkeyModifiers);
  config.Write(setting::kHotkeyKey, key);
  config.Write(setting::kHotkeyModifiers, modifiers);
  // The main dialog (the host's parent) registers it again and says
  // whether it could; when not, it keeps the old one, and so does the file.
  HWND mainDialog = ::GetParent(::GetParent(hwnd()));
  if (::SendMessageW(mainDialog, WM_HOTKEY_CHANGED, 0, 0) != FALSE) {
    Report(kHotkeySetStatus);
    return;
  }
  config.Write(setting::kHotkeyKey, oldKey);
  config.Write(setting::kHotkeyModifiers, oldModifiers);
  ::SendMessageW(Item(IDC_PAGE_SPEAK_HOTKEY), HKM_SETHOTKEY,
                 MAKEWORD(oldKey & 0xFF, oldModifiers & 0xFF), 0);
  Refuse(kHotkeyTakenStatus);
}

}  // namespace nightlatch
