// The desktop clock as a real window: where and how big it opens, its shape,
// what it paints, its menu, the reload after a settings change, and what it
// writes to config.ini.
#include "clock/clock_window_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/wide_string_win.h"
#include "resources/nightlatch_ids.h"
#include "resources/nightlatch_messages.h"
#include "shell/program_win.h"
#include "support/bitmap_file_win.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/pixels_win.h"
#include "support/printable_text.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::PumpMessages;
using testing::Rgb;

constexpr COLORREF kPictureLeft = RGB(200, 30, 60);    // the picture's first fifth
constexpr COLORREF kPictureRest = RGB(240, 200, 20);   // the rest
constexpr COLORREF kSecondPicture = RGB(30, 160, 90);  // picture 2, one colour

// The clock's owner, standing in for the main dialog: records the commands
// the clock forwards.
struct OwnerStandIn : testing::ControlHost {
  bool ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    if (message != WM_COMMAND)
      return false;
    commands.push_back(LOWORD(wParam));
    return true;
  }
  std::vector<int> commands;
};

RECT WorkArea() {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

RECT Bounds(HWND window) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  return bounds;
}

class ClockWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner_.Open(50, 50));
    const std::filesystem::path images = programFolder_ / "resource" / "image";
    std::filesystem::create_directories(images);
    testing::WriteBitmap(images / "Clock01.bmp", 137, 110, 27, kPictureLeft, kPictureRest);
    testing::WriteBitmap(images / "Clock02.bmp", 110, 110, 0, kSecondPicture, kSecondPicture);
  }

  void TearDown() override {
    if (clock_)
      clock_->DestroyWindow();
    clock_.reset();
    PumpMessages();
  }

  void Configure(const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    ::WritePrivateProfileStringW(section, key, value.c_str(), ConfigPath());
  }
  int Stored(const wchar_t* section, const wchar_t* key, int missing = -12345) const {
    return static_cast<int>(::GetPrivateProfileIntW(section, key, missing, ConfigPath()));
  }
  const wchar_t* ConfigPath() const { return AsWide(program_.config().path().c_str()); }

  void Open() {
    clock_ = std::make_unique<CClockWindow>(program_, fakeClock_, owner_.hwnd(),
                                            programFolder_.u16() + u"\\");
    ASSERT_NE(clock_->Create(::GetDesktopWindow()), nullptr);
    PumpMessages();
  }
  HWND window() const { return clock_->hwnd(); }

  // The face as the clock paints it, into a canvas of its size.
  std::unique_ptr<testing::PixelCanvas> Face() const {
    const int side = clock_->geometry().side();
    auto canvas = std::make_unique<testing::PixelCanvas>(side, side);
    ::SendMessageW(window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
    return canvas;
  }

  bool MenuChecked(int id) const {
    const UINT state = ::GetMenuState(clock_->clockMenu(), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
  }
  std::vector<int> CheckedOpacityItems() const {
    std::vector<int> checked;
    for (int id = 32786; id <= 32795; ++id)
      if (MenuChecked(id))
        checked.push_back(id);
    return checked;
  }
  int Alpha() const {
    BYTE alpha = 0;
    DWORD flags = 0;
    ::GetLayeredWindowAttributes(window(), nullptr, &alpha, &flags);
    return (flags & LWA_ALPHA) ? alpha : -1;
  }
  bool Topmost() const { return (::GetWindowLongPtrW(window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

  testing::TempFolder data_{u"clock data"};
  testing::TempFolder programFolder_{u"clock program"};
  Program program_{data_.u16()};
  testing::FakeClock fakeClock_;
  OwnerStandIn owner_;
  std::unique_ptr<CClockWindow> clock_;
};

TEST_F(ClockWindowTest, FreshStartOpensAtTheDefaultPlaceSizeAndLook) {
  Open();
  wchar_t className[64] = {};
  ::GetClassNameW(window(), className, 64);
  EXPECT_STREQ(className, L"ORV_Clock_Window");
  const RECT bounds = Bounds(window());
  EXPECT_EQ(bounds.right - bounds.left, 225);
  EXPECT_EQ(bounds.bottom - bounds.top, 225);
  EXPECT_EQ(bounds.left, WorkArea().right - 275);
  EXPECT_EQ(bounds.top, 55);
  EXPECT_TRUE(::IsWindowVisible(window()));
  const LONG_PTR exStyle = ::GetWindowLongPtrW(window(), GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(Topmost());
  EXPECT_EQ(Alpha(), 204);
  EXPECT_FALSE(clock_->fixed());
  EXPECT_EQ(clock_->background(), RGB(15, 146, 214));
  EXPECT_EQ(clock_->textColor(), RGB(255, 255, 255));
  EXPECT_NE(clock_->picture(), nullptr);
  // The menu as the settings say: on top, not fixed, 80 %.
  EXPECT_TRUE(MenuChecked(IDM_CLOCK_TOPMOST));
  EXPECT_FALSE(MenuChecked(IDM_CLOCK_FIXED));
  EXPECT_EQ(CheckedOpacityItems(), std::vector<int>{32788});
  // Nothing is written just by opening.
  EXPECT_FALSE(std::filesystem::exists(data_ / "config.ini"));
}

// The menu's texts and ids as the user reads them, in order.
TEST_F(ClockWindowTest, TheMenuHoldsItsItemsInOrder) {
  Open();
  const auto items = [](HMENU menu) {
    std::vector<std::pair<int, std::wstring>> found;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      wchar_t text[64] = {};
      ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      const UINT id = ::GetMenuItemID(menu, i);
      found.emplace_back(id == static_cast<UINT>(-1) ? -1 : static_cast<int>(id), text);
    }
    return found;
  };
  HMENU menu = clock_->clockMenu();
  using Items = std::vector<std::pair<int, std::wstring>>;
  EXPECT_EQ(items(menu), (Items{{-1, L"界面透明"},
                                {32780, L"窗口置顶"},
                                {32797, L"窗口固定"},
                                {0, L""},
                                {32773, L"关机"},
                                {32774, L"重启"},
                                {32776, L"锁屏"},
                                {0, L""},
                                {32783, L"关闭时钟"}}));
  EXPECT_EQ(items(::GetSubMenu(menu, 0)), (Items{{32786, L"不透明"},
                                                 {32787, L"90%"},
                                                 {32788, L"80%"},
                                                 {32790, L"60%"},
                                                 {32792, L"40%"},
                                                 {32794, L"20%"},
                                                 {32795, L"10%"}}));
  wchar_t name[32] = {};
  ::GetMenuStringW(clock_->menu(), 1, name, 32, MF_BYPOSITION);
  EXPECT_STREQ(name, L"ClockMenu");
}

TEST_F(ClockWindowTest, ShapeIsABandAndTwoSquares) {
  Open();
  ScopedRegion shape(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(window(), shape.get()), ERROR);
  struct Point {
    int x;
    int y;
    bool inside;
  };
  const Point points[] = {
      {0, 0, true},     {224, 109, true}, {112, 110, false},  // the gap under the band
      {5, 120, true},   {109, 224, true}, {112, 170, false},  // between the squares
      {115, 115, true}, {224, 224, true}, {225, 100, false},
  };
  for (const Point& p : points)
    EXPECT_EQ(::PtInRegion(shape.get(), p.x, p.y) != FALSE, p.inside) << p.x << "," << p.y;
}

TEST_F(ClockWindowTest, PaintsBackgroundTextAndPicture) {
  Configure(L"Clock", L"BgColor", std::to_wstring(RGB(10, 20, 200)));
  Configure(L"Clock", L"TextColor", std::to_wstring(RGB(250, 250, 0)));
  Open();
  const std::unique_ptr<testing::PixelCanvas> face = Face();
  const ClockGeometry& g = clock_->geometry();
  EXPECT_EQ(face->At(1, 1), Rgb(RGB(10, 20, 200)));
  // Text in the band (time, date, seconds) and in the weekday square.
  EXPECT_GT(face->Count(RGB(250, 250, 0), RECT{0, 0, g.side(), g.cell}), 200);
  EXPECT_GT(face->Count(RGB(250, 250, 0), RECT{0, g.cell + g.gap, g.cell, g.side()}), 100);
  EXPECT_EQ(face->Count(RGB(250, 250, 0), RECT{g.cell + g.gap, g.cell + g.gap, g.side(), g.side()}),
            0);
  // The picture fills its square, from its left edge or from a fifth in.
  const RECT square{g.cell + g.gap, g.cell + g.gap, g.side(), g.side()};
  const int pictureInk = face->Count(kPictureLeft, square) + face->Count(kPictureRest, square);
  EXPECT_EQ(pictureInk, g.cell * g.cell);
}

// What the face draws with DrawTextW, each call as made.
struct DrawnText {
  std::wstring text;
  RECT box;
  UINT format;
  std::wstring face;
  LONG height;
  LONG weight;
};
std::vector<DrawnText> drawnTexts;
int WINAPI RecordDrawText(HDC dc, LPCWSTR text, int length, LPRECT box, UINT format) {
  LOGFONTW font{};
  ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
  drawnTexts.push_back(
      {std::wstring(text, length), *box, format, font.lfFaceName, font.lfHeight, font.lfWeight});
  return ::DrawTextW(dc, text, length, box, format);
}

// Each text in its own box, format and font: at 2026-11-30 08:53:20, a
// Monday, in the fake clock's zone; 96 dpi.
TEST_F(ClockWindowTest, EachTextIsDrawnInItsBoxWithItsFont) {
  clock_ = std::make_unique<CClockWindow>(program_, fakeClock_, owner_.hwnd(),
                                          programFolder_.u16() + u"\\",
                                          CClockWindow::Seams{::SetTimer, RecordDrawText});
  ASSERT_NE(clock_->Create(::GetDesktopWindow()), nullptr);
  PumpMessages();
  drawnTexts.clear();
  Face();
  const int dpi = ::GetDeviceCaps(ScopedWindowDC(nullptr).get(), LOGPIXELSY);
  const LONG big = -::MulDiv(50, dpi, 72);
  const LONG small = -::MulDiv(11, dpi, 72);
  constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  const struct {
    const wchar_t* text;
    RECT box;
    UINT format;
    const wchar_t* face;
    LONG height;
    LONG weight;
  } expected[] = {
      {L"08:53", {0, 0, 225, 110}, kCentred, L"Verdana", big, FW_NORMAL},
      {L"2026年11月30日", {0, 0, 225, 27}, kCentred, L"宋体", small, FW_NORMAL},
      {L"20", {0, 0, 220, 105}, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, L"宋体", small, FW_NORMAL},
      {L"一", {0, 115, 110, 225}, kCentred, L"宋体", big, FW_BOLD},
      {L"周", {5, 115, 110, 142}, DT_LEFT | DT_VCENTER | DT_SINGLELINE, L"宋体", small, FW_NORMAL},
  };
  ASSERT_EQ(drawnTexts.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const DrawnText& got = drawnTexts[i];
    const auto& want = expected[i];
    SCOPED_TRACE(testing::ToUtf8(FromWide(want.text)));
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.box.left, want.box.left);
    EXPECT_EQ(got.box.top, want.box.top);
    EXPECT_EQ(got.box.right, want.box.right);
    EXPECT_EQ(got.box.bottom, want.box.bottom);
    EXPECT_EQ(got.format, want.format);
    EXPECT_EQ(got.face, want.face);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.weight, want.weight);
  }
}

// A timer to the next second that cannot be armed: the clock goes on at a
// plain second instead of stopping.
std::vector<UINT> timerRequests;
UINT_PTR WINAPI TimerToTheSecondFails(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure) {
  timerRequests.push_back(period);
  if (period != 1000)
    return 0;
  return ::SetTimer(window, id, period, procedure);
}

TEST_F(ClockWindowTest, ARepaintTimerThatCannotBeArmedFallsBackToASecond) {
  timerRequests.clear();
  fakeClock_.millisecond = 400;
  clock_ = std::make_unique<CClockWindow>(program_, fakeClock_, owner_.hwnd(),
                                          programFolder_.u16() + u"\\",
                                          CClockWindow::Seams{TimerToTheSecondFails, ::DrawTextW});
  ASSERT_NE(clock_->Create(::GetDesktopWindow()), nullptr);
  EXPECT_EQ(timerRequests, (std::vector<UINT>{610, 1000}));
  EXPECT_TRUE(::KillTimer(window(), CClockWindow::kRepaintTimer)) << "no timer runs";
  ::SendMessageW(window(), WM_TIMER, CClockWindow::kRepaintTimer, 0);
  EXPECT_TRUE(::KillTimer(window(), CClockWindow::kRepaintTimer)) << "the re-arm left no timer";
}

TEST_F(ClockWindowTest, PictureIsShiftedForFourPaintsOfEveryTen) {
  Open();
  const ClockGeometry& g = clock_->geometry();
  std::string seen;
  for (int paint = 0; paint < 20; ++paint) {
    // The square's left edge shows the picture's first fifth only unshifted.
    const COLORREF edge = ::GetPixel(Face()->dc(), g.cell + g.gap + 2, g.cell + g.gap + g.cell / 2);
    seen += edge == kPictureLeft ? 'u' : edge == kPictureRest ? 's' : '?';
  }
  // Whatever the phase the cycle is in, ten paints in a row hold four shifted
  // ones, side by side.
  ASSERT_EQ(seen.find('?'), std::string::npos) << seen;
  const std::string cycle = seen.substr(0, 10);
  EXPECT_EQ(std::count(cycle.begin(), cycle.end(), 's'), 4) << seen;
  EXPECT_EQ(seen.substr(10), cycle) << seen;
  EXPECT_NE((cycle + cycle).find("ssss"), std::string::npos) << seen;
}

TEST_F(ClockWindowTest, ZoomSetsTheSizeAndHostileValuesGiveTheDefault) {
  struct Case {
    const wchar_t* zoom;
    int side;
  };
  const Case cases[] = {{L"5", 112},  {L"7", 155},  {L"13", 290},
                        {L"20", 450}, {L"-1", 225}, {L"100000", 225}};
  for (const Case& c : cases) {
    Configure(L"Clock", L"Zoom", c.zoom);
    Open();
    const RECT bounds = Bounds(window());
    EXPECT_EQ(bounds.right - bounds.left, c.side) << c.zoom;
    EXPECT_EQ(bounds.bottom - bounds.top, c.side) << c.zoom;
    ScopedRegion shape(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(window(), shape.get());
    RECT box{};
    ::GetRgnBox(shape.get(), &box);
    EXPECT_EQ(box.right, c.side) << c.zoom;
    clock_->DestroyWindow();
  }
}

TEST_F(ClockWindowTest, StoredPlaceIsUsedWhileAMonitorShowsIt) {
  const RECT work = WorkArea();
  Configure(L"Clock", L"nLostPosLeft", L"40");
  Configure(L"Clock", L"nLastPostop", L"300");
  Open();
  EXPECT_EQ(Bounds(window()).left, 40);
  EXPECT_EQ(Bounds(window()).top, 300);
  clock_->DestroyWindow();

  // Beyond every monitor (one that was removed), or showing no more than a
  // sliver of its band: the default place.
  const std::pair<int, int> unreachable[] = {
      {work.right + 500, -2000}, {work.right - 1, 300}, {40, work.top - 109}};
  for (const auto& [left, top] : unreachable) {
    Configure(L"Clock", L"nLostPosLeft", std::to_wstring(left));
    Configure(L"Clock", L"nLastPostop", std::to_wstring(top));
    Open();
    EXPECT_EQ(Bounds(window()).left, work.right - 275) << left << "," << top;
    EXPECT_EQ(Bounds(window()).top, 55) << left << "," << top;
    clock_->DestroyWindow();
  }
}

TEST_F(ClockWindowTest, DestroyingWritesWhereTheClockIs) {
  Open();
  ::SetWindowPos(window(), nullptr, 321, 234, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  clock_->DestroyWindow();
  EXPECT_EQ(Stored(L"Clock", L"nLostPosLeft"), 321);
  EXPECT_EQ(Stored(L"Clock", L"nLastPostop"), 234);
  // Opening again, it is where it was left.
  Open();
  EXPECT_EQ(Bounds(window()).left, 321);
  EXPECT_EQ(Bounds(window()).top, 234);
}

// A real drag with the mouse through Wine's input: the clock follows unless
// it is fixed. The system's move loop runs inside the press, so the rest of
// the gesture comes from another thread.
TEST_F(ClockWindowTest, DragMovesTheClockUnlessItIsFixed) {
  const auto drag = [&] {
    const RECT before = Bounds(window());
    ::SetCursorPos(before.left + 20, before.top + 20);
    PumpMessages();
    std::thread gesture([] {
      const auto send = [](DWORD flags, LONG dx, LONG dy) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        input.mi.dx = dx;
        input.mi.dy = dy;
        ::SendInput(1, &input, sizeof input);
        ::Sleep(150);
      };
      send(MOUSEEVENTF_LEFTDOWN, 0, 0);
      send(MOUSEEVENTF_MOVE, 20, 15);
      send(MOUSEEVENTF_MOVE, 20, 15);
      send(MOUSEEVENTF_LEFTUP, 0, 0);
    });
    testing::PumpMessagesFor(900);
    gesture.join();
    PumpMessages();
    const RECT after = Bounds(window());
    return POINT{after.left - before.left, after.top - before.top};
  };
  Open();
  const POINT moved = drag();
  EXPECT_TRUE(moved.x != 0 || moved.y != 0) << "the drag did not move an unfixed clock";
  ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_FIXED, 0);
  ASSERT_TRUE(clock_->fixed());
  const POINT stayed = drag();
  EXPECT_EQ(stayed.x, 0);
  EXPECT_EQ(stayed.y, 0);
}

// The menu opens on a right click, fixed or not; the test closes it from a
// timer inside the menu's loop.
bool menuSeen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  menuSeen = ::FindWindowW(L"#32768", nullptr) != nullptr;
  ::EndMenu();
}

TEST_F(ClockWindowTest, RightClickOpensTheMenuEvenWhenFixed) {
  Configure(L"Clock", L"Fix", L"1");
  Open();
  ASSERT_TRUE(clock_->fixed());
  menuSeen = false;
  ::SetTimer(nullptr, 0, 300, CloseMenu);
  ::SendMessageW(window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(menuSeen);
}

TEST_F(ClockWindowTest, OpacityItemsApplyWriteAndCheckOne) {
  Open();
  struct Case {
    int id;
    int level;
    int alpha;
  };
  for (const Case& c : {Case{32790, 6, 153}, Case{32786, 10, 255}, Case{32795, 1, 25}}) {
    ::SendMessageW(window(), WM_COMMAND, static_cast<WPARAM>(c.id), 0);
    EXPECT_EQ(Alpha(), c.alpha) << c.id;
    EXPECT_EQ(Stored(L"Clock", L"Transparence"), c.level) << c.id;
    EXPECT_EQ(CheckedOpacityItems(), std::vector<int>{c.id}) << c.id;
  }
  // An id without an item changes nothing.
  ::SendMessageW(window(), WM_COMMAND, 32789, 0);
  EXPECT_EQ(Alpha(), 25);
  EXPECT_EQ(Stored(L"Clock", L"Transparence"), 1);
  EXPECT_EQ(CheckedOpacityItems(), std::vector<int>{32795});
}

TEST_F(ClockWindowTest, StoredOpacityLevelsAndTheirCheckMarks) {
  struct Case {
    const wchar_t* stored;
    int alpha;
    std::vector<int> checked;
  };
  // 7 has no item; 0 and 15 show opaque.
  const Case cases[] = {{L"7", 178, {}}, {L"0", 255, {32786}}, {L"15", 255, {32786}}};
  for (const Case& c : cases) {
    Configure(L"Clock", L"Transparence", c.stored);
    Open();
    EXPECT_EQ(Alpha(), c.alpha) << c.stored;
    EXPECT_EQ(CheckedOpacityItems(), c.checked) << c.stored;
    clock_->DestroyWindow();
  }
}

TEST_F(ClockWindowTest, NotOnTopWhenTheSettingSaysSo) {
  Configure(L"Clock", L"TopMost", L"0");
  Open();
  EXPECT_FALSE(Topmost());
  EXPECT_FALSE(MenuChecked(IDM_CLOCK_TOPMOST));
}

TEST_F(ClockWindowTest, TopmostAndFixedToggleWriteAndCheck) {
  Open();
  ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_TOPMOST, 0);
  EXPECT_FALSE(Topmost());
  EXPECT_FALSE(MenuChecked(IDM_CLOCK_TOPMOST));
  EXPECT_EQ(Stored(L"Clock", L"TopMost"), 0);
  ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_TOPMOST, 0);
  EXPECT_TRUE(Topmost());
  EXPECT_TRUE(MenuChecked(IDM_CLOCK_TOPMOST));
  EXPECT_EQ(Stored(L"Clock", L"TopMost"), 1);

  ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_FIXED, 0);
  EXPECT_TRUE(clock_->fixed());
  EXPECT_TRUE(MenuChecked(IDM_CLOCK_FIXED));
  EXPECT_EQ(Stored(L"Clock", L"Fix"), 1);
  ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_FIXED, 0);
  EXPECT_FALSE(clock_->fixed());
  EXPECT_EQ(Stored(L"Clock", L"Fix"), 0);
}

