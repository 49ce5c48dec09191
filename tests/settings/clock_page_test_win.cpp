// The clock page inside the settings host, driven through its controls: what
// it shows from config.ini, what 保存时钟 and 恢复默认值 write, and what the
// main dialog is told.
#include "settings/page_clock_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/window_text_win.h"
#include "resources/nightlatch_messages.h"
#include "settings/setting_dlg_win.h"
#include "shell/program_win.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/printable_text.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::PumpMessages;
using testing::Text;

// Standing in for the main dialog: what WM_CLOCK_SETTINGS said, and what
// config.ini held when it came.
struct MainDialogStandIn : testing::ControlHost {
  bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT&) override {
    if (message != WM_CLOCK_SETTINGS)
      return false;
    flags.push_back(static_cast<int>(lParam));
    zoomWhenTold = program->config().Read(setting::kClockZoom);
    return true;
  }
  const Program* program = nullptr;
  std::vector<int> flags;
  int zoomWhenTold = 0;
};

// The colour dialog, answered by the test.
struct ColourRequest {
  DWORD flags;
  COLORREF preselected;
  COLORREF* custom;
};
std::vector<ColourRequest> colourRequests;
std::optional<COLORREF> colourAnswer;
BOOL ChooseForTest(CHOOSECOLORW* request) {
  colourRequests.push_back({request->Flags, request->rgbResult, request->lpCustColors});
  if (!colourAnswer)
    return FALSE;
  request->rgbResult = *colourAnswer;
  return TRUE;
}

class ClockPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    colourRequests.clear();
    colourAnswer.reset();
    host_.program = &program_;
    ASSERT_TRUE(host_.Open(700, 500));
  }
  void TearDown() override {
    settings_.reset();
    PumpMessages();
  }

  void Configure(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    ::WritePrivateProfileStringW(section, key, value, AsWide(program_.config().path().c_str()));
  }
  int Stored(const wchar_t* section, const wchar_t* key) const {
    return static_cast<int>(
        ::GetPrivateProfileIntW(section, key, -12345, AsWide(program_.config().path().c_str())));
  }

  void Open() {
    settings_ = std::make_unique<CSettingDlg>(program_, CPageBasicDlg::Seams{},
                                              CPageClockDlg::Seams{ChooseForTest});
    ASSERT_TRUE(settings_->CreateModeless(host_.hwnd()));
    ::ShowWindow(settings_->hwnd(), SW_SHOW);
    page_ = settings_->page(CPageClockDlg::kPageIndex);
  }
  const CPageClockDlg& page() const { return settings_->clockPage(); }
  HWND Item(int id) const { return ::GetDlgItem(page_, id); }
  std::u16string TextOf(int id) const { return FromWide(WindowText(Item(id))); }
  bool Checked(int id) const { return ::IsDlgButtonChecked(page_, id) == BST_CHECKED; }
  int Selection() const {
    return static_cast<int>(::SendMessageW(Item(IDC_PAGE_CLOCK_PICTURE), CB_GETCURSEL, 0, 0));
  }
  int Position(int trackbar) const {
    return static_cast<int>(::SendMessageW(Item(trackbar), TBM_GETPOS, 0, 0));
  }
  void MoveTrackbar(int trackbar, int position) {
    ::SendMessageW(Item(trackbar), TBM_SETPOS, TRUE, position);
    ::SendMessageW(page_, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                   reinterpret_cast<LPARAM>(Item(trackbar)));
  }
  std::u16string StatusShown() const {
    HWND status = settings_->Item(IDC_SETTINGS_STATUS);
    return ::IsWindowVisible(status) ? FromWide(WindowText(status)) : u"<hidden>";
  }
  std::vector<bool> DependentsEnabled() const {
    std::vector<bool> enabled;
    for (int id : {IDC_PAGE_CLOCK_PICTURE, IDC_PAGE_CLOCK_BACKGROUND, IDC_PAGE_CLOCK_TEXT,
                   IDC_PAGE_CLOCK_TOPMOST, IDC_PAGE_CLOCK_ZOOM, IDC_PAGE_CLOCK_OPACITY})
      enabled.push_back(::IsWindowEnabled(Item(id)) != FALSE);
    return enabled;
  }

  testing::TempFolder folder_{u"clock page"};
  Program program_{folder_.u16()};
  MainDialogStandIn host_;
  std::unique_ptr<CSettingDlg> settings_;
  HWND page_ = nullptr;
};

const std::vector<bool> kAllEnabled(6, true);
const std::vector<bool> kAllDisabled(6, false);

