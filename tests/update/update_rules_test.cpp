#include "update/update_rules.h"

#include <gtest/gtest.h>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

TEST(UpdateRulesTest, OnceADayAndAFutureCheckDateCountsAsNone) {
  const struct {
    int32_t today;
    int32_t checkDate;
    bool due;
  } cases[] = {
      {20261210, 0, true},        {20261210, 20261209, true}, {20261210, 20261210, false},
      {20270101, 20261231, true}, {20261210, 20330101, true},  // a clock once set ahead
  };
  for (const auto& c : cases)
    EXPECT_EQ(UpdateCheckDue(c.today, c.checkDate), c.due) << c.today << " " << c.checkDate;
  LocalFields day;
  day.year = 2026;
  day.month = 3;
  day.day = 7;
  EXPECT_EQ(DateNumber(day), 20260307);
}

TEST(UpdateRulesTest, TheUpdateFileLiesBelowTheSite) {
  EXPECT_EQ(Text(UpdateFileAddress(u"https://example.invalid/")),
            Text(u"https://example.invalid/Helper/ver2.ini"));
  EXPECT_EQ(Text(UpdateFileAddress(u"http://127.0.0.1:8080")),
            Text(u"http://127.0.0.1:8080/Helper/ver2.ini"));
}

FetchedUpdate Fetched(int32_t version, int32_t noteDate) {
  FetchedUpdate fetched;
  fetched.version = version;
  fetched.noteDate = noteDate;
  return fetched;
}

TEST(UpdateRulesTest, AnOlderNoticeOnlyMovesTheCheckDate) {
  struct Case {
    int32_t noteDate;
    int32_t checkDate;
    bool linksAndVersion;
  };
  const Case cases[] = {
      {20140101, 20140102, false},
      {20140102, 20140102, true},
      {20261209, 0, true},
      // A check date ahead of today is no last check.
      {20261201, 20330101, true},
  };
  for (const Case& c : cases) {
    const UpdateWrites writes =
        PlanUpdateWrites(Fetched(20400001, c.noteDate), c.checkDate, 20261210);
    EXPECT_EQ(writes.linksAndVersion, c.linksAndVersion) << c.noteDate << " " << c.checkDate;
    EXPECT_EQ(writes.checkDate, 20261210);
    EXPECT_EQ(writes.version, c.linksAndVersion ? 20400001 : 0);
  }
}

TEST(UpdateRulesTest, OnlyTitledPairsWithWebAddressesAreStored) {
  FetchedUpdate fetched = Fetched(0, 20261210);
  fetched.titles = {u"官方站", u"帮助", u"", u"反馈"};
  fetched.urls = {u"https://example.invalid/a", u"", u"https://example.invalid/c",
                  u"file:///C:/Windows/System32/calc.exe"};
  EXPECT_EQ(PlanUpdateWrites(fetched, 0, 20261210).storedPairs,
            (std::array<bool, 4>{true, true, false, false}));

  const char16_t* unsafe[] = {u"ms-msdt:/id PCWDiagnostic",
                              u"search-ms:query=calc",
                              u"C:\\Windows\\System32\\calc.exe",
                              u"\\\\host\\share\\x.exe",
                              u"javascript:alert(1)",
                              u"http://",
                              u"https://a b"};
  for (const char16_t* url : unsafe) {
    fetched.titles = {u"x", u"", u"", u""};
    fetched.urls = {url, u"", u"", u""};
    EXPECT_FALSE(PlanUpdateWrites(fetched, 0, 20261210).storedPairs[0]) << testing::ToUtf8(url);
  }
  for (const char16_t* url : {u"http://127.0.0.1/", u"HTTPS://Example.invalid/x?y=1"}) {
    fetched.urls = {url, u"", u"", u""};
    EXPECT_TRUE(PlanUpdateWrites(fetched, 0, 20261210).storedPairs[0]) << testing::ToUtf8(url);
  }
}

TEST(UpdateFileTest, ReadsKeysAsTheIniRoutinesWouldInEveryUnicodeForm) {
  const std::string utf8 =
      "; a comment\r\n[config]\r\n  VER = 20400001 \r\nNoteDate=20261201tail\r\n"
      "[Other]\r\nTitle1=not this one\r\n"
      "[Link]\nTitle1= \"  新版本 \" \nUrl1='https://example.invalid/'\n"
      "Title1=the second is not read\nTitle3=\"\nUrl3=" +
      std::string(300, 'u') + "\n";
  std::u16string text = u"[Config]\r\nVer=7\r\n[Link]\r\nTitle2=帮助\r\n";
  std::string little = "\xFF\xFE";
  std::string big = "\xFE\xFF";
  for (char16_t unit : text) {
    little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  }
  for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8}) {
    const std::optional<FetchedUpdate> read = ReadUpdateFile(bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->version, 20400001);
    EXPECT_EQ(read->noteDate, 20261201) << "digits from the start, as the platform reads them";
    EXPECT_EQ(Text(read->titles[0]), Text(u"  新版本 ")) << "the quotes keep the blanks";
    EXPECT_EQ(Text(read->urls[0]), Text(u"https://example.invalid/"));
    EXPECT_EQ(Text(read->titles[1]), Text(u""));
    EXPECT_EQ(Text(read->titles[2]), Text(u"\"")) << "a lone quote stays";
    EXPECT_EQ(read->urls[2].size(), 259u) << "cut as the 260-unit buffer cuts";
  }
  for (const std::string& bytes : {little, big}) {
    const std::optional<FetchedUpdate> read = ReadUpdateFile(bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->version, 7);
    EXPECT_EQ(read->noteDate, 0) << "missing";
    EXPECT_EQ(Text(read->titles[1]), Text(u"帮助"));
  }
}

TEST(UpdateFileTest, RefusesWhatIsNoUpdateFile) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"html", "<!DOCTYPE html><html><body>[Config]\nVer=1</body></html>"},
      {"html after blank lines", "\r\n\r\n \t<html>\n[Config]\nVer=1\n"},
      {"utf-16 html", std::string("\xFF\xFE<\0h\0", 6)},
      {"gbk", "[Link]\r\nTitle1=\xD0\xC2\xB0\xE6\r\n"},
      {"odd utf-16", std::string("\xFF\xFE[\0C", 5)},
      {"a nul", std::string("[Config]\nVer=1\n\0", 17)},
      {"negative version", "[Config]\nVer=-1\n"},
      {"version past the int", "[Config]\nVer=2147483648\n"},
      {"negative date", "[Config]\nNoteDate=-20261201\n"},
      {"date past any day", "[Config]\nNoteDate=99991232\n"},
  };
  for (const auto& c : cases)
    EXPECT_FALSE(ReadUpdateFile(c.bytes).has_value()) << c.name;
  // At the edges: still numbers.
  const std::optional<FetchedUpdate> edge =
      ReadUpdateFile("[Config]\nVer=2147483647\nNoteDate=99991231\n");
  ASSERT_TRUE(edge.has_value());
  EXPECT_EQ(edge->version, 2147483647);
  EXPECT_EQ(edge->noteDate, 99991231);
  EXPECT_TRUE(ReadUpdateFile("").has_value()) << "an empty file reads as all defaults";
}

}  // namespace
}  // namespace nightlatch
