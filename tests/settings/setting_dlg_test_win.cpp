// The settings host with its password and time-announcement pages, driven
// through their real controls: what each click writes to config.ini, what
// it sets on the program object, and the status text the host shows.
#include "settings/setting_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

#include "controls/window_text_win.h"
#include "resources/nightlatch_messages.h"
#include "shell/paths_win.h"
#include "shell/program_win.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/pixels_win.h"
#include "support/printable_text.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::PumpMessages;
using testing::Text;

// The settings host's parent, standing in for the main dialog: answers
// WM_HOTKEY_CHANGED as RegisterHotKey did.
struct MainDialogStandIn : testing::ControlHost {
  bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override {
    if (message != WM_HOTKEY_CHANGED)
      return false;
    ++hotkeyChanges;
    result = registers ? TRUE : FALSE;
    return true;
  }
  bool registers = true;
  int hotkeyChanges = 0;
};

// The file dialog of 更换, answered by the test.
std::u16string chosenSound;
std::u16string ChooseForTest(HWND) {
  return chosenSound;
}

class SettingDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Open(700, 500)); }

  void TearDown() override {
    settings_.reset();
    PumpMessages();
  }

  void Open() {
    settings_ = std::make_unique<CSettingDlg>(program_, seams_);
    ASSERT_TRUE(settings_->CreateModeless(host_.hwnd()));
    ::ShowWindow(settings_->hwnd(), SW_SHOW);
  }

  void SelectEntry(int index) {
    HWND list = settings_->Item(IDC_SETTINGS_SELECTOR);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(settings_->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_SELECTOR, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
  }

  std::u16string StatusShown() const {
    HWND status = settings_->Item(IDC_SETTINGS_STATUS);
    return ::IsWindowVisible(status) ? FromWide(WindowText(status)) : u"<hidden>";
  }

  std::u16string Stored(const TextSetting& setting) const {
    return program_.config().Read(setting);
  }

  testing::TempFolder folder_{u"settings"};
  Program program_{folder_.u16()};
  CPageBasicDlg::Seams seams_{ChooseForTest, nullptr};
  MainDialogStandIn host_;
  std::unique_ptr<CSettingDlg> settings_;
};

TEST_F(SettingDlgTest, TheSelectorShowsOnePageAtATime) {
  Open();
  HWND list = settings_->Item(IDC_SETTINGS_SELECTOR);
  ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
  const char16_t* entries[] = {u"基本设置", u"密码设置", u"报时设置", u"桌面时钟"};
  for (int i = 0; i < 4; ++i) {
    wchar_t text[32] = {};
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(Text(FromWide(text)), Text(entries[i]));
  }
  EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 30);
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  for (int selected : {0, 1, 3, 2}) {
    SelectEntry(selected);
    for (int page = 0; page < 4; ++page) {
      EXPECT_EQ(::IsWindowVisible(settings_->page(page)) != FALSE, page == selected)
          << "entry " << selected << ", page " << page;
    }
  }
  // The pages lie right of the selector, 20 pixels off and 6 lower.
  const RECT selector = BoundsInParent(list);
  const RECT page = BoundsInParent(settings_->page(1));
  EXPECT_EQ(page.left, selector.right + 20);
  EXPECT_EQ(page.top, selector.top + 6);
}