TEST_F(ClockPageTest, AFreshFileShowsTheDefaults) {
  Open();
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_HEADER)), Text(u" 桌面时钟"));
  EXPECT_TRUE(Checked(IDC_PAGE_CLOCK_ENABLED));
  EXPECT_TRUE(Checked(IDC_PAGE_CLOCK_TOPMOST));
  HWND list = Item(IDC_PAGE_CLOCK_PICTURE);
  ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), 8);
  for (int i = 0; i < 8; ++i) {
    wchar_t item[16] = {};
    ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(Text(FromWide(item)), Text(u"图片" + std::u16string(1, u'1' + i)));
  }
  // The page's own default picture is the eighth.
  EXPECT_EQ(Selection(), 7);
  EXPECT_EQ(Position(IDC_PAGE_CLOCK_OPACITY), 8);
  EXPECT_EQ(::SendMessageW(Item(IDC_PAGE_CLOCK_OPACITY), TBM_GETRANGEMIN, 0, 0), 1);
  EXPECT_EQ(::SendMessageW(Item(IDC_PAGE_CLOCK_OPACITY), TBM_GETRANGEMAX, 0, 0), 10);
  EXPECT_EQ(::SendMessageW(Item(IDC_PAGE_CLOCK_OPACITY), TBM_GETLINESIZE, 0, 0), 2);
  EXPECT_EQ(Position(IDC_PAGE_CLOCK_ZOOM), 10);
  EXPECT_EQ(::SendMessageW(Item(IDC_PAGE_CLOCK_ZOOM), TBM_GETRANGEMIN, 0, 0), 5);
  EXPECT_EQ(::SendMessageW(Item(IDC_PAGE_CLOCK_ZOOM), TBM_GETRANGEMAX, 0, 0), 20);
  EXPECT_EQ(::SendMessageW(Item(IDC_PAGE_CLOCK_ZOOM), TBM_GETPAGESIZE, 0, 0), 5);
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_OPACITY_PERCENT)), Text(u"80%"));
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_ZOOM_PERCENT)), Text(u"100%"));
  EXPECT_EQ(DependentsEnabled(), kAllEnabled);
  // The swatches: the colours on every face, grey borders, the captions.
  const ButtonColors background = page().backgroundSwatch().colors();
  EXPECT_EQ(background.normalFace, RGB(15, 146, 214));
  EXPECT_EQ(background.hotFace, RGB(15, 146, 214));
  EXPECT_EQ(background.pressedFace, RGB(15, 146, 214));
  EXPECT_EQ(background.border, RGB(180, 180, 180));
  EXPECT_EQ(background.caption, RGB(255, 255, 255));
  const ButtonColors text = page().textSwatch().colors();
  EXPECT_EQ(text.normalFace, RGB(255, 255, 255));
  EXPECT_EQ(text.caption, RGB(60, 60, 60));
  // The trackbars lie on the page's white (a hollow brush paints them black).
  for (int trackbar : {IDC_PAGE_CLOCK_ZOOM, IDC_PAGE_CLOCK_OPACITY}) {
    HDC dc = ::GetDC(Item(trackbar));
    auto* brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(page_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(Item(trackbar))));
    LOGBRUSH ground{};
    ::GetObjectW(brush, sizeof ground, &ground);
    EXPECT_EQ(ground.lbStyle, static_cast<UINT>(BS_SOLID)) << trackbar;
    EXPECT_EQ(ground.lbColor, RGB(255, 255, 255)) << trackbar;
    ::ReleaseDC(Item(trackbar), dc);
  }
  // Opening writes nothing.
  EXPECT_EQ(Stored(L"Clock", L"ClockFlag"), -12345);
}

