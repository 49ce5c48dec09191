#include "service/service_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "service/day_item.h"
#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

TEST(ServiceTextsTest, DescriptionHasTheBlanksAndTheEmptyLine) {
  EXPECT_EQ(Text(DayItemDescription(DayItem{4, 2, 22, 5, 9})),
            Text(u"方式：4   频率：2  小时：22  分钟：5  秒：9\r\n\r\n"));
  EXPECT_EQ(Text(DayItemDescription(DayItem{-1, 0, 0, 0, 0})),
            Text(u"方式：-1   频率：0  小时：0  分钟：0  秒：0\r\n\r\n"));
}

TEST(ServiceTextsTest, LogEntryStartsWithThePaddedTime) {
  // The weekday is not shown.
  const LocalFields at{
      .year = 2026, .month = 3, .weekday = 6, .day = 7, .hour = 8, .minute = 9, .second = 9};
  EXPECT_EQ(Text(DayItemLogEntry(at, DayItemDescription(DayItem{4, 1, 8, 9, 9}))),
            Text(u"2026-03-07 08:09:09\r\n方式：4   频率：1  小时：8  分钟：9  秒：9\r\n\r\n"));
}

TEST(ServiceTextsTest, NotRunReasonNamesTheAction) {
  EXPECT_EQ(Text(NotRunReason(3)), Text(u"未执行：“锁屏”需要用户的桌面，服务中不能执行\r\n"));
  EXPECT_EQ(Text(NotRunReason(6)), Text(u"未执行：“关闭显示器”需要用户的桌面，服务中不能执行\r\n"));
  EXPECT_EQ(Text(NotRunReason(42)), Text(u"未执行：方式 42 不是已知的操作\r\n"));
}

// The file's bytes: UTF-8 keeps the Chinese text, and each CR LF stays one
// pair (a text-mode stream would write CR CR LF).
TEST(ServiceTextsTest, LogBytesAreUtf8WithOneMarkAtTheStart) {
  const LocalFields at{.year = 2026, .month = 3, .day = 7, .hour = 8, .minute = 9, .second = 9};
  const std::u16string entry = DayItemLogEntry(at, DayItemDescription(DayItem{4, 1, 8, 9, 9}));
  const std::string body =
      "2026-03-07 08:09:09\r\n方式：4   频率：1  小时：8  分钟：9  秒：9\r\n\r\n";
  const std::string first = LogFileBytes(entry, /*fileIsEmpty=*/true);
  const std::string later = LogFileBytes(entry, /*fileIsEmpty=*/false);
  EXPECT_EQ(first, "\xEF\xBB\xBF" + body);
  EXPECT_EQ(later, body);
  for (const std::string& bytes : {first, later}) {
    EXPECT_EQ(bytes.find("\r\r"), std::string::npos);
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF"), bytes == first ? 0 : std::string::npos);
  }
}

TEST(ServiceTextsTest, CommandLineQuotesThePath) {
  EXPECT_EQ(Text(ServiceCommandLine(u"C:\\Program Files\\定时 助手\\Nightlatch.exe")),
            Text(u"\"C:\\Program Files\\定时 助手\\Nightlatch.exe\" /service"));
}

TEST(ServiceTextsTest, SystemErrorIsPrefixBlankMessage) {
  // An empty prefix gives a text that starts with a blank.
  EXPECT_EQ(Text(ComposeSystemError(u"", u"拒绝访问。\r\n")), Text(u" 拒绝访问。\r\n"));
  // A prefix that ends in a blank gives two.
  EXPECT_EQ(Text(ComposeSystemError(u"CreateService 失败。 ", u"指定的服务已存在。\r\n")),
            Text(u"CreateService 失败。  指定的服务已存在。\r\n"));
  EXPECT_EQ(Text(ComposeSystemError(u"StartService 失败\u3000", u"")),
            Text(u"StartService 失败\u3000 "));
}

}  // namespace
}  // namespace nightlatch