// The colours as drawn: the selected entry blue with the others white on a
// blue ground, the pages' header bands blue, the status label green.
TEST_F(SettingDlgTest, SelectorHeaderAndStatusAreDrawnInTheirColours) {
  Open();
  SelectEntry(1);
  HWND list = settings_->Item(IDC_SETTINGS_SELECTOR);
  ::RedrawWindow(settings_->hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  {
    ScopedWindowDC dc(list);
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const auto at = [&](int x, int y) { return testing::Rgb(::GetPixel(dc.get(), x, y)); };
    EXPECT_EQ(at(item.left + 5, item.top + 5), testing::Rgb(RGB(51, 167, 252))) << "selected";
    ::SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(at(item.left + 5, item.top + 5), testing::Rgb(RGB(255, 255, 255))) << "not selected";
    EXPECT_EQ(at(item.left + 5, item.bottom + 2), testing::Rgb(RGB(218, 218, 218))) << "line";
    EXPECT_EQ(at(item.left + 1, item.top + 1), testing::Rgb(RGB(51, 167, 252))) << "ground";
  }
  HWND page = settings_->page(CPagePwdDlg::kPageIndex);
  {
    ScopedWindowDC dc(::GetDlgItem(page, IDC_PAGE_PASSWORD_HEADER));
    RECT header{};
    ::GetClientRect(::GetDlgItem(page, IDC_PAGE_PASSWORD_HEADER), &header);
    EXPECT_EQ(testing::Rgb(::GetPixel(dc.get(), header.right - 2, 2)),
              testing::Rgb(RGB(77, 175, 247)));
  }
  ClickButton(page, IDC_PAGE_PASSWORD_SAVE);  // protection off: a status
  HWND status = settings_->Item(IDC_SETTINGS_STATUS);
  ::UpdateWindow(status);
  ScopedWindowDC dc(status);
  RECT area{};
  ::GetClientRect(status, &area);
  EXPECT_EQ(testing::Rgb(::GetPixel(dc.get(), area.right - 2, 1)), testing::Rgb(RGB(57, 128, 0)));
}

TEST_F(SettingDlgTest, PasswordPageOpensEmptyAndItsFieldsFollowTheBox) {
  program_.config().Write(setting::kPassword, u"Stored1");
  for (const bool on : {false, true}) {
    SCOPED_TRACE(on);
    program_.config().Write(setting::kPasswordOn, on ? 1 : 0);
    Open();
    HWND page = settings_->page(CPagePwdDlg::kPageIndex);
    EXPECT_EQ(::IsDlgButtonChecked(page, IDC_PAGE_PASSWORD_ON) == BST_CHECKED, on);
    for (int field : {IDC_PAGE_PASSWORD_NEW, IDC_PAGE_PASSWORD_CONFIRM}) {
      EXPECT_EQ(Text(FromWide(WindowText(::GetDlgItem(page, field)))), Text(u""))
          << "the stored password is never shown";
      EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(page, field)) != FALSE, on);
    }
    ClickButton(page, IDC_PAGE_PASSWORD_ON);
    EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(page, IDC_PAGE_PASSWORD_NEW)) != FALSE, !on);
    EXPECT_EQ(program_.config().Read(setting::kPasswordOn), on ? 1 : 0) << "nothing saved yet";
    settings_.reset();
  }
}