// Every text of the page's template, as the user reads it.
TEST_F(ClockPageTest, TheTemplateHoldsItsTexts) {
  Open();
  std::vector<std::wstring> texts;
  for (HWND child = ::GetWindow(page_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    texts.push_back(WindowText(child));
  const std::vector<std::wstring> expected = {L" 桌面时钟",  L"启用时钟",
                                              L"背景色：",   L"选择颜色...",
                                              L"字体色：",   L"选择颜色...",
                                              L"显示：",     L"前端显示(置顶)",
                                              L"小图片：",   L"",
                                              L"缩放比例：", L"100%",
                                              L"50%",        L"",
                                              L"200%",       L"窗口不透明：",
                                              L"80%",        L"10%",
                                              L"",           L"100%",
                                              L"保存时钟",   L"恢复默认值"};
  // The combo box's text is its selection.
  texts[9] = texts[13] = texts[18] = L"";
  EXPECT_EQ(texts, expected);
}

TEST_F(ClockPageTest, SavingWritesEveryValueThenTellsTheMainDialog) {
  Open();
  MoveTrackbar(IDC_PAGE_CLOCK_ZOOM, 15);
  MoveTrackbar(IDC_PAGE_CLOCK_OPACITY, 3);
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_ZOOM_PERCENT)), Text(u"150%"));
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_OPACITY_PERCENT)), Text(u"30%"));
  ::SendMessageW(Item(IDC_PAGE_CLOCK_PICTURE), CB_SETCURSEL, 2, 0);
  ClickButton(page_, IDC_PAGE_CLOCK_TOPMOST);
  // Moving and choosing write nothing yet.
  EXPECT_EQ(Stored(L"Clock", L"Zoom"), -12345);
  EXPECT_TRUE(host_.flags.empty());

  ClickButton(page_, IDC_PAGE_CLOCK_SAVE);
  EXPECT_EQ(Stored(L"Clock", L"ClockFlag"), 1);
  EXPECT_EQ(Stored(L"Clock", L"TopMost"), 0);
  EXPECT_EQ(Stored(L"Clock", L"Transparence"), 3);
  EXPECT_EQ(Stored(L"Clock", L"BgColor"), 14062095);
  EXPECT_EQ(Stored(L"Clock", L"TextColor"), 16777215);
  EXPECT_EQ(Stored(L"Clock", L"Zoom"), 15);
  EXPECT_EQ(Stored(L"BACKGROUND", L"nCurrent"), 3);
  // Told after the writes, and synchronously: the clock reads them back.
  EXPECT_EQ(host_.flags, std::vector<int>{1});
  EXPECT_EQ(host_.zoomWhenTold, 15);
  EXPECT_EQ(Text(StatusShown()), Text(u"桌面时钟设置,保存成功！"));
  // Never the clock's own keys.
  EXPECT_EQ(Stored(L"Clock", L"Fix"), -12345);
  EXPECT_EQ(Stored(L"Clock", L"ClockMode"), -12345);
  EXPECT_EQ(Stored(L"Clock", L"nLostPosLeft"), -12345);
}

TEST_F(ClockPageTest, DisablingGreysTheDependentsAndSavesTheClockOff) {
  Open();
  ClickButton(page_, IDC_PAGE_CLOCK_ENABLED);
  EXPECT_EQ(DependentsEnabled(), kAllDisabled);
  EXPECT_EQ(Stored(L"Clock", L"ClockFlag"), -12345);
  ClickButton(page_, IDC_PAGE_CLOCK_SAVE);
  EXPECT_EQ(Stored(L"Clock", L"ClockFlag"), 0);
  EXPECT_EQ(host_.flags, std::vector<int>{0});
  ClickButton(page_, IDC_PAGE_CLOCK_ENABLED);
  EXPECT_EQ(DependentsEnabled(), kAllEnabled);
}

TEST_F(ClockPageTest, StoredValuesAndTheirEdges) {
  Configure(L"Clock", L"ClockFlag", L"0");
  Configure(L"Clock", L"TopMost", L"7");  // outside 0 to 2: unchecked
  Configure(L"Clock", L"Zoom", L"5");
  Configure(L"Clock", L"Transparence", L"15");
  Configure(L"BACKGROUND", L"nTotal", L"3");
  Configure(L"BACKGROUND", L"nCurrent", L"5");
  Open();
  EXPECT_FALSE(Checked(IDC_PAGE_CLOCK_ENABLED));
  EXPECT_FALSE(Checked(IDC_PAGE_CLOCK_TOPMOST));
  EXPECT_EQ(DependentsEnabled(), kAllDisabled);
  EXPECT_EQ(::SendMessageW(Item(IDC_PAGE_CLOCK_PICTURE), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Selection(), CB_ERR);
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_ZOOM_PERCENT)), Text(u"50%"));
  // The label says what the trackbar holds, not the value beyond its range.
  EXPECT_EQ(Position(IDC_PAGE_CLOCK_OPACITY), 10);
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_OPACITY_PERCENT)), Text(u"100%"));
  // No selection saves as 0.
  ClickButton(page_, IDC_PAGE_CLOCK_SAVE);
  EXPECT_EQ(Stored(L"BACKGROUND", L"nCurrent"), 0);
  EXPECT_EQ(Stored(L"Clock", L"TopMost"), 0);
}

TEST_F(ClockPageTest, AHugePictureCountListsNoMoreThanTheKeysCanName) {
  Configure(L"BACKGROUND", L"nTotal", L"2000000000");
  Open();
  EXPECT_EQ(::SendMessageW(Item(IDC_PAGE_CLOCK_PICTURE), CB_GETCOUNT, 0, 0), 99);
}