TEST_F(ClockWindowTest, CloseHidesWithoutWritingAndPowerItemsGoToTheOwner) {
  Open();
  ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_CLOSE, 0);
  EXPECT_FALSE(::IsWindowVisible(window()));
  EXPECT_EQ(Stored(L"Clock", L"ClockFlag"), -12345);
  ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_SHOW, 0);
  EXPECT_TRUE(::IsWindowVisible(window()));

  for (int id : {IDM_TRAY_SHUTDOWN, IDM_TRAY_RESTART, IDM_TRAY_LOCK, IDM_TRAY_LOGOFF})
    ::SendMessageW(window(), WM_COMMAND, static_cast<WPARAM>(id), 0);
  PumpMessages();
  // 注销 is no item of the clock's menu: not forwarded.
  EXPECT_EQ(owner_.commands,
            (std::vector<int>{IDM_TRAY_SHUTDOWN, IDM_TRAY_RESTART, IDM_TRAY_LOCK}));
}

TEST_F(ClockWindowTest, ReloadFollowsTheSettingsAtTheSamePlace) {
  Open();
  ::SetWindowPos(window(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Configure(L"Clock", L"Zoom", L"20");
  Configure(L"Clock", L"BgColor", std::to_wstring(RGB(90, 0, 90)));
  Configure(L"Clock", L"Transparence", L"10");
  Configure(L"Clock", L"TopMost", L"0");
  Configure(L"Clock", L"Fix", L"1");
  Configure(L"Clock", L"TextColor", std::to_wstring(RGB(0, 250, 250)));
  Configure(L"BACKGROUND", L"nCurrent", L"2");
  ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  PumpMessages();
  const RECT bounds = Bounds(window());
  EXPECT_EQ(bounds.left, 200);
  EXPECT_EQ(bounds.top, 150);
  EXPECT_EQ(bounds.right - bounds.left, 450);
  EXPECT_TRUE(::IsWindowVisible(window()));
  EXPECT_FALSE(::IsIconic(window()));
  EXPECT_EQ(Alpha(), 255);
  EXPECT_FALSE(Topmost());
  // The menu's marks follow what the reload applied.
  EXPECT_FALSE(MenuChecked(IDM_CLOCK_TOPMOST));
  EXPECT_TRUE(MenuChecked(IDM_CLOCK_FIXED));
  EXPECT_EQ(CheckedOpacityItems(), std::vector<int>{32786});
  EXPECT_TRUE(clock_->fixed());
  EXPECT_EQ(clock_->textColor(), RGB(0, 250, 250));

  const std::unique_ptr<testing::PixelCanvas> face = Face();
  const ClockGeometry& g = clock_->geometry();
  EXPECT_EQ(g.cell, 220);
  EXPECT_EQ(face->At(1, 1), Rgb(RGB(90, 0, 90)));
  EXPECT_EQ(face->At(g.cell + g.gap + 5, g.cell + g.gap + 5), Rgb(kSecondPicture));
  EXPECT_GT(face->Count(RGB(0, 250, 250), RECT{0, 0, g.side(), g.cell}), 200);

  // Another clock mode: the window stays, and nothing is painted.
  Configure(L"Clock", L"ClockMode", L"2");
  ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  EXPECT_TRUE(::IsWindowVisible(window()));
  EXPECT_EQ(Face()->Count(RGB(1, 2, 3), RECT{0, 0, 450, 450}), 450 * 450);
}

// Values the clock takes otherwise than they stand (2 is on, 15 opaque,
// 0 opaque) are applied and not written back.
TEST_F(ClockWindowTest, ReloadWritesNothingBack) {
  Open();
  const std::pair<const wchar_t*, const wchar_t*> stored[] = {
      {L"TopMost", L"2"}, {L"Transparence", L"15"}, {L"Fix", L"3"}, {L"Zoom", L"30"}};
  for (const auto& [key, value] : stored)
    Configure(L"Clock", key, value);
  ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  EXPECT_TRUE(Topmost());
  EXPECT_EQ(Alpha(), 255);
  EXPECT_TRUE(clock_->fixed());
  for (const auto& [key, value] : stored) {
    wchar_t text[32] = {};
    ::GetPrivateProfileStringW(L"Clock", key, L"", text, 32, ConfigPath());
    EXPECT_STREQ(text, value) << testing::ToUtf8(FromWide(key));
  }
  EXPECT_EQ(Stored(L"Clock", L"ClockFlag"), -12345);
}

// After a reload has switched on-top off (the clock page's box), the first
// click of 窗口置顶 puts the clock on top again; likewise back.
TEST_F(ClockWindowTest, AToggleAfterAReloadGoesFromTheStateApplied) {
  Open();
  for (const bool reloadedOn : {false, true}) {
    SCOPED_TRACE(reloadedOn);
    Configure(L"Clock", L"TopMost", reloadedOn ? L"1" : L"0");
    ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
    ASSERT_EQ(Topmost(), reloadedOn);
    ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_TOPMOST, 0);
    EXPECT_EQ(Topmost(), !reloadedOn);
    EXPECT_EQ(MenuChecked(IDM_CLOCK_TOPMOST), !reloadedOn);
    EXPECT_EQ(Stored(L"Clock", L"TopMost"), reloadedOn ? 0 : 1);
  }
  // Fixed, changed in the file behind the clock's back, likewise.
  Configure(L"Clock", L"Fix", L"1");
  ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  ASSERT_TRUE(clock_->fixed());
  ::SendMessageW(window(), WM_COMMAND, IDM_CLOCK_FIXED, 0);
  EXPECT_FALSE(clock_->fixed());
  EXPECT_FALSE(MenuChecked(IDM_CLOCK_FIXED));
}

// A number without a bundled file and without its key names nothing on a
// reload: the picture there is stays, as with an empty key.
TEST_F(ClockWindowTest, AReloadToANumberWithoutAFileKeepsThePicture) {
  Configure(L"BACKGROUND", L"nCurrent", L"2");
  Open();
  const HBITMAP second = clock_->picture();
  ASSERT_NE(second, nullptr);
  Configure(L"BACKGROUND", L"nCurrent", L"6");
  ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  EXPECT_EQ(clock_->picture(), second);
  const ClockGeometry& g = clock_->geometry();
  EXPECT_EQ(Face()->At(g.cell + g.gap + 5, g.cell + g.gap + 5), Rgb(kSecondPicture));
}

TEST_F(ClockWindowTest, PictureThatCannotBeLoadedKeepsThePreviousOne) {
  Open();
  const HBITMAP first = clock_->picture();
  ASSERT_NE(first, nullptr);
  Configure(L"BACKGROUND", L"nCurrent", L"3");
  Configure(L"BACKGROUND", L"sFile03", L"resource\\image\\missing.bmp");
  ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  EXPECT_EQ(clock_->picture(), first);
  // Present but empty names nothing.
  Configure(L"BACKGROUND", L"sFile03", L"");
  ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  EXPECT_EQ(clock_->picture(), first);
  // The bundled picture of the number when its key is missing.
  Configure(L"BACKGROUND", L"nCurrent", L"2");
  ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  const ClockGeometry& g = clock_->geometry();
  EXPECT_EQ(Face()->At(g.cell + g.gap + 5, g.cell + g.gap + 5), Rgb(kSecondPicture));
}

// Outside the program folder only an existing .bmp file is taken: a real
// bitmap under another name is refused, by a climbing path or a full one.
TEST_F(ClockWindowTest, APictureOutsideTheProgramFolderMustBeABmpFile) {
  testing::WriteBitmap(data_ / "outside.bmp", 110, 110, 0, kSecondPicture, kSecondPicture);
  testing::WriteBitmap(data_ / "outside.dat", 110, 110, 0, kSecondPicture, kSecondPicture);
  const std::wstring climbing = L"..\\" + data_.path().filename().wstring() + L"\\";
  struct Case {
    std::wstring value;
    bool taken;
  };
  const Case cases[] = {
      {climbing + L"outside.dat", false},
      {(data_ / "outside.dat").wstring(), false},
      {climbing + L"outside.bmp", true},
      {(data_ / "outside.bmp").wstring(), true},
  };
  Configure(L"BACKGROUND", L"nCurrent", L"4");
  for (const Case& c : cases) {
    Configure(L"BACKGROUND", L"sFile04", c.value);
    Open();
    const ClockGeometry& g = clock_->geometry();
    const std::string expected = c.taken ? Rgb(kSecondPicture) : Rgb(RGB(1, 2, 3));
    // Refused at creation: no picture, nothing painted.
    EXPECT_EQ(Face()->At(g.cell + g.gap + 5, g.cell + g.gap + 5), expected)
        << testing::ToUtf8(FromWide(c.value));
    clock_->DestroyWindow();
  }
}

TEST_F(ClockWindowTest, WithoutAPictureOrInAnotherModeNothingIsPainted) {
  std::filesystem::remove(programFolder_ / "resource" / "image" / "Clock01.bmp");
  Open();
  EXPECT_EQ(clock_->picture(), nullptr);
  EXPECT_EQ(Face()->Count(RGB(1, 2, 3), RECT{0, 0, 225, 225}), 225 * 225);
  clock_->DestroyWindow();

  testing::WriteBitmap(programFolder_ / "resource" / "image" / "Clock01.bmp", 137, 110, 27,
                       kPictureLeft, kPictureRest);
  Configure(L"Clock", L"ClockMode", L"1");
  Open();
  EXPECT_NE(clock_->picture(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(window()));
  EXPECT_EQ(Face()->Count(RGB(1, 2, 3), RECT{0, 0, 225, 225}), 225 * 225);
}

// The process's live GDI objects. GetGuiResources counts nothing under Wine,
// whose handle table answers GetObjectType for a bare table index.
DWORD LiveGdiObjects() {
  if (const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
    return counted;
  DWORD live = 0;
  for (uintptr_t index = 1; index < 0x10000; ++index)
    live += ::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
  return live;
}

TEST_F(ClockWindowTest, GdiObjectsStayFlatOverRepaintsAndReloads) {
  Open();
  const auto objects = LiveGdiObjects;
  for (int i = 0; i < 20; ++i)
    Face();
  const DWORD before = objects();
  ASSERT_GT(before, 0u) << "no way to count GDI objects here";
  for (int i = 0; i < 1000; ++i) {
    ::RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (i % 10 == 0)
      ::SendMessageW(window(), WM_CLOCK_SETTINGS, 0, 1);
  }
  EXPECT_LE(objects(), before + 2);
}

}  // namespace
}  // namespace nightlatch
