// Every window of the program at the prefix's DPI against the same window
// at 96 DPI. tests/e2e/dpi_test.sh runs this program once in a prefix per
// DPI: at 96 it writes each window's layout to $NIGHTLATCH_DPI_LAYOUTS, at
// the others it compares, each child's rectangle with its 96-DPI one times
// the scale, within 2 pixels. At every DPI no static's text may be cut.
// With $NIGHTLATCH_DPI_SHOTS each window is also saved there as a bitmap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "clock/clock_window_win.h"
#include "editor/add_task_dlg_win.h"
#include "engine/task.h"
#include "platform/dpi_win.h"
#include "platform/gdi_win.h"
#include "platform/wide_string_win.h"
#include "prompts/notice_window_win.h"
#include "prompts/password_dialog_win.h"
#include "prompts/prompt_dialog_win.h"
#include "settings/setting_keys.h"
#include "support/dialog_driver_win.h"
#include "support/main_dlg_fixture_win.h"

namespace nightlatch {
namespace {

using testing::OnNextDialog;
using testing::PumpMessages;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

struct Box {
  std::string key;  // id and class; an ordinal tells apart the same id
  RECT rect;
};

std::string ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  std::string narrow;
  for (const wchar_t* c = name; *c; ++c)
    narrow += *c < 128 ? static_cast<char>(*c) : '?';
  return narrow;
}

// The window's client size, then each direct child in its client area.
std::vector<Box> LayoutOf(HWND window) {
  std::vector<Box> boxes;
  RECT client{};
  ::GetClientRect(window, &client);
  boxes.push_back({"client", client});
  std::map<std::string, int> seen;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT area{};
    ::GetWindowRect(child, &area);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    std::string key = std::to_string(::GetDlgCtrlID(child)) + "/" + ClassOf(child);
    key += "#" + std::to_string(seen[key]++);
    boxes.push_back({key, area});
  }
  return boxes;
}

std::filesystem::path LayoutFile(const std::string& name) {
  return std::filesystem::path(Environment("NIGHTLATCH_DPI_LAYOUTS")) / (name + ".txt");
}

void WriteLayout(const std::string& name, const std::vector<Box>& boxes) {
  std::ofstream out(LayoutFile(name));
  for (const Box& box : boxes)
    out << box.key << ' ' << box.rect.left << ' ' << box.rect.top << ' ' << box.rect.right << ' '
        << box.rect.bottom << '\n';
  EXPECT_TRUE(out.good()) << "could not write " << LayoutFile(name);
}

std::map<std::string, RECT> ReadLayout(const std::string& name) {
  std::map<std::string, RECT> boxes;
  std::ifstream in(LayoutFile(name));
  std::string key;
  RECT rect{};
  while (in >> key >> rect.left >> rect.top >> rect.right >> rect.bottom)
    boxes[key] = rect;
  return boxes;
}

// Statics that show text: not pictures, frames or owner-drawn ones.
bool ShowsText(HWND control, std::wstring& text) {
  if (ClassOf(control) != "Static" || !::IsWindowVisible(control))
    return false;
  const LONG_PTR type = ::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK;
  if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
      type != SS_SIMPLE)
    return false;
  text.resize(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1);
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return !text.empty();
}

void ExpectTextsFit(const std::string& name, HWND window) {
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    std::wstring text;
    if (!ShowsText(child, text))
      continue;
    RECT client{};
    ::GetClientRect(child, &client);
    const LONG_PTR type = ::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK;
    const bool wraps = type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE;
    ScopedWindowDC dc(child);
    ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(child, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, client.right, 0};
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &needed,
                DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    EXPECT_LE(needed.bottom, client.bottom)
        << name << ": the text of static " << ::GetDlgCtrlID(child) << " needs " << needed.right
        << "x" << needed.bottom << " and has " << client.right << "x" << client.bottom;
    EXPECT_LE(needed.right, client.right)
        << name << ": the text of static " << ::GetDlgCtrlID(child) << " needs " << needed.right
        << "x" << needed.bottom << " and has " << client.right << "x" << client.bottom;
  }
}

