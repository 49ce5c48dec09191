// The daily update check against a loopback HTTP server (started beside
// this program by with_update_server.sh): what a fetch stores, what a failed
// or refused one leaves, and the running main window's side.
#include "update/update_check_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/wide_string_win.h"
#include "resources/nightlatch_ids.h"
#include "resources/nightlatch_messages.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/printable_text.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::PumpMessages;
using testing::Text;

constexpr int32_t kToday = 20261210;

// The server's folder, as Wine's Z: drive shows the host's file system.
std::filesystem::path ServerFolder() {
  const char* unix = std::getenv("NIGHTLATCH_TEST_UPDATE_DIR");
  std::string path = std::string("Z:") + (unix ? unix : "/nonexistent");
  for (char& c : path)
    if (c == '/')
      c = '\\';
  return std::filesystem::path(path);
}

// The server answers by its mode whatever the path; each test (and case)
// asks below a folder of its own, so no answer the platform cached for
// another test stands in for the server's.
std::u16string Site(const std::string& folder = "") {
  const char* port = std::getenv("NIGHTLATCH_TEST_UPDATE_PORT");
  std::string site = std::string("http://127.0.0.1:") + (port ? port : "9") + "/";
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  site += std::string(test ? test->name() : "fixture") + folder + "/";
  return std::u16string(site.begin(), site.end());
}

void WriteServerFile(const char* name, const std::string& content) {
  std::ofstream out(ServerFolder() / name, std::ios::binary | std::ios::trunc);
  out << content;
}

std::vector<std::string> Requests() {
  std::ifstream in(ServerFolder() / "requests.log");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// Standing in for the main window: counts WM_UPDATE_FETCHED.
struct MainWindowStandIn : testing::ControlHost {
  bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT&) override {
    if (message != WM_UPDATE_FETCHED)
      return false;
    ++fetched;
    return true;
  }
  int fetched = 0;
};

class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(std::getenv("NIGHTLATCH_TEST_UPDATE_PORT") == nullptr)
        << "run through with_update_server.sh";
    std::filesystem::remove(ServerFolder() / "requests.log");
    WriteServerFile("mode", "serve");
    ASSERT_TRUE(window_.Open(50, 50));
  }

  std::u16string Config(const wchar_t* key) const { return Read(L"Config", key, L"config.ini"); }
  std::u16string Note(const wchar_t* key) const { return Read(L"Link", key, L"note.ini"); }
  std::u16string Read(const wchar_t* section, const wchar_t* key, const wchar_t* file) const {
    wchar_t value[300] = {};
    ::GetPrivateProfileStringW(section, key, L"<missing>", value, 300,
                               (data_.path() / file).wstring().c_str());
    return FromWide(value);
  }
  void Store(const wchar_t* section,
             const wchar_t* key,
             const wchar_t* value,
             const wchar_t* file) {
    ::WritePrivateProfileStringW(section, key, value, (data_.path() / file).wstring().c_str());
  }

  // The check on this thread, then the message it sent.
  void Check(std::u16string site = Site(), DWORD delay = 0) {
    RunUpdateCheck(UpdateCheckJob{window_.hwnd(), data_.u16(), site, kToday, exiting_, delay});
    PumpMessages();
  }

  testing::TempFolder data_{u"update 数据"};
  MainWindowStandIn window_;
  std::shared_ptr<std::atomic<bool>> exiting_ = std::make_shared<std::atomic<bool>>(false);
};