TEST_F(SettingDlgTest, SavingThePasswordWritesItOrSaysWhyNot) {
  const struct {
    const char* name;
    bool ticked;
    const wchar_t* entered;
    const wchar_t* confirmed;
    const char16_t* status;
    int32_t storedFlag;
    const char16_t* storedPassword;
    bool passwordOn;
  } cases[] = {
      {"empty", true, L"", L"", u"请输入密码，密码不能为空！", 0, u"Old", false},
      {"confirmation differs in case", true, L"Secret1", L"secret1", u"两次密码不同，请重新输入！",
       0, u"Old", false},
      {"confirmed", true, L"Secret1", L"Secret1", u"启用密码成功！", 1, u"Secret1", true},
      {"protection off", false, L"ignored", L"", u"取消密码成功！", 0, u"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    program_.config().Write(setting::kPasswordOn, 0);
    program_.config().Write(setting::kPassword, u"Old");
    program_.settings.passwordOn = false;
    Open();
    HWND page = settings_->page(CPagePwdDlg::kPageIndex);
    if (c.ticked)
      ClickButton(page, IDC_PAGE_PASSWORD_ON);
    ::SetDlgItemTextW(page, IDC_PAGE_PASSWORD_NEW, c.entered);
    ::SetDlgItemTextW(page, IDC_PAGE_PASSWORD_CONFIRM, c.confirmed);
    ClickButton(page, IDC_PAGE_PASSWORD_SAVE);
    EXPECT_EQ(Text(StatusShown()), Text(c.status));
    EXPECT_EQ(program_.config().Read(setting::kPasswordOn), c.storedFlag);
    EXPECT_EQ(Text(Stored(setting::kPassword)), Text(c.storedPassword));
    EXPECT_EQ(program_.settings.passwordOn, c.passwordOn);
    settings_.reset();
  }
}

TEST_F(SettingDlgTest, ASecondStatusReplacesTheFirstAndTheTimerHidesIt) {
  Open();
  HWND page = settings_->page(CPagePwdDlg::kPageIndex);
  ClickButton(page, IDC_PAGE_PASSWORD_ON);
  ClickButton(page, IDC_PAGE_PASSWORD_SAVE);
  EXPECT_EQ(Text(StatusShown()), Text(u"请输入密码，密码不能为空！"));
  ClickButton(page, IDC_PAGE_PASSWORD_ON);
  ClickButton(page, IDC_PAGE_PASSWORD_SAVE);
  EXPECT_EQ(Text(StatusShown()), Text(u"取消密码成功！"));
  // The second text restarted the timer; its expiry hides the label.
  ::SendMessageW(settings_->hwnd(), WM_TIMER, CSettingDlg::kStatusTimer, 0);
  EXPECT_EQ(Text(StatusShown()), Text(u"<hidden>"));
}

TEST_F(SettingDlgTest, BasicPageOpensFromTheSettingsAndHidesTheSoundFileWhenSilent) {
  const struct {
    const char* name;
    const char16_t* flag;
    const char16_t* file;
    bool fileShown;
    const char16_t* fieldText;
    UINT box;
  } cases[] = {
      {"default: sound on, no file", nullptr, u"", true, u"默认声音", BST_CHECKED},
      {"own file", u"1", u"C:\\tones\\bell.wav", true, u"C:\\tones\\bell.wav", BST_CHECKED},
      {"silent", u"0", u"C:\\tones\\bell.wav", false, u"默认声音", BST_UNCHECKED},
      {"a flag outside 0 to 2", u"7", u"", true, u"默认声音", BST_UNCHECKED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ::WritePrivateProfileStringW(L"Config", L"SoundFlag", c.flag ? AsWide(c.flag) : nullptr,
                                 AsWide(program_.config().path().c_str()));
    program_.config().Write(setting::kSoundFile, c.file);
    Open();
    HWND page = settings_->page(CPageBasicDlg::kPageIndex);
    EXPECT_EQ(::IsDlgButtonChecked(page, IDC_PAGE_BASIC_SOUND_ON), c.box);
    EXPECT_EQ(::IsWindowVisible(::GetDlgItem(page, IDC_PAGE_BASIC_SOUND_FILE)) != FALSE,
              c.fileShown);
    EXPECT_EQ(::IsWindowVisible(::GetDlgItem(page, IDC_PAGE_BASIC_SOUND_CHANGE)) != FALSE,
              c.fileShown);
    EXPECT_EQ(Text(FromWide(WindowText(::GetDlgItem(page, IDC_PAGE_BASIC_SOUND_FILE)))),
              Text(c.fieldText));
    settings_.reset();
  }
}

TEST_F(SettingDlgTest, BasicPageClicksWriteTheSettingAndTheCopy) {
  Open();
  HWND page = settings_->page(CPageBasicDlg::kPageIndex);
  const RuntimeSettings& copies = program_.settings;
  const struct {
    int box;
    IntSetting setting;
    const bool* copy;
    const char16_t* status;
  } cases[] = {
      {IDC_PAGE_BASIC_CORNER, setting::kPromptBottomRight, &copies.promptBottomRight,
       u"设置提醒显示位置，修改成功！"},
      {IDC_PAGE_BASIC_BY_HOUR, setting::kSpeakByHour, &copies.speakByHour, u"报时设置,修改成功！"},
      {IDC_PAGE_BASIC_BY_HALF, setting::kSpeakByHalf, &copies.speakByHalf, u"报时设置,修改成功！"},
      {IDC_PAGE_BASIC_NOTIFY, setting::kSpeakNotify, &copies.speakNotify, u"报时设置,修改成功！"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    for (const bool ticked : {true, false}) {
      ClickButton(page, c.box);
      EXPECT_EQ(program_.config().Read(c.setting), ticked ? 1 : 0);
      EXPECT_EQ(*c.copy, ticked);
      EXPECT_EQ(Text(StatusShown()), Text(c.status));
    }
  }
}

TEST_F(SettingDlgTest, SoundOffAndOnAgainGivesTheDefaultSoundAndAChosenFileIsKept) {
  program_.config().Write(setting::kSoundFile, u"C:\\tones\\bell.wav");
  Open();
  HWND page = settings_->page(CPageBasicDlg::kPageIndex);
  ClickButton(page, IDC_PAGE_BASIC_SOUND_ON);  // off
  EXPECT_EQ(program_.config().Read(setting::kSoundOn), 0);
  EXPECT_EQ(Text(Stored(setting::kSoundFile)), Text(u""));
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page, IDC_PAGE_BASIC_SOUND_CHANGE)));
  ClickButton(page, IDC_PAGE_BASIC_SOUND_ON);  // on again
  EXPECT_EQ(program_.config().Read(setting::kSoundOn), 1);
  EXPECT_EQ(Text(Stored(setting::kSoundFile)), Text(u"")) << "the default sound plays";
  EXPECT_EQ(Text(FromWide(WindowText(::GetDlgItem(page, IDC_PAGE_BASIC_SOUND_FILE)))),
            Text(u"默认声音"));
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page, IDC_PAGE_BASIC_SOUND_CHANGE)));
  EXPECT_EQ(Text(StatusShown()), Text(u"设置提醒音乐，修改成功！"));

  chosenSound.clear();  // cancelled
  ClickButton(page, IDC_PAGE_BASIC_SOUND_CHANGE);
  EXPECT_EQ(Text(Stored(setting::kSoundFile)), Text(u""));
  chosenSound = u"D:\\My Music\\早安 铃声.mp3";
  ClickButton(page, IDC_PAGE_BASIC_SOUND_CHANGE);
  EXPECT_EQ(Text(Stored(setting::kSoundFile)), Text(chosenSound));
  EXPECT_EQ(Text(FromWide(WindowText(::GetDlgItem(page, IDC_PAGE_BASIC_SOUND_FILE)))),
            Text(chosenSound));
  EXPECT_EQ(Text(StatusShown()), Text(u"更换提醒音乐，修改成功！"));
}