// The window as it is on screen, as a 32-bit bitmap file; a layered one (the
// clock) as it paints itself, since the screen's copy leaves it out.
void SaveShot(const std::string& name, HWND window, int dpi) {
  const std::string folder = Environment("NIGHTLATCH_DPI_SHOTS");
  if (folder.empty())
    return;
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT area{};
  ::GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB};
  void* bits = nullptr;
  ScopedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ScopedMemoryDC memory(nullptr);
  if (!bitmap)
    return;
  {
    ScopedSelect select(memory.get(), bitmap.get());
    if (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) {
      ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
    } else {
      ScopedWindowDC screen(nullptr);
      ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
  }
  ::GdiFlush();
  const DWORD rowBytes = static_cast<DWORD>(width) * 4;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + rowBytes * static_cast<DWORD>(height);
  std::ofstream out(std::filesystem::path(folder) / (name + "-" + std::to_string(dpi) + ".bmp"),
                    std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(rowBytes) * height);
}

int PrefixDpi() {
  return ::GetDeviceCaps(ScopedWindowDC(nullptr).get(), LOGPIXELSY);
}

// Each box is its `base` box, laid out at `baseDpi`, times dpi / baseDpi,
// within 2 pixels.
void ExpectScaled(const std::string& name,
                  const std::vector<Box>& boxes,
                  const std::map<std::string, RECT>& base,
                  int dpi,
                  int baseDpi) {
  ASSERT_FALSE(base.empty()) << "no layout of " << name << " at " << baseDpi << " DPI";
  EXPECT_EQ(boxes.size(), base.size())
      << name << ": another number of controls than at " << baseDpi << " DPI";
  for (const Box& box : boxes) {
    const auto found = base.find(box.key);
    if (found == base.end()) {
      ADD_FAILURE() << name << ": " << box.key << " is not there at " << baseDpi << " DPI";
      continue;
    }
    const RECT& was = found->second;
    const LONG expected[] = {::MulDiv(was.left, dpi, baseDpi), ::MulDiv(was.top, dpi, baseDpi),
                             ::MulDiv(was.right, dpi, baseDpi), ::MulDiv(was.bottom, dpi, baseDpi)};
    const LONG got[] = {box.rect.left, box.rect.top, box.rect.right, box.rect.bottom};
    bool within = true;
    for (int i = 0; i < 4; ++i)
      within = within && std::abs(got[i] - expected[i]) <= 2;
    EXPECT_TRUE(within) << name << ": " << box.key << " at " << dpi << " DPI is (" << got[0] << ","
                        << got[1] << ")-(" << got[2] << "," << got[3] << "), expected ("
                        << expected[0] << "," << expected[1] << ")-(" << expected[2] << ","
                        << expected[3] << ") from (" << was.left << "," << was.top << ")-("
                        << was.right << "," << was.bottom << ") at " << baseDpi << " DPI";
  }
}

std::map<std::string, RECT> AsMap(const std::vector<Box>& boxes) {
  std::map<std::string, RECT> map;
  for (const Box& box : boxes)
    map[box.key] = box.rect;
  return map;
}

// The fonts the window's controls use now.
std::set<HFONT> FontsOf(HWND window) {
  std::set<HFONT> fonts;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (auto font = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)))
      fonts.insert(font);
  }
  return fonts;
}

// The system's word that the window is now on a monitor of `dpi`, with the
// rectangle it suggests: the window's, scaled.
void TellDpi(HWND window, int dpi) {
  RECT now{};
  ::GetWindowRect(window, &now);
  const int from = WindowDpi(window);
  RECT suggested{now.left, now.top, now.left + ::MulDiv(now.right - now.left, dpi, from),
                 now.top + ::MulDiv(now.bottom - now.top, dpi, from)};
  ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
}

// Writes the window's layout at 96 DPI, or compares it with that one.
void Check(const std::string& name, HWND window) {
  ASSERT_TRUE(::IsWindow(window)) << name;
  const int dpi = WindowDpi(window);
  EXPECT_EQ(dpi, PrefixDpi()) << name << " is not laid out at the screen's DPI";
  ExpectTextsFit(name, window);
  SaveShot(name, window, dpi);
  const std::vector<Box> boxes = LayoutOf(window);
  if (dpi == kBaseDpi) {
    WriteLayout(name, boxes);
    return;
  }
  ExpectScaled(name, boxes, ReadLayout(name), dpi, kBaseDpi);
}