TEST_F(UpdateCheckTest, AFetchStoresTheLinksTheVersionAndTheDate) {
  WriteServerFile("ver2.ini",
                  "[Config]\r\nVer=20400001\r\nNoteDate=20261201\r\n[Link]\r\n"
                  "Title1=Site\r\nUrl1=https://example.invalid/1\r\n"
                  "Title2=Help\r\nUrl2=\r\n"
                  "Title3=\r\nUrl3=https://example.invalid/3\r\n"
                  "Title4=Mail\r\nUrl4=https://example.invalid/4\r\n");
  Store(L"Link", L"Title3", L"kept", L"note.ini");
  Store(L"Link", L"Url3", L"https://example.invalid/kept", L"note.ini");
  Check();
  EXPECT_EQ(Requests(),
            std::vector<std::string>{"/AFetchStoresTheLinksTheVersionAndTheDate/Helper/ver2.ini"});
  EXPECT_EQ(Text(Note(L"Title1")), Text(u"Site"));
  EXPECT_EQ(Text(Note(L"Url1")), Text(u"https://example.invalid/1"));
  // A title with an empty address is stored with it; an empty title keeps
  // the stored pair.
  EXPECT_EQ(Text(Note(L"Title2")), Text(u"Help"));
  EXPECT_EQ(Text(Note(L"Url2")), Text(u""));
  EXPECT_EQ(Text(Note(L"Title3")), Text(u"kept"));
  EXPECT_EQ(Text(Note(L"Url3")), Text(u"https://example.invalid/kept"));
  EXPECT_EQ(Text(Note(L"Title4")), Text(u"Mail"));
  EXPECT_EQ(Text(Config(L"Ver")), Text(u"20400001"));
  EXPECT_EQ(Text(Config(L"Checkdate")), Text(u"20261210"));
  EXPECT_FALSE(std::filesystem::exists(data_ / "ver.ini"));
  EXPECT_EQ(window_.fetched, 1);
}

TEST_F(UpdateCheckTest, AFailedDownloadChangesNothing) {
  WriteServerFile("ver2.ini", "[Config]\r\nVer=20400001\r\nNoteDate=20261201\r\n");
  struct Case {
    const char* mode;
    std::u16string site;
  };
  const Case cases[] = {
      {"404", Site("404")},
      {"500", Site("500")},
      // Past 64 KB the transfer is stopped: no update file is that long.
      {"big", Site("big")},
      // Nothing listens on the discard port.
      {"serve", u"http://127.0.0.1:9/"},
  };
  for (const Case& c : cases) {
    WriteServerFile("mode", c.mode);
    Check(c.site);
    EXPECT_EQ(Text(Config(L"Checkdate")), Text(u"<missing>")) << c.mode;
    EXPECT_EQ(Text(Config(L"Ver")), Text(u"<missing>")) << c.mode;
    EXPECT_FALSE(std::filesystem::exists(data_ / "ver.ini")) << c.mode;
    EXPECT_EQ(window_.fetched, 0) << c.mode;
  }
  EXPECT_EQ(Requests().size(), 3u) << "one request for each reachable case";
}

TEST_F(UpdateCheckTest, AnOlderNoticeOnlyMovesTheCheckDate) {
  WriteServerFile("ver2.ini",
                  "[Config]\r\nVer=20400009\r\nNoteDate=20140101\r\n[Link]\r\n"
                  "Title1=New\r\nUrl1=https://example.invalid/new\r\n");
  Store(L"Config", L"Checkdate", L"20140102", L"config.ini");
  Check();
  EXPECT_EQ(Text(Config(L"Checkdate")), Text(u"20261210"));
  EXPECT_EQ(Text(Config(L"Ver")), Text(u"<missing>"));
  EXPECT_EQ(Text(Note(L"Title1")), Text(u"<missing>"));
  EXPECT_FALSE(std::filesystem::exists(data_ / "ver.ini"));
  EXPECT_EQ(window_.fetched, 0);

  // A check date ahead of today (a clock once set forward) is no last check.
  Store(L"Config", L"Checkdate", L"20330101", L"config.ini");
  Check(Site("again"));
  EXPECT_EQ(Text(Note(L"Title1")), Text(u"New"));
  EXPECT_EQ(Text(Config(L"Checkdate")), Text(u"20261210"));
  EXPECT_EQ(window_.fetched, 1);
}

TEST_F(UpdateCheckTest, AddressesThatAreNoWebPagesAreNotStored) {
  WriteServerFile("ver2.ini",
                  "[Config]\r\nVer=1\r\nNoteDate=20261201\r\n[Link]\r\n"
                  "Title1=a\r\nUrl1=file:///C:/Windows/System32/calc.exe\r\n"
                  "Title2=b\r\nUrl2=ms-msdt:/id PCWDiagnostic\r\n"
                  "Title3=c\r\nUrl3=C:\\Windows\\System32\\calc.exe\r\n"
                  "Title4=d\r\nUrl4=search-ms:query=calc\r\n");
  Check();
  for (const wchar_t* key :
       {L"Title1", L"Url1", L"Title2", L"Url2", L"Title3", L"Url3", L"Title4", L"Url4"})
    EXPECT_EQ(Text(Note(key)), Text(u"<missing>")) << testing::ToUtf8(FromWide(key));
  EXPECT_EQ(Text(Config(L"Ver")), Text(u"1"));
}

