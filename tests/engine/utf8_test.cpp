#include "engine/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace nightlatch {
namespace {

TEST(Utf8Test, EncodesEveryLengthAndPairsSurrogates) {
  const struct {
    std::u16string text;
    std::string utf8;
  } cases[] = {
      {u"", ""},
      {u"a/b", "a/b"},
      {u"\u00e9", "\xC3\xA9"},
      {u"关机", "\xE5\x85\xB3\xE6\x9C\xBA"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ToUtf8(c.text), c.utf8);
}

TEST(Utf8Test, UnpairedSurrogatesAreKeptOrHandedOver) {
  const std::u16string lone = {u'x', 0xD83D, u'y', 0xDE00};
  EXPECT_EQ(ToUtf8(lone), "x\xED\xA0\xBDy\xED\xB8\x80") << "encoded as they stand";
  EXPECT_EQ(ToUtf8(lone, [](std::string& out, char16_t) { out += '?'; }), "x?y?");
  const std::u16string reversed = {0xDE00, 0xD83D};
  EXPECT_EQ(ToUtf8(reversed, [](std::string& out, char16_t) { out += '?'; }), "??");
}

}  // namespace
}  // namespace nightlatch