TEST(DpiLayoutTest, ThePrefixHasTheDpiTheScriptSet) {
  const std::string wanted = Environment("NIGHTLATCH_EXPECTED_DPI");
  ASSERT_FALSE(wanted.empty()) << "run by tests/e2e/dpi_test.sh";
  EXPECT_EQ(PrefixDpi(), std::stoi(wanted));
}

class DpiLayoutMainTest : public testing::MainDlgFixture {};

TEST_F(DpiLayoutMainTest, MainDialogItsPagesAndTheSettingsPages) {
  Open();
  ::SendMessageW(dialog_->hwnd(), WM_FINISH_START, 0, 0);
  PumpMessages();
  PageHost& pages = dialog_->pages();
  Check("main", dialog_->hwnd());
  Check("simple page", pages.simple().hwnd());
  ::SendMessageW(dialog_->hwnd(), WM_COMMAND, IDC_PAGE_PLAN, 0);
  PumpMessages();
  Check("plan page", pages.plan().hwnd());
  ::SendMessageW(dialog_->hwnd(), WM_COMMAND, IDC_PAGE_SETTINGS, 0);
  PumpMessages();
  Check("settings page", pages.settings().hwnd());
  const char* names[] = {"basic settings", "time speak settings", "clock settings",
                         "password settings"};
  for (int index = 0; index < 4; ++index) {
    HWND selector = pages.settings().Item(IDC_SETTINGS_SELECTOR);
    ::SendMessageW(selector, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(pages.settings().hwnd(), WM_COMMAND,
                   MAKEWPARAM(IDC_SETTINGS_SELECTOR, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(selector));
    PumpMessages();
    Check(names[index], pages.settings().page(index));
  }
}

TEST_F(DpiLayoutMainTest, AddDialogInItsThreeFlavours) {
  Open();
  const struct {
    const char* name;
    int flavour;
  } flavours[] = {{"add power task", 0},
                  {"add open task", CAddTaskDlg::kOpenFlavour},
                  {"add reminder", CAddTaskDlg::kReminderFlavour}};
  for (const auto& flavour : flavours) {
    CAddTaskDlg editor(flavour.flavour, clock_, calls_);
    OnNextDialog driver([&](HWND dialog) {
      Check(flavour.name, dialog);
      ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    editor.Run();
    EXPECT_TRUE(driver.ran()) << flavour.name;
  }
}

TEST_F(DpiLayoutMainTest, PromptReminderPasswordAndNotice) {
  Open();
  const struct {
    const char* name;
    int32_t action;
  } prompts[] = {{"prompt", kShutdown}, {"reminder", kReminder}};
  for (const auto& kind : prompts) {
    TaskRunRequest request;
    request.name.Assign(u"闹钟提醒");
    request.action = kind.action;
    request.pending = 1;
    request.warnSeconds = 30;
    CPromptDlg* prompt = CPromptDlg::Open(request, dialog_->hwnd(),
                                          PromptServices{program_, &calls_, &clock_, &mci_, u""});
    ASSERT_NE(prompt, nullptr) << kind.name;
    HWND window = prompt->hwnd();
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    ::KillTimer(window, CPromptDlg::kCountdownTimer);
    PumpMessages();
    Check(kind.name, window);
    ::DestroyWindow(window);
    PumpMessages();
  }

  program_.settings.passwordOn = true;
  program_.config().Write(setting::kPassword, u"Secret1");
  OnNextDialog driver([&](HWND dialog) {
    Check("password", dialog);
    ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(PasswordCheck(program_));
  EXPECT_TRUE(driver.ran());

  NoticeWindow notice;
  notice.Show(false, 5, u"关机 \n执行完毕！", u"Orvane关机助手提示");
  PumpMessages();
  ASSERT_NE(notice.window(), nullptr);
  Check("notice", notice.window()->hwnd());
}

// Moved to a monitor of a larger scale and back, as the system tells it:
// the layout follows both ways, and the fonts a change replaces are
// deleted, so that 100 round trips leave no GDI object behind.
TEST_F(DpiLayoutMainTest, MainDialogAndItsPagesFollowADpiChange) {
  Open();
  ::SendMessageW(dialog_->hwnd(), WM_FINISH_START, 0, 0);
  PumpMessages();
  PageHost& pages = dialog_->pages();
  const std::pair<const char*, HWND> windows[] = {{"main", dialog_->hwnd()},
                                                  {"simple page", pages.simple().hwnd()},
                                                  {"plan page", pages.plan().hwnd()},
                                                  {"settings page", pages.settings().hwnd()},
                                                  {"basic settings", pages.settings().page(0)},
                                                  {"password settings", pages.settings().page(3)}};
  const int from = WindowDpi(dialog_->hwnd());
  const int to = from + 48;
  std::vector<std::map<std::string, RECT>> before;
  for (const auto& [name, window] : windows)
    before.push_back(AsMap(LayoutOf(window)));

  const auto fontsInUse = [&] {
    std::set<HFONT> fonts;
    for (const auto& [name, window] : windows)
      fonts.merge(FontsOf(window));
    return fonts;
  };
  const auto expectReplacedFontsGone = [&](const std::set<HFONT>& earlier, const char* when) {
    const std::set<HFONT> now = fontsInUse();
    for (HFONT font : earlier) {
      if (!now.count(font) && font != ::GetStockObject(DEFAULT_GUI_FONT)) {
        EXPECT_EQ(::GetObjectType(font), 0u) << "a font replaced " << when << " was not deleted";
      }
    }
  };

  const std::set<HFONT> atStart = fontsInUse();
  TellDpi(dialog_->hwnd(), to);
  EXPECT_EQ(WindowDpi(pages.plan().hwnd()), to);
  for (std::size_t i = 0; i < std::size(windows); ++i)
    ExpectScaled(windows[i].first, LayoutOf(windows[i].second), before[i], to, from);
  const std::set<HFONT> afterChange = fontsInUse();
  EXPECT_NE(afterChange, atStart) << "no control got a font for " << to << " DPI";

  TellDpi(dialog_->hwnd(), from);
  for (std::size_t i = 0; i < std::size(windows); ++i)
    ExpectScaled(windows[i].first, LayoutOf(windows[i].second), before[i], from, from);
  expectReplacedFontsGone(afterChange, "on the way back");

  const DWORD objects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  for (int trip = 0; trip < 100; ++trip) {
    const std::set<HFONT> earlier = fontsInUse();
    TellDpi(dialog_->hwnd(), to);
    expectReplacedFontsGone(earlier, "on the way there");
    TellDpi(dialog_->hwnd(), from);
  }
  EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), objects + 4)
      << "GDI objects before the round trips: " << objects;
}

TEST_F(DpiLayoutMainTest, DesktopClockAtZoomTen) {
  Open();
  Configure(u"Clock", u"Zoom", u"10");
  CClockWindow clock(program_, clock_, dialog_->hwnd(), folder_.u16() + u"\\");
  ASSERT_NE(clock.Create(::GetDesktopWindow()), nullptr);
  PumpMessages();
  Check("clock", clock.hwnd());
  RECT bounds{};
  ::GetWindowRect(clock.hwnd(), &bounds);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(bounds.right, work.right) << "the clock opens beyond the work area";

  // On a monitor of a larger scale and back: its size follows, 100 times
  // without a leaked GDI object.
  const int from = WindowDpi(clock.hwnd());
  const int to = from + 48;
  TellDpi(clock.hwnd(), to);
  ::GetWindowRect(clock.hwnd(), &bounds);
  EXPECT_EQ(bounds.right - bounds.left, GeometryForZoom(10, to).side());
  EXPECT_EQ(clock.geometry().side(), GeometryForZoom(10, to).side());
  TellDpi(clock.hwnd(), from);
  ::GetWindowRect(clock.hwnd(), &bounds);
  EXPECT_EQ(bounds.right - bounds.left, GeometryForZoom(10, from).side());
  const DWORD objects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  for (int trip = 0; trip < 100; ++trip) {
    TellDpi(clock.hwnd(), to);
    TellDpi(clock.hwnd(), from);
  }
  EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), objects + 4)
      << "GDI objects before the round trips: " << objects;
  clock.DestroyWindow();
}

}  // namespace
}  // namespace nightlatch
