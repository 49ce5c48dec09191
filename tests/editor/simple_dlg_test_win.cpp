// The simple page: its buttons hand their work to the main dialog, its
// links come from note.ini and config.ini, its tiles carry the main
// dialog's tick, and its colours are painted where they belong.
#include "editor/simple_dlg_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "controls/window_text_win.h"
#include "platform/wide_string_win.h"
#include "platform/window_geometry_win.h"
#include "resources/nightlatch_messages.h"
#include "shell/main_dlg_win.h"
#include "shell/program_win.h"
#include "shell/tick_rules.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/pixels_win.h"
#include "support/printable_text.h"
#include "support/recording_system_calls.h"
#include "support/task_records.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::ControlHost;
using testing::FakeClock;
using testing::PumpMessages;
using testing::RecordingSystemCalls;
using testing::Rgb;
using testing::TempFolder;
using testing::Text;

constexpr int32_t kOwnVersion = 20400000;

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  friend bool operator==(const Received&, const Received&) = default;
};

void PrintTo(const Received& r, std::ostream* os) {
  *os << "{0x" << std::hex << r.message << ", " << std::dec << r.wParam << ", " << r.lParam << "}";
}

// Stands in for the main dialog: notes what the page sends it.
class RecordingParent : public ControlHost {
 public:
  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override {
    if (message == WM_OPEN_TASKS || message == WM_CLOSE ||
        (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE)) {
      received.push_back({message, wParam, lParam});
      result = 0;
      return true;
    }
    return ControlHost::ProcessWindowMessage(hwnd, message, wParam, lParam, result);
  }
  std::vector<Received> received;
};

std::vector<std::wstring> openedAddresses;
void RecordAddress(const wchar_t* address) {
  openedAddresses.emplace_back(address);
}

class SimpleDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openedAddresses.clear();
    ASSERT_TRUE(parent_.Open(700, 500));
  }

  void TearDown() override {
    page_.reset();
    PumpMessages();
  }

  // UTF-16 with a byte-order mark, as the INI routines keep Chinese texts.
  void WriteNote(std::u16string_view lines) {
    std::u16string content = u"\uFEFF[Link]\r\n";
    content += lines;
    std::ofstream(folder_ / "note.ini", std::ios::binary)
        .write(reinterpret_cast<const char*>(content.data()),
               static_cast<std::streamsize>(content.size() * sizeof(char16_t)));
  }

  void SetKnownVersion(int32_t version) {
    ::WritePrivateProfileStringW(L"Config", L"Ver", std::to_wstring(version).c_str(),
                                 AsWide(program_.config().path().c_str()));
  }

  void Open() {
    page_ = std::make_unique<CSimpleDlg>();
    page_->SetLinkSources(program_, kOwnVersion);
    page_->SetAddressOpener(RecordAddress);
    ASSERT_TRUE(page_->CreateModeless(parent_.hwnd()));
    ::ShowWindow(page_->hwnd(), SW_SHOW);
  }

  std::u16string Caption(HWND control) const { return FromWide(WindowText(control)); }

  TempFolder folder_{u"simple dlg"};
  Program program_{folder_.u16()};
  RecordingParent parent_;
  std::unique_ptr<CSimpleDlg> page_;
};