TEST_F(SettingDlgTest, TheAutostartBoxWritesTheRunEntry) {
  SetAutostart(false);
  Open();
  HWND page = settings_->page(CPageBasicDlg::kPageIndex);
  EXPECT_EQ(::IsDlgButtonChecked(page, IDC_PAGE_BASIC_AUTOSTART), BST_UNCHECKED);
  ClickButton(page, IDC_PAGE_BASIC_AUTOSTART);
  EXPECT_TRUE(IsAutostartSet());
  EXPECT_EQ(Text(StatusShown()), Text(u"设置开机启动,修改成功！"));
  ClickButton(page, IDC_PAGE_BASIC_AUTOSTART);
  EXPECT_FALSE(IsAutostartSet());
  EXPECT_EQ(Text(StatusShown()), Text(u"取消开机启动,修改成功！"));
}

// The Run key cannot be written (blocked by a security program, say): the
// user is told in the system's message box, and the box is unticked.
TEST_F(SettingDlgTest, AnAutostartThatCannotBeWrittenIsReportedAndUnticked) {
  seams_.setAutostart = [](bool) { return false; };
  Open();
  HWND page = settings_->page(CPageBasicDlg::kPageIndex);
  std::u16string boxText;
  std::u16string caption;
  {
    testing::OnNextDialog acknowledge([&](HWND box) {
      boxText = FromWide(WindowText(::GetDlgItem(box, 0xFFFF)));
      caption = FromWide(WindowText(box));
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ClickButton(page, IDC_PAGE_BASIC_AUTOSTART);
    EXPECT_TRUE(acknowledge.ran()) << "no message box";
  }
  EXPECT_EQ(
      Text(boxText),
      Text(u"设置开机自动启动失败！\n\n通常是启动项被360、金山软件给禁用\n\n请检查并重新设置！"));
  EXPECT_EQ(Text(caption), Text(u"提示"));
  EXPECT_EQ(::IsDlgButtonChecked(page, IDC_PAGE_BASIC_AUTOSTART), BST_UNCHECKED);
  EXPECT_EQ(Text(StatusShown()), Text(u"设置开机启动,修改失败！"));
}

TEST_F(SettingDlgTest, TimeSpeakPageTicksTheHoursOfSpeakHourAndWritesThemBack) {
  program_.config().Write(setting::kSpeakHours, u"1000000100000000000000x2");
  Open();
  HWND page = settings_->page(CPageTimeSpeakDlg::kPageIndex);
  EXPECT_EQ(Text(program_.settings.speakHours), Text(u"1000000100000000000000x2"));
  EXPECT_EQ(::IsDlgButtonChecked(page, IDC_PAGE_SPEAK_HOUR_FIRST), BST_CHECKED) << "1点";
  EXPECT_EQ(::IsDlgButtonChecked(page, IDC_PAGE_SPEAK_HOUR_FIRST + 7), BST_CHECKED) << "8点";
  EXPECT_EQ(::IsDlgButtonChecked(page, IDC_PAGE_SPEAK_HOUR_FIRST + 22), BST_UNCHECKED)
      << "a value outside 0 to 2 shows as 0";

  // All off, then 24点 alone: position 24 of the text is midnight's.
  for (int i = 0; i < 24; ++i) {
    if (::IsDlgButtonChecked(page, IDC_PAGE_SPEAK_HOUR_FIRST + i) != BST_UNCHECKED)
      ClickButton(page, IDC_PAGE_SPEAK_HOUR_FIRST + i);
  }
  EXPECT_EQ(Text(Stored(setting::kSpeakHours)), Text(u"000000000000000000000000"));
  ClickButton(page, IDC_PAGE_SPEAK_HOUR_LAST);
  EXPECT_EQ(Text(Stored(setting::kSpeakHours)), Text(u"000000000000000000000001"));
  EXPECT_EQ(Text(program_.settings.speakHours), Text(u"000000000000000000000001"));
  EXPECT_EQ(Text(StatusShown()), Text(u"设置成功！"));
}

TEST_F(SettingDlgTest, AHotkeyIsSavedOnceItHasAKeyAndTheStatusSaysWhetherItIsOurs) {
  Open();
  HWND page = settings_->page(CPageTimeSpeakDlg::kPageIndex);
  HWND hotkey = ::GetDlgItem(page, IDC_PAGE_SPEAK_HOTKEY);
  EXPECT_EQ(::SendMessageW(hotkey, HKM_GETHOTKEY, 0, 0), MAKEWORD(VK_F9, HOTKEYF_CONTROL))
      << "the default Ctrl+F9";
  const auto press = [&](BYTE key, BYTE modifiers) {
    ::SendMessageW(hotkey, HKM_SETHOTKEY, MAKEWORD(key, modifiers), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PAGE_SPEAK_HOTKEY, EN_CHANGE),
                   reinterpret_cast<LPARAM>(hotkey));
  };
  const IntSetting storedKey{u"Speak", u"HotkeyVK", -1};
  press(0, HOTKEYF_CONTROL);  // Ctrl alone
  EXPECT_EQ(program_.config().Read(storedKey), -1) << "nothing saved";
  EXPECT_EQ(host_.hotkeyChanges, 0);

  press(VK_F8, HOTKEYF_CONTROL);
  EXPECT_EQ(program_.config().Read(setting::kHotkeyKey), 119);
  EXPECT_EQ(program_.config().Read(setting::kHotkeyModifiers), 2);
  EXPECT_EQ(host_.hotkeyChanges, 1);
  EXPECT_EQ(Text(StatusShown()), Text(u"设置快捷键成功！"));

  // Held by another program: still written, but not praised.
  host_.registers = false;
  press(VK_F7, HOTKEYF_CONTROL | HOTKEYF_ALT);
  EXPECT_EQ(program_.config().Read(setting::kHotkeyKey), VK_F7);
  EXPECT_EQ(program_.config().Read(setting::kHotkeyModifiers), HOTKEYF_CONTROL | HOTKEYF_ALT);
  EXPECT_EQ(Text(StatusShown()), Text(u"设置快捷键失败，该快捷键已被占用！"));
}

}  // namespace
}  // namespace nightlatch
