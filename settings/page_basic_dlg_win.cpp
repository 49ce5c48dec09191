#include "settings/page_basic_dlg_win.h"

#include "controls/window_text_win.h"
#include "platform/file_dialog_win.h"
#include "resources/nightlatch_messages.h"
#include "shell/paths_win.h"
#include "shell/program_win.h"

namespace nightlatch {
namespace {

constexpr wchar_t kAutostartFailed[] =
    L"设置开机自动启动失败！\n\n通常是启动项被360、金山软件给禁用\n\n请检查并重新设置！";

}  // namespace

std::u16string ChooseSoundFile(HWND owner) {
  return ChooseFileToOpen(owner, L"mp3音乐文件(*.mp3)\0*.mp3\0wav音乐文件(*.wav)\0*.wav\0", nullptr,
                          L"mp3");
}

CPageBasicDlg::CPageBasicDlg(Program& program, Seams seams) : program_(program), seams_(seams) {
  if (!seams_.chooseSoundFile)
    seams_.chooseSoundFile = ChooseSoundFile;
  if (!seams_.setAutostart)
    seams_.setAutostart = SetAutostart;
}

bool CPageBasicDlg::OnInitDialog() {
  change_.Attach(Item(IDC_PAGE_BASIC_SOUND_CHANGE));
  const SettingsFile& config = program_.config();
  const int32_t soundOn = config.Read(setting::kSoundOn);
  const std::u16string soundFile = config.Read(setting::kSoundFile);
  ::CheckDlgButton(hwnd(), IDC_PAGE_BASIC_AUTOSTART, IsAutostartSet() ? BST_CHECKED : 0);
  ::CheckDlgButton(hwnd(), IDC_PAGE_BASIC_CORNER,
                   BoxState(config.Read(setting::kPromptBottomRight)));
  ::CheckDlgButton(hwnd(), IDC_PAGE_BASIC_SOUND_ON, BoxState(soundOn));
  ::CheckDlgButton(hwnd(), IDC_PAGE_BASIC_BY_HOUR, BoxState(config.Read(setting::kSpeakByHour)));
  ::CheckDlgButton(hwnd(), IDC_PAGE_BASIC_BY_HALF, BoxState(config.Read(setting::kSpeakByHalf)));
  ::CheckDlgButton(hwnd(), IDC_PAGE_BASIC_NOTIFY, BoxState(config.Read(setting::kSpeakNotify)));
  ::CheckDlgButton(hwnd(), IDC_PAGE_BASIC_WAKE, BoxState(config.Read(setting::kWakeForTasks)));
  SetItemText(hwnd(), IDC_PAGE_BASIC_SOUND_FILE,
              soundOn == 0 || soundFile.empty() ? std::u16string(kDefaultSoundText) : soundFile);
  ShowSoundFile(soundOn != 0);
  return true;
}

bool CPageBasicDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
    return false;
  switch (const int id = LOWORD(wParam)) {
    case IDC_PAGE_BASIC_AUTOSTART:
      OnAutostart();
      return true;
    case IDC_PAGE_BASIC_CORNER:
      program_.config().Write(setting::kPromptBottomRight, Checked(id) ? 1 : 0);
      program_.settings.promptBottomRight = Checked(id);
      Report(u"设置提醒显示位置，修改成功！");
      return true;
    case IDC_PAGE_BASIC_SOUND_ON:
      OnSoundOn();
      return true;
    case IDC_PAGE_BASIC_SOUND_CHANGE:
      OnChangeSound();
      return true;
    case IDC_PAGE_BASIC_BY_HOUR:
    case IDC_PAGE_BASIC_BY_HALF:
    case IDC_PAGE_BASIC_NOTIFY:
      OnSpeakFlag(id);
      return true;
    case IDC_PAGE_BASIC_WAKE:
      OnWake();
      return true;
    default:
      return false;
  }
}

void CPageBasicDlg::ShowSoundFile(bool shown) {
  ::ShowWindow(Item(IDC_PAGE_BASIC_SOUND_FILE), shown ? SW_SHOW : SW_HIDE);
  ::ShowWindow(Item(IDC_PAGE_BASIC_SOUND_CHANGE), shown ? SW_SHOW : SW_HIDE);
}

void CPageBasicDlg::OnAutostart() {
  if (!Checked(IDC_PAGE_BASIC_AUTOSTART)) {
    seams_.setAutostart(false);
    Report(u"取消开机启动,修改成功！");
    return;
  }
  if (seams_.setAutostart(true)) {
    Report(u"设置开机启动,修改成功！");
    return;
  }
  ::MessageBoxW(::GetActiveWindow(), kAutostartFailed, L"提示", MB_OK);
  ::CheckDlgButton(hwnd(), IDC_PAGE_BASIC_AUTOSTART, BST_UNCHECKED);
  Refuse(u"设置开机启动,修改失败！");
}

void CPageBasicDlg::OnSoundOn() {
  const bool on = Checked(IDC_PAGE_BASIC_SOUND_ON);
  program_.config().Write(setting::kSoundOn, on ? 1 : 0);
  if (!on) {
    program_.config().Write(setting::kSoundFile, u"");
    SetItemText(hwnd(), IDC_PAGE_BASIC_SOUND_FILE, kDefaultSoundText);
  }
  ShowSoundFile(on);
  Report(u"设置提醒音乐，修改成功！");
}

void CPageBasicDlg::OnChangeSound() {
  const std::u16string chosen = seams_.chooseSoundFile(::GetActiveWindow());
  if (chosen.empty())
    return;
  SetItemText(hwnd(), IDC_PAGE_BASIC_SOUND_FILE, chosen);
  program_.config().Write(setting::kSoundFile, chosen);
  Report(u"更换提醒音乐，修改成功！");
}

// The main dialog (the host's parent) arms or cancels the wake timer at
// once and says whether this computer lets a timer wake it.
void CPageBasicDlg::OnWake() {
  const bool on = Checked(IDC_PAGE_BASIC_WAKE);
  program_.config().Write(setting::kWakeForTasks, on ? 1 : 0);
  program_.settings.wakeForTasks = on;
  HWND mainDialog = ::GetParent(::GetParent(hwnd()));
  const bool allowed = ::SendMessageW(mainDialog, WM_WAKE_CHANGED, 0, 0) != FALSE;
  // Saved all the same: the plan may allow wake timers later.
  if (allowed)
    Report(u"设置唤醒电脑，修改成功！");
  else
    Refuse(u"此电脑不允许定时唤醒");
}

void CPageBasicDlg::OnSpeakFlag(int id) {
  const bool on = Checked(id);
  RuntimeSettings& settings = program_.settings;
  if (id == IDC_PAGE_BASIC_BY_HOUR) {
    program_.config().Write(setting::kSpeakByHour, on ? 1 : 0);
    settings.speakByHour = on;
  } else if (id == IDC_PAGE_BASIC_BY_HALF) {
    program_.config().Write(setting::kSpeakByHalf, on ? 1 : 0);
    settings.speakByHalf = on;
  } else {
    program_.config().Write(setting::kSpeakNotify, on ? 1 : 0);
    settings.speakNotify = on;
  }
  Report(u"报时设置,修改成功！");
}

}  // namespace nightlatch
