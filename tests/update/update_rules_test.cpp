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

}  // namespace
}  // namespace nightlatch