TEST_F(ClockPageTest, ColoursComeFromTheColourDialog) {
  Open();
  colourAnswer = RGB(0, 0, 0);
  ClickButton(page_, IDC_PAGE_CLOCK_TEXT);
  ASSERT_EQ(colourRequests.size(), 1u);
  EXPECT_EQ(colourRequests[0].flags, static_cast<DWORD>(CC_FULLOPEN | CC_RGBINIT));
  EXPECT_EQ(colourRequests[0].preselected, RGB(255, 255, 255));
  EXPECT_EQ(page().textColor(), RGB(0, 0, 0));
  EXPECT_EQ(page().textSwatch().colors().normalFace, RGB(0, 0, 0));
  EXPECT_EQ(page().textSwatch().colors().caption, RGB(0, 0, 0));

  // Black is not preselected; a cancel changes nothing.
  colourAnswer.reset();
  ClickButton(page_, IDC_PAGE_CLOCK_TEXT);
  ASSERT_EQ(colourRequests.size(), 2u);
  EXPECT_EQ(colourRequests[1].flags, static_cast<DWORD>(CC_FULLOPEN));
  EXPECT_EQ(page().textColor(), RGB(0, 0, 0));

  colourAnswer = RGB(120, 10, 10);
  ClickButton(page_, IDC_PAGE_CLOCK_BACKGROUND);
  EXPECT_EQ(page().background(), RGB(120, 10, 10));
  EXPECT_EQ(page().backgroundSwatch().colors().hotFace, RGB(120, 10, 10));
  EXPECT_EQ(page().backgroundSwatch().colors().caption, RGB(255, 255, 255));
  // The custom colours are one set for the run, kept across pages.
  EXPECT_NE(colourRequests[0].custom, nullptr);
  EXPECT_EQ(colourRequests[2].custom, colourRequests[0].custom);
  settings_.reset();
  Open();
  colourAnswer.reset();
  ClickButton(page_, IDC_PAGE_CLOCK_BACKGROUND);
  EXPECT_EQ(colourRequests.back().custom, colourRequests[0].custom);
  // Nothing was written until saving.
  EXPECT_EQ(Stored(L"Clock", L"BgColor"), -12345);
}

TEST_F(ClockPageTest, RestoringWritesAndShowsTheDefaults) {
  Configure(L"Clock", L"ClockFlag", L"0");
  Configure(L"Clock", L"Zoom", L"20");
  Configure(L"Clock", L"TextColor", L"255");
  Configure(L"Clock", L"Fix", L"1");
  Configure(L"BACKGROUND", L"nCurrent", L"4");
  Open();
  ClickButton(page_, IDC_PAGE_CLOCK_RESTORE);
  EXPECT_EQ(Stored(L"Clock", L"ClockFlag"), 1);
  EXPECT_EQ(Stored(L"Clock", L"TopMost"), 1);
  EXPECT_EQ(Stored(L"Clock", L"Transparence"), 8);
  EXPECT_EQ(Stored(L"Clock", L"BgColor"), 14062095);
  EXPECT_EQ(Stored(L"Clock", L"TextColor"), 16777215);
  EXPECT_EQ(Stored(L"Clock", L"Zoom"), 10);
  EXPECT_EQ(Stored(L"BACKGROUND", L"nCurrent"), 1);
  // A fixed clock stays fixed.
  EXPECT_EQ(Stored(L"Clock", L"Fix"), 1);
  EXPECT_TRUE(Checked(IDC_PAGE_CLOCK_ENABLED));
  EXPECT_TRUE(Checked(IDC_PAGE_CLOCK_TOPMOST));
  EXPECT_EQ(Selection(), 0);
  EXPECT_EQ(Position(IDC_PAGE_CLOCK_ZOOM), 10);
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_ZOOM_PERCENT)), Text(u"100%"));
  EXPECT_EQ(Text(TextOf(IDC_PAGE_CLOCK_OPACITY_PERCENT)), Text(u"80%"));
  EXPECT_EQ(DependentsEnabled(), kAllEnabled);
  EXPECT_EQ(page().background(), RGB(15, 146, 214));
  EXPECT_EQ(page().textColor(), RGB(255, 255, 255));
  EXPECT_EQ(page().backgroundSwatch().colors().normalFace, RGB(15, 146, 214));
  EXPECT_EQ(page().textSwatch().colors().normalFace, RGB(255, 255, 255));
  EXPECT_EQ(page().textSwatch().colors().caption, RGB(60, 60, 60));
  // Told after the writes.
  EXPECT_EQ(host_.flags, std::vector<int>{1});
  EXPECT_EQ(host_.zoomWhenTold, 10);
  EXPECT_EQ(Text(StatusShown()), Text(u"恢复桌面时钟设置成功！"));
}

}  // namespace
}  // namespace nightlatch
