#include "settings/password_value.h"

#include <gtest/gtest.h>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

// What the INI routines would lose at the ends goes in quotes; the rest as
// it stands, which an older version reads too.
TEST(PasswordValueTest, QuotedOnlyWhereAnEndWouldBeLost) {
  const struct {
    std::u16string password;
    std::u16string stored;
  } cases[] = {
      {u"", u""},
      {u"Secret1", u"Secret1"},
      {u"a b", u"a b"},
      {u"a\"b", u"a\"b"},
      {u" abc", u"\" abc\""},
      {u"abc ", u"\"abc \""},
      {u"\tabc", u"\"\tabc\""},
      {u"\"abc\"", u"\"\"abc\"\""},
      {u"'abc'", u"\"'abc'\""},
      {u"abc'", u"\"abc'\""},
      {u"\"", u"\"\"\""},
      {u"   ", u"\"   \""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Text(StoredPasswordValue(c.password)), Text(c.stored)) << testing::ToUtf8(c.password);
}

TEST(PasswordValueTest, TheGatesCompareWholeAndExactly) {
  EXPECT_TRUE(PasswordMatches(u"Secret1", u"Secret1"));
  EXPECT_TRUE(PasswordMatches(u" a ", u" a "));
  EXPECT_FALSE(PasswordMatches(u"secret1", u"Secret1"));
  EXPECT_FALSE(PasswordMatches(u"Secret1x", u"Secret1")) << "nothing is cut off";
  EXPECT_FALSE(PasswordMatches(u"Secret", u"Secret1"));
  EXPECT_FALSE(PasswordMatches(u"", u"")) << "an empty entry never passes";
}

}  // namespace
}  // namespace nightlatch
