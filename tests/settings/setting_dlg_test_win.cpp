// The settings host with its password and time-announcement pages, driven
// through their real controls: what each click writes to config.ini, what
// it sets on the program object, and the status text the host shows.
#include "settings/setting_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

#include "controls/window_text_win.h"
#include "prompts/password_dialog_win.h"
#include "resources/nightlatch_messages.h"
#include "shell/paths_win.h"
#include "shell/program_win.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/dialog_template_win.h"
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
  // By the names other programs and older versions know the keys by.
  int StoredAs(const wchar_t* section, const wchar_t* key) const {
    return static_cast<int>(
        ::GetPrivateProfileIntW(section, key, -1, AsWide(program_.config().path().c_str())));
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

// The three pages' templates as the dialog manager reads them: size, font,
// and each control's id, kind and text in order.
TEST(SettingsPageTemplatesTest, HoldTheirSizesIdsAndTexts) {
  using testing::TemplateItem;
  using Items = std::vector<TemplateItem>;
  Items speak = {{1113, L"static", L" 报时设置"}, {-1, L"static", L"上午报时"}};
  for (int hour = 1; hour <= 24; ++hour) {
    if (hour == 13)
      speak.push_back({-1, L"static", L"下午报时"});
    speak.push_back({1088 + hour, L"check box", std::to_wstring(hour) + L"点"});
  }
  speak.push_back({-1, L"static", L"快捷键报时："});
  speak.push_back({1114, L"msctls_hotkey32", L""});
  const struct {
    UINT id;
    int width;
    int height;
    Items items;
  } pages[] = {
      {102,
       212,
       146,
       {{1019, L"static", L" 基本设置"},
        {-1, L"static", L"启动设置"},
        {1023, L"check box", L"开机时自动启动 "},
        {-1, L"static", L"提醒位置"},
        {1024, L"check box", L"屏幕右下角(不选为屏幕中央弹出关机提醒)"},
        {-1, L"static", L"提醒音乐"},
        {1025, L"check box", L"启用"},
        {1034, L"read-only edit", L""},
        {1035, L"button", L"更换"},
        {-1, L"static", L"语音报时"},
        {1027, L"check box", L"整点报时"},
        {1028, L"check box", L"半点报时"},
        {1029, L"check box", L"气泡提示"},
        {-1, L"static", L"电脑休眠"},
        {1030, L"check box", L"唤醒电脑执行任务"}}},
      {218,
       203,
       142,
       {{1020, L"static", L" 密码设置"},
        {1026, L"check box", L"启用密码保护"},
        {-1, L"static", L"新密码"},
        {1032, L"password edit", L""},
        {-1, L"static", L"密码确认"},
        {1036, L"password edit", L""},
        {1077, L"button", L"保存密码设置"}}},
      {219, 210, 152, speak},
  };
  for (const auto& page : pages) {
    SCOPED_TRACE(page.id);
    const testing::DialogTemplate read = testing::ReadDialogTemplate(page.id);
    EXPECT_EQ(read.width, page.width);
    EXPECT_EQ(read.height, page.height);
    EXPECT_EQ(read.font, L"宋体");
    EXPECT_EQ(read.pointSize, 10);
    ASSERT_EQ(read.items.size(), page.items.size());
    for (std::size_t i = 0; i < read.items.size(); ++i) {
      const TemplateItem& got = read.items[i];
      const TemplateItem& expected = page.items[i];
      EXPECT_EQ(got.id, expected.id) << "item " << i;
      EXPECT_EQ(got.kind, expected.kind) << "item " << i;
      EXPECT_EQ(Text(FromWide(got.text)), Text(FromWide(expected.text))) << "item " << i;
    }
  }
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

// Blanks at either end, quotes and the longest text the fields take all
// come back as typed: both gates then take exactly what was typed twice.
TEST_F(SettingDlgTest, EveryPasswordThatCanBeTypedComesBackAsTyped) {
  const std::u16string longest(258, u'密');
  const std::u16string passwords[] = {u" abc", u"abc ",    u"\"abc\"", u"'abc'",
                                      u"   ",  u"a\"b c'", u"\"",      longest};
  for (const std::u16string& password : passwords) {
    SCOPED_TRACE(testing::ToUtf8(password));
    program_.config().Write(setting::kPasswordOn, 0);
    program_.settings.passwordOn = false;
    program_.unlocked = false;
    Open();
    HWND page = settings_->page(CPagePwdDlg::kPageIndex);
    ClickButton(page, IDC_PAGE_PASSWORD_ON);
    ::SetDlgItemTextW(page, IDC_PAGE_PASSWORD_NEW, AsWide(password.c_str()));
    ::SetDlgItemTextW(page, IDC_PAGE_PASSWORD_CONFIRM, AsWide(password.c_str()));
    ClickButton(page, IDC_PAGE_PASSWORD_SAVE);
    EXPECT_EQ(Text(StatusShown()), Text(u"启用密码成功！"));
    EXPECT_EQ(Text(Stored(setting::kPassword)), Text(password)) << "the prompt's gate reads this";
    testing::OnNextDialog enter([&](HWND dialog) {
      ::SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, AsWide(password.c_str()));
      ClickButton(dialog, IDOK);  // a refusal leaves it to the driver to end
    });
    EXPECT_TRUE(PasswordCheck(program_)) << "the password dialog refuses what was saved";
    EXPECT_TRUE(enter.ran());
    settings_.reset();
  }
}

TEST_F(SettingDlgTest, ThePasswordFieldsTakeNoMoreThanTheFileGivesBack) {
  Open();
  HWND page = settings_->page(CPagePwdDlg::kPageIndex);
  for (int field : {IDC_PAGE_PASSWORD_NEW, IDC_PAGE_PASSWORD_CONFIRM})
    EXPECT_EQ(::SendDlgItemMessageW(page, field, EM_GETLIMITTEXT, 0, 0), 258) << field;
}

// Pasted past the fields' limit, a password config.ini cannot give back is
// not taken: the old one stays, and the status says so in red.
TEST_F(SettingDlgTest, APasswordTheFileCannotGiveBackKeepsTheOldOne) {
  program_.config().Write(setting::kPasswordOn, 1);
  program_.config().Write(setting::kPassword, u"Old");
  program_.settings.passwordOn = true;
  Open();
  HWND page = settings_->page(CPagePwdDlg::kPageIndex);
  const std::wstring tooLong(300, L'x');
  ::SetDlgItemTextW(page, IDC_PAGE_PASSWORD_NEW, tooLong.c_str());
  ::SetDlgItemTextW(page, IDC_PAGE_PASSWORD_CONFIRM, tooLong.c_str());
  ClickButton(page, IDC_PAGE_PASSWORD_SAVE);
  EXPECT_EQ(Text(StatusShown()), Text(u"密码无法保存，原密码不变！"));
  EXPECT_EQ(Text(Stored(setting::kPassword)), Text(u"Old"));
  EXPECT_EQ(program_.config().Read(setting::kPasswordOn), 1);
  EXPECT_TRUE(program_.settings.passwordOn);
  HWND status = settings_->Item(IDC_SETTINGS_STATUS);
  ::UpdateWindow(status);
  ScopedWindowDC dc(status);
  RECT area{};
  ::GetClientRect(status, &area);
  EXPECT_EQ(testing::Rgb(::GetPixel(dc.get(), area.right - 2, 1)), testing::Rgb(RGB(255, 0, 0)))
      << "a refusal shows in red";
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

// On the real timer: a second status shown before the first has gone
// shows for two full seconds from then.
TEST_F(SettingDlgTest, ASecondStatusShowsForTwoSecondsFromItsOwnStart) {
  Open();
  HWND page = settings_->page(CPagePwdDlg::kPageIndex);
  ClickButton(page, IDC_PAGE_PASSWORD_SAVE);
  testing::PumpMessagesFor(1300);
  ASSERT_EQ(Text(StatusShown()), Text(u"取消密码成功！"));
  ClickButton(page, IDC_PAGE_PASSWORD_SAVE);
  const ULONGLONG shown = ::GetTickCount64();
  testing::PumpMessagesFor(1500);
  EXPECT_EQ(Text(StatusShown()), Text(u"取消密码成功！")) << "hidden on the first text's time";
  while (StatusShown() != u"<hidden>" && ::GetTickCount64() - shown < 4000)
    testing::PumpMessagesFor(20);
  const ULONGLONG lasted = ::GetTickCount64() - shown;
  EXPECT_GE(lasted, 1950u);
  EXPECT_LT(lasted, 2700u) << "not hidden two seconds after it was shown";
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
    const wchar_t* section;
    const wchar_t* key;
    const bool* copy;
    const char16_t* status;
  } cases[] = {
      {IDC_PAGE_BASIC_CORNER, L"Config", L"Position", &copies.promptBottomRight,
       u"设置提醒显示位置，修改成功！"},
      {IDC_PAGE_BASIC_BY_HOUR, L"Speak", L"ByHour", &copies.speakByHour, u"报时设置,修改成功！"},
      {IDC_PAGE_BASIC_BY_HALF, L"Speak", L"ByHalf", &copies.speakByHalf, u"报时设置,修改成功！"},
      {IDC_PAGE_BASIC_NOTIFY, L"Speak", L"Notify", &copies.speakNotify, u"报时设置,修改成功！"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    for (const bool ticked : {true, false}) {
      ClickButton(page, c.box);
      EXPECT_EQ(StoredAs(c.section, c.key), ticked ? 1 : 0);
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
  EXPECT_EQ(StoredAs(L"Speak", L"HotkeyVK"), 119);
  EXPECT_EQ(StoredAs(L"Speak", L"HotkeySYS"), 2);
  EXPECT_EQ(host_.hotkeyChanges, 1);
  EXPECT_EQ(Text(StatusShown()), Text(u"设置快捷键成功！"));

  // Held by another program: the old one stays, in the file and the field.
  host_.registers = false;
  press(VK_F7, HOTKEYF_CONTROL | HOTKEYF_ALT);
  EXPECT_EQ(host_.hotkeyChanges, 2);
  EXPECT_EQ(program_.config().Read(setting::kHotkeyKey), VK_F8);
  EXPECT_EQ(program_.config().Read(setting::kHotkeyModifiers), HOTKEYF_CONTROL);
  EXPECT_EQ(::SendMessageW(hotkey, HKM_GETHOTKEY, 0, 0), MAKEWORD(VK_F8, HOTKEYF_CONTROL));
  EXPECT_EQ(Text(StatusShown()), Text(u"设置快捷键失败，该快捷键已被占用，原快捷键不变！"));
}

// A key without Ctrl or Alt would take that key from every program.
TEST_F(SettingDlgTest, AHotkeyWithoutCtrlOrAltIsRefused) {
  Open();
  HWND page = settings_->page(CPageTimeSpeakDlg::kPageIndex);
  HWND hotkey = ::GetDlgItem(page, IDC_PAGE_SPEAK_HOTKEY);
  const struct {
    const char* name;
    BYTE modifiers;
    bool saved;
  } cases[] = {
      {"bare key", 0, false},
      {"Shift", HOTKEYF_SHIFT, false},
      {"Shift and extended", HOTKEYF_SHIFT | HOTKEYF_EXT, false},
      {"Alt", HOTKEYF_ALT, true},
      {"Ctrl and Shift", HOTKEYF_CONTROL | HOTKEYF_SHIFT, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    program_.config().Write(setting::kHotkeyKey, 120);
    program_.config().Write(setting::kHotkeyModifiers, 2);
    host_.hotkeyChanges = 0;
    ::SendMessageW(hotkey, HKM_SETHOTKEY, MAKEWORD('A', c.modifiers), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PAGE_SPEAK_HOTKEY, EN_CHANGE),
                   reinterpret_cast<LPARAM>(hotkey));
    EXPECT_EQ(program_.config().Read(setting::kHotkeyKey), c.saved ? 'A' : 120);
    EXPECT_EQ(program_.config().Read(setting::kHotkeyModifiers), c.saved ? c.modifiers : 2);
    EXPECT_EQ(host_.hotkeyChanges, c.saved ? 1 : 0);
    EXPECT_EQ(Text(StatusShown()),
              Text(c.saved ? u"设置快捷键成功！" : u"快捷键需要包含Ctrl或Alt！"));
  }

  // Typed into the control, a key without a modifier gets Ctrl.
  ::SetFocus(hotkey);
  ::SendMessageW(hotkey, WM_KEYDOWN, 'B', 0);
  ::SendMessageW(hotkey, WM_KEYUP, 'B', 0xC0000000);
  EXPECT_EQ(::SendMessageW(hotkey, HKM_GETHOTKEY, 0, 0), MAKEWORD('B', HOTKEYF_CONTROL));
}

}  // namespace
}  // namespace nightlatch
