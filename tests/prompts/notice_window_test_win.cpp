// The notice window: where and how it appears, its countdown, its texts,
// and that its owner never keeps a pointer to a destroyed notice.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "controls/window_text_win.h"
#include "platform/window_geometry_win.h"
#include "prompts/notice_window_win.h"

namespace nightlatch {
namespace {

constexpr UINT_PTR kTimer = CMessageDlg::kCountdownTimer;

std::wstring TextOf(const NoticeWindow& notice, int id) {
  return WindowText(::GetDlgItem(notice.window()->hwnd(), id));
}

void Tick(const NoticeWindow& notice, int times = 1) {
  for (int i = 0; i < times; ++i)
    ::SendMessageW(notice.window()->hwnd(), WM_TIMER, kTimer, 0);
}

bool Visible(const NoticeWindow& notice) {
  return ::IsWindowVisible(notice.window()->hwnd()) != FALSE;
}

TEST(NoticeWindowTest, SlidesInTopmostAtTheWorkAreasCornerWithItsTexts) {
  NoticeWindow notice;
  notice.Show(true, 5, u"关机 \n执行完毕！", u"Orvane关机助手提示");
  ASSERT_NE(notice.window(), nullptr);
  HWND hwnd = notice.window()->hwnd();
  EXPECT_TRUE(Visible(notice));
  EXPECT_NE(::GetActiveWindow(), hwnd) << "shown without activation";

  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT own{};
  ::GetWindowRect(hwnd, &own);
  EXPECT_EQ(own.right, work.right);
  EXPECT_EQ(own.bottom, work.bottom);

  const LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
  EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(TextOf(notice, IDC_MESSAGE_TEXT), L"关机 \n执行完毕！");
  EXPECT_EQ(TextOf(notice, IDC_MESSAGE_TITLE), L"Orvane关机助手提示");
  EXPECT_EQ(notice.window()->secondsLeft(), 5);
}

TEST(NoticeWindowTest, OkButtonSitsCentredOneAndAHalfHeightsAboveTheBottom) {
  NoticeWindow notice;
  notice.Show(true, 5, u"报时失败", u"Orvane关机助手提示");
  HWND hwnd = notice.window()->hwnd();
  RECT client{};
  ::GetClientRect(hwnd, &client);
  const RECT button = BoundsInParent(::GetDlgItem(hwnd, IDOK));
  const int width = button.right - button.left;
  const int height = button.bottom - button.top;
  EXPECT_LE(std::abs(button.left - (client.right - width) / 2), 1);
  EXPECT_EQ(button.top, client.bottom - height * 3 / 2);
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hwnd, IDCANCEL)));
}

TEST(NoticeWindowTest, CountsDownOnlyWhileVisibleAndFadesOutAtZero) {
  NoticeWindow notice;
  notice.Show(true, 3, u"现在时间： 8点00分", u"Orvane报时");
  Tick(notice, 2);
  EXPECT_EQ(notice.window()->secondsLeft(), 1);
  EXPECT_TRUE(Visible(notice));
  Tick(notice);
  EXPECT_FALSE(Visible(notice)) << "faded out when the count reached 0";
  EXPECT_EQ(notice.window()->secondsLeft(), 60);

  // Hidden, the count stays at its start whatever it was.
  notice.window()->SetSecondsLeft(4);
  Tick(notice);
  EXPECT_EQ(notice.window()->secondsLeft(), 60);
  EXPECT_FALSE(Visible(notice));

  // Other timers are not the countdown.
  notice.Show(true, 3, u"a", u"b");
  ::SendMessageW(notice.window()->hwnd(), WM_TIMER, kTimer + 1, 0);
  EXPECT_EQ(notice.window()->secondsLeft(), 3);
}

TEST(NoticeWindowTest, ZeroSecondsMeansSixty) {
  NoticeWindow notice;
  notice.Show(true, 7, u"报时失败", u"Orvane关机助手提示");
  Tick(notice, 2);
  notice.Show(true, 0, u"发现新版本^_^\n请打开窗口，点击相关链接下载新版本！\n",
              u"Orvane关机助手提示");
  EXPECT_EQ(notice.window()->secondsLeft(), 60);
  Tick(notice, 59);
  EXPECT_TRUE(Visible(notice));
  Tick(notice);
  EXPECT_FALSE(Visible(notice));
}