TEST_F(SimpleDlgTest, ButtonsHandTheirWorkToTheMainDialog) {
  Open();
  const struct {
    int button;
    Received expected;
  } cases[] = {
      {IDC_SIMPLE_ADD, {WM_OPEN_TASKS, 0, 1}},
      {IDC_SIMPLE_MANAGE, {WM_OPEN_TASKS, 0, 0}},
      {IDC_SIMPLE_HIDE, {WM_SYSCOMMAND, SC_MINIMIZE, 0}},
      {IDC_SIMPLE_QUIT, {WM_CLOSE, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    parent_.received.clear();
    ClickButton(page_->hwnd(), c.button);
    PumpMessages();  // the minimise is posted
    EXPECT_EQ(parent_.received, std::vector<Received>{c.expected});
  }
}

TEST_F(SimpleDlgTest, WithoutFilesTheLinksShowTheirDefaults) {
  Open();
  // Links 1, 2, 3, 4 are controls 1075, 1077, 1078, 1079.
  const HWND links[] = {page_->Item(IDC_SIMPLE_LINK1), page_->Item(IDC_SIMPLE_LINK2),
                        page_->Item(IDC_SIMPLE_LINK3), page_->Item(IDC_SIMPLE_LINK4)};
  EXPECT_EQ(Text(Caption(links[0])), Text(u"Orvane定时关机官方网站"));
  EXPECT_EQ(Text(Caption(links[1])), Text(u"怎么用,点击在线帮助"));
  EXPECT_TRUE(::IsWindowVisible(links[0]));
  EXPECT_TRUE(::IsWindowVisible(links[1]));
  EXPECT_FALSE(::IsWindowVisible(links[2]));
  EXPECT_FALSE(::IsWindowVisible(links[3]));
  ::SendMessageW(links[0], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageW(links[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(openedAddresses,
            (std::vector<std::wstring>{L"https://nightlatch.invalid/?ZephHelper2",
                                       L"https://nightlatch.invalid/?ZephHelper2"}));
}

TEST_F(SimpleDlgTest, LinksComeFromNoteIniAndANewerVersionMakesADownloadLink) {
  WriteNote(
      u"Title1=官方站\r\nUrl1=http://127.0.0.1/1\r\nTitle2=帮助\r\nUrl2=\r\n"
      u"Title3=反馈\r\nUrl3=http://127.0.0.1/3\r\nUrl4=http://127.0.0.1/4\r\n");
  SetKnownVersion(kOwnVersion + 1);
  Open();
  const HWND links[] = {page_->Item(IDC_SIMPLE_LINK1), page_->Item(IDC_SIMPLE_LINK2),
                        page_->Item(IDC_SIMPLE_LINK3), page_->Item(IDC_SIMPLE_LINK4)};
  EXPECT_EQ(Text(Caption(links[0])), Text(u"有新版本，点击下载"));
  EXPECT_EQ(Text(Caption(links[1])), Text(u"帮助"));
  EXPECT_EQ(Text(Caption(links[2])), Text(u"反馈"));
  EXPECT_TRUE(::IsWindowVisible(links[2]));
  EXPECT_FALSE(::IsWindowVisible(links[3])) << "no title";
  for (const HWND link : links)
    if (::IsWindowVisible(link))
      ::SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(openedAddresses,
            (std::vector<std::wstring>{L"https://nightlatch.invalid/?ZephHelper2_Upload",
                                       L"http://127.0.0.1/3"}))
      << "link 2's address is empty: a press opens nothing";

  // After an update check: the version is caught up, link 4 got a title,
  // but a link once hidden stays hidden.
  SetKnownVersion(kOwnVersion);
  WriteNote(
      u"Title1=官方站\r\nUrl1=http://127.0.0.1/1\r\nTitle4=网站\r\nUrl4=http://127.0.0.1/4\r\n");
  page_->RefreshLinks();
  EXPECT_EQ(Text(Caption(links[0])), Text(u"官方站"));
  EXPECT_EQ(Text(Caption(links[3])), Text(u"网站"));
  EXPECT_FALSE(::IsWindowVisible(links[3]));
}

TEST_F(SimpleDlgTest, TilesAndLinksUseTheirFonts) {
  Open();
  const auto font = [&](int id) {
    LOGFONTW logFont{};
    const auto handle = reinterpret_cast<HFONT>(::SendMessageW(page_->Item(id), WM_GETFONT, 0, 0));
    ::GetObjectW(handle, sizeof logFont, &logFont);
    return logFont;
  };
  for (const int id : {IDC_SIMPLE_NEXT_CAPTION, IDC_SIMPLE_NEXT, IDC_SIMPLE_NOW_CAPTION,
                       IDC_SIMPLE_NOW, IDC_SIMPLE_UPTIME_CAPTION, IDC_SIMPLE_UPTIME}) {
    const LOGFONTW tile = font(id);
    EXPECT_EQ(std::abs(tile.lfHeight), 14) << id;
    EXPECT_EQ(tile.lfWeight, FW_BOLD) << id;
    EXPECT_EQ(std::wstring(tile.lfFaceName), L"宋体") << id;
  }
  const LOGFONTW link = font(IDC_SIMPLE_LINK1);
  EXPECT_EQ(std::abs(link.lfHeight), 12);
  EXPECT_EQ(link.lfWeight, FW_NORMAL);
}

TEST_F(SimpleDlgTest, PaintsTilesPanelAndLine) {
  Open();
  HWND page = page_->hwnd();
  ::RedrawWindow(page, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT client{};
  ::GetClientRect(page, &client);
  ScopedWindowDC dc(page);
  const auto at = [&](int x, int y) { return Rgb(::GetPixel(dc.get(), x, y)); };
  const int y = client.bottom - 3;
  EXPECT_EQ(at(3, y), Rgb(RGB(240, 255, 255))) << "the page";
  EXPECT_EQ(at(client.right - 3, y), Rgb(RGB(230, 245, 255))) << "the panel";
  EXPECT_EQ(at(client.right - 150, y), Rgb(RGB(230, 245, 255))) << "150 pixels wide";
  EXPECT_EQ(at(client.right - 151, y), Rgb(RGB(173, 173, 173))) << "its line";
  EXPECT_EQ(at(client.right - 152, y), Rgb(RGB(240, 255, 255)));

  const struct {
    int id;
    COLORREF background;
  } tiles[] = {
      {IDC_SIMPLE_NEXT_CAPTION, RGB(122, 176, 37)},    {IDC_SIMPLE_NEXT, RGB(77, 175, 247)},
      {IDC_SIMPLE_NOW_CAPTION, RGB(112, 112, 112)},    {IDC_SIMPLE_NOW, RGB(77, 175, 247)},
      {IDC_SIMPLE_UPTIME_CAPTION, RGB(112, 112, 112)}, {IDC_SIMPLE_UPTIME, RGB(77, 175, 247)},
  };
  for (const auto& tile : tiles) {
    SCOPED_TRACE(tile.id);
    const RECT area = BoundsInParent(page_->Item(tile.id));
    EXPECT_EQ(at(area.left + 1, area.top + 1), Rgb(tile.background));
    EXPECT_GT(testing::PixelCanvas::CountPixels(dc.get(), area, RGB(255, 255, 255)), 10)
        << "white text";
  }
}

TEST_F(SimpleDlgTest, TilesCarryTheMainDialogsTick) {
  const std::filesystem::path file = folder_ / "helper.dat";
  const std::vector<uint8_t> stopped =
      testing::FileBytes({testing::MakeRecord(kWeekly, kShutdown, 1796000000, 127, kStopped)});
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(stopped.data()),
             static_cast<std::streamsize>(stopped.size()));
  FakeClock clock;
  RecordingSystemCalls calls;
  clock.uptimeMilliseconds = ((2 * 24 + 3) * 3600 + 4 * 60 + 5) * 1000 + 999;
  CMainDlg main(program_, MainDlgServices{&clock, &calls});
  ASSERT_TRUE(main.CreateModeless(nullptr));
  HWND simple = main.pages().simple().hwnd();
  EXPECT_EQ(Text(Caption(::GetDlgItem(simple, IDC_SIMPLE_NEXT))), Text(u"正在加载"))
      << "the template's text until the window is shown";
  ::ShowWindow(main.hwnd(), SW_SHOWNOACTIVATE);

  ::SendMessageW(main.hwnd(), WM_TIMER, CMainDlg::kTickTimer, 0);
  EXPECT_EQ(Text(Caption(::GetDlgItem(simple, IDC_SIMPLE_NEXT))), Text(u"没有将要执行的任务"));
  EXPECT_EQ(Text(Caption(::GetDlgItem(simple, IDC_SIMPLE_UPTIME))), Text(u"2天03小时04分05秒"));
  EXPECT_EQ(Text(Caption(::GetDlgItem(simple, IDC_SIMPLE_NOW))),
            Text(ClockTileText(ToLocalFields(clock.now, clock.zone))));

  clock.uptimeMilliseconds = 0xFFFFFFFFu;
  ++clock.now;
  ::SendMessageW(main.hwnd(), WM_TIMER, CMainDlg::kTickTimer, 0);
  EXPECT_EQ(Text(Caption(::GetDlgItem(simple, IDC_SIMPLE_UPTIME))), Text(u"49天17小时02分47秒"));
  clock.uptimeMilliseconds = 1500;  // the millisecond counter wrapped
  ++clock.now;
  ::SendMessageW(main.hwnd(), WM_TIMER, CMainDlg::kTickTimer, 0);
  EXPECT_EQ(Text(Caption(::GetDlgItem(simple, IDC_SIMPLE_UPTIME))), Text(u"1秒"));
  main.DestroyWindow();
  PumpMessages();
}

}  // namespace
}  // namespace nightlatch
