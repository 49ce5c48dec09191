#include "service/service_log_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

TEST(FormatSystemErrorTest, PutsTheSystemTextAfterPrefixAndBlank) {
  const std::u16string text = FormatSystemError(ERROR_SERVICE_EXISTS, u"");
  ASSERT_GT(text.size(), 2u) << testing::ToUtf8(text);
  EXPECT_EQ(text[0], u' ');
  EXPECT_NE(text[1], u' ');
  const std::u16string prefixed = FormatSystemError(ERROR_SERVICE_EXISTS, u"CreateService 失败。 ");
  EXPECT_EQ(Text(prefixed), Text(u"CreateService 失败。 " + text));
}

// The system has no text for such a code; the buffer it would allocate is
// never there to read.
TEST(FormatSystemErrorTest, ACodeWithoutTextGivesThePrefixAndBlank) {
  EXPECT_EQ(Text(FormatSystemError(0x2000FFFF, u"服务卸载失败。 ")), Text(u"服务卸载失败。  "));
}

}  // namespace
}  // namespace nightlatch