// A server folder of its own for a case, so that no cached answer stands in.
std::string FolderOf(const char* name) {
  std::string folder = std::string("/") + name;
  for (char& c : folder)
    if (c == ' ')
      c = '-';
  return folder;
}

std::string Utf16Le(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string Utf16Be(const std::u16string& text) {
  std::string bytes = "\xFE\xFF";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit >> 8);
    bytes += static_cast<char>(unit & 0xFF);
  }
  return bytes;
}

// Chinese titles arrive as written whichever Unicode form the site serves.
TEST_F(UpdateCheckTest, TheUpdateFileIsReadInItsOwnEncoding) {
  const std::u16string text =
      u"[Config]\r\nVer=20400001\r\nNoteDate=20261201\r\n[Link]\r\n"
      u"Title1= 新版本说明 \r\nUrl1=https://example.invalid/新\r\n"
      u"Title2=\"帮助\"\r\n";
  const std::string utf8 = testing::ToUtf8(text);
  const struct {
    const char* name;
    std::string body;
  } cases[] = {
      {"utf-8", utf8},
      {"utf-8 with mark", "\xEF\xBB\xBF" + utf8},
      {"utf-16", Utf16Le(text)},
      {"utf-16 big-endian", Utf16Be(text)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(data_ / "note.ini");
    std::filesystem::remove(data_ / "config.ini");
    WriteServerFile("ver2.ini", c.body);
    Check(Site(FolderOf(c.name)));
    EXPECT_EQ(Text(Note(L"Title1")), Text(u"新版本说明"));
    EXPECT_EQ(Text(Note(L"Url1")), Text(u"https://example.invalid/新"));
    EXPECT_EQ(Text(Note(L"Title2")), Text(u"帮助"));
    EXPECT_EQ(Text(Config(L"Ver")), Text(u"20400001"));
    EXPECT_EQ(Text(Config(L"Checkdate")), Text(u"20261210"));
  }
  EXPECT_EQ(window_.fetched, 4);
}

// What is no update file changes nothing, as a failed download: the next
// start asks again.
TEST_F(UpdateCheckTest, AnAnswerThatIsNoUpdateFileStoresNothing) {
  const std::string links = "[Link]\r\nTitle1=Site\r\nUrl1=https://example.invalid/1\r\n";
  const struct {
    const char* name;
    std::string body;
  } cases[] = {
      {"html",
       "<!DOCTYPE html>\n<html><head><title>[Config]</title></head>\n"
       "<body>Ver=20400001\n</body></html>\n"},
      {"html after blanks", "\r\n  <HTML>\r\n[Config]\r\nVer=1\r\n</HTML>"},
      {"ansi chinese", "[Config]\r\nVer=20400001\r\n[Link]\r\nTitle1=\xD0\xC2\xB0\xE6\r\n"},
      {"odd utf-16", "\xFF\xFE[\0C\0o\0n\0f\0i\0g\0]"},
      {"binary", std::string("[Config]\r\nVer=1\r\n\0\0\x01\x02", 20)},
      {"negative version", "[Config]\r\nVer=-5\r\nNoteDate=20261201\r\n" + links},
      {"huge version", "[Config]\r\nVer=99999999999\r\nNoteDate=20261201\r\n" + links},
      {"negative date", "[Config]\r\nVer=20400001\r\nNoteDate=-20261201\r\n" + links},
      {"huge date", "[Config]\r\nVer=20400001\r\nNoteDate=4294967295\r\n" + links},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteServerFile("ver2.ini", c.body);
    Check(Site(FolderOf(c.name)));
    EXPECT_EQ(Text(Config(L"Checkdate")), Text(u"<missing>"));
    EXPECT_EQ(Text(Config(L"Ver")), Text(u"<missing>"));
    EXPECT_EQ(Text(Note(L"Title1")), Text(u"<missing>"));
    EXPECT_FALSE(std::filesystem::exists(data_ / "ver.ini"));
  }
  EXPECT_EQ(window_.fetched, 0);
  EXPECT_EQ(Requests().size(), std::size(cases)) << "each case reached the server";
}

TEST_F(UpdateCheckTest, AnExitDuringTheFirstSecondSendsNoRequest) {
  WriteServerFile("ver2.ini", "[Config]\r\nVer=1\r\n");
  std::thread check([&] {
    RunUpdateCheck(UpdateCheckJob{window_.hwnd(), data_.u16(), Site(), kToday, exiting_, 1000});
  });
  ::Sleep(300);
  exiting_->store(true);
  check.join();
  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(Text(Config(L"Checkdate")), Text(u"<missing>"));
}

// The running program: the check starts with the main window, and its links
// and notice follow on the window's thread.
class UpdateMainDlgTest : public testing::MainDlgFixture {
 protected:
  void SetUp() override {
    std::filesystem::remove(ServerFolder() / "requests.log");
    WriteServerFile("mode", "serve");
    updateSite_ = Site();
  }
  HWND Link(int id) const { return ::GetDlgItem(dialog_->pages().simple().hwnd(), id); }
  std::u16string Caption(HWND window) const {
    wchar_t text[300] = {};
    ::GetWindowTextW(window, text, 300);
    return FromWide(text);
  }
  bool NoticeShown() const {
    CMessageDlg* notice = dialog_->noticeWindow().window();
    return notice && ::IsWindowVisible(notice->hwnd());
  }
  // Pumps until `done` holds, at most `milliseconds`.
  template <typename Done>
  bool PumpUntil(Done done, DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (!done() && ::GetTickCount64() < end)
      testing::PumpMessagesFor(50);
    return done();
  }
};

TEST_F(UpdateMainDlgTest, ANewerVersionBecomesTheDownloadLinkAndTheNotice) {
  WriteServerFile("ver2.ini",
                  "[Config]\r\nVer=20400001\r\nNoteDate=20261201\r\n[Link]\r\n"
                  "Title2=Help\r\nUrl2=https://example.invalid/help\r\n"
                  "Title4=Mail\r\nUrl4=https://example.invalid/mail\r\n");
  Open();
  ASSERT_TRUE(PumpUntil([&] { return NoticeShown(); }, 8000)) << "no notice";
  EXPECT_EQ(Text(Caption(Link(IDC_SIMPLE_LINK1))), Text(u"有新版本，点击下载"));
  EXPECT_EQ(Text(Caption(Link(IDC_SIMPLE_LINK2))), Text(u"Help"));
  EXPECT_FALSE(::IsWindowVisible(Link(IDC_SIMPLE_LINK3))) << "no title stored";
  EXPECT_EQ(Text(Caption(Link(IDC_SIMPLE_LINK4))), Text(u"Mail"));
  EXPECT_EQ(Requests().size(), 1u);
  dialog_->DestroyWindow();

  // A second start the same day asks nothing.
  Open();
  testing::PumpMessagesFor(1500);
  EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(UpdateMainDlgTest, TheSameVersionAsOursShowsNoNotice) {
  WriteServerFile("ver2.ini", "[Config]\r\nVer=20400000\r\nNoteDate=20261201\r\n");
  Open();
  ASSERT_TRUE(PumpUntil([&] { return !Requests().empty(); }, 8000));
  testing::PumpMessagesFor(500);
  EXPECT_FALSE(NoticeShown());
  EXPECT_EQ(Text(Caption(Link(IDC_SIMPLE_LINK1))), Text(u"Orvane定时关机官方网站"));
}

TEST_F(UpdateMainDlgTest, ClosingWithinTheFirstSecondReachesNoServer) {
  WriteServerFile("ver2.ini", "[Config]\r\nVer=20400001\r\n");
  Open();
  dialog_->DestroyWindow();
  testing::PumpMessagesFor(1500);
  EXPECT_TRUE(Requests().empty());
}

}  // namespace
}  // namespace nightlatch