TEST(NoticeWindowTest, TextsAreReplacedOnlyWhenOneIsGiven) {
  struct Case {
    const char* name;
    std::u16string_view text;
    std::u16string_view title;
    const wchar_t* shownText;
    const wchar_t* shownTitle;
  };
  const Case cases[] = {
      {"both empty keep the last", u"", u"", L"旧文本", L"旧标题"},
      {"text only", u"新文本", u"", L"新文本", L""},
      {"title only", u"", u"新标题", L"", L"新标题"},
      {"both", u"新文本", u"新标题", L"新文本", L"新标题"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NoticeWindow notice;
    notice.Show(true, 5, u"旧文本", u"旧标题");
    Tick(notice, 5);
    ASSERT_FALSE(Visible(notice));
    notice.Show(true, 5, c.text, c.title);
    EXPECT_TRUE(Visible(notice)) << "shown again";
    EXPECT_EQ(TextOf(notice, IDC_MESSAGE_TEXT), c.shownText);
    EXPECT_EQ(TextOf(notice, IDC_MESSAGE_TITLE), c.shownTitle);
  }
}

TEST(NoticeWindowTest, ShowingAgainWhileVisibleRestartsWithTheNewTime) {
  NoticeWindow notice;
  notice.Show(true, 10, u"现在时间：10点00分", u"Orvane报时");
  Tick(notice, 4);
  CMessageDlg* first = notice.window();
  notice.Show(true, 5, u"关机 \n执行完毕！", u"Orvane关机助手提示");
  EXPECT_EQ(notice.window(), first) << "one notice window, reused";
  EXPECT_TRUE(Visible(notice));
  EXPECT_EQ(notice.window()->secondsLeft(), 5);
  EXPECT_EQ(TextOf(notice, IDC_MESSAGE_TEXT), L"关机 \n执行完毕！");
}

TEST(NoticeWindowTest, WithoutSlideItOnlyFadesOut) {
  NoticeWindow notice;
  notice.Show(false, 5, u"文本", u"标题");
  ASSERT_NE(notice.window(), nullptr) << "made hidden on first use";
  EXPECT_FALSE(Visible(notice));
  notice.Show(true, 5, u"", u"");
  EXPECT_EQ(TextOf(notice, IDC_MESSAGE_TEXT), L"文本") << "the texts were still taken";
  notice.Show(false, 5, u"", u"");
  EXPECT_FALSE(Visible(notice));
}

TEST(NoticeWindowTest, OkHidesAndTheHiddenCancelDestroysAndIsForgotten) {
  NoticeWindow notice;
  notice.Show(true, 5, u"文本", u"标题");
  HWND first = notice.window()->hwnd();
  ::SendMessageW(first, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(::IsWindow(first));
  EXPECT_FALSE(::IsWindowVisible(first));

  ::SendMessageW(first, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_EQ(notice.window(), nullptr) << "the owner forgets a destroyed notice";

  notice.Show(true, 5, u"", u"");
  ASSERT_NE(notice.window(), nullptr) << "made again on the next use";
  EXPECT_TRUE(Visible(notice));
  EXPECT_EQ(TextOf(notice, IDC_MESSAGE_TEXT), L"") << "a new notice starts empty";
}

TEST(NoticeWindowTest, OwnerTakesItsNoticeAlongWhenItGoes) {
  HWND hwnd = nullptr;
  {
    NoticeWindow notice;
    notice.Show(true, 5, u"文本", u"标题");
    hwnd = notice.window()->hwnd();
    ASSERT_TRUE(::IsWindow(hwnd));
  }
  EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(NoticeWindowTest, TitleUsesTheBoldTitleFont) {
  NoticeWindow notice;
  notice.Show(true, 5, u"文本", u"标题");
  const auto font = reinterpret_cast<HFONT>(
      ::SendMessageW(::GetDlgItem(notice.window()->hwnd(), IDC_MESSAGE_TITLE), WM_GETFONT, 0, 0));
  LOGFONTW title{};
  ASSERT_EQ(::GetObjectW(font, sizeof title, &title), static_cast<int>(sizeof title));
  EXPECT_EQ(std::wstring(title.lfFaceName), L"宋体");
  EXPECT_EQ(title.lfHeight, 14);
  EXPECT_EQ(title.lfWeight, FW_BOLD);
}

}  // namespace
}  // namespace nightlatch
