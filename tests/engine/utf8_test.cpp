#include "engine/utf8.h"

#include <gtest/gtest.h>

#include <optional>
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

TEST(Utf8Test, DecodesWhatIsUtf8AndRefusesTheRest) {
  const struct {
    const char* name;
    std::string bytes;
    std::optional<std::u16string> text;
  } cases[] = {
      {"empty", "", u""},
      {"ascii", "Ver=1", u"Ver=1"},
      {"two units", "\xC3\xA9", u"\u00e9"},
      {"three units", "\xE5\x85\xB3\xE6\x9C\xBA", u"关机"},
      {"beyond the plane", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"highest", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"gbk", "\xD0\xC2\xB0\xE6", std::nullopt},
      {"stray continuation", "a\x80", std::nullopt},
      {"cut short", "\xE5\x85", std::nullopt},
      {"overlong slash", "\xC0\xAF", std::nullopt},
      {"overlong three", "\xE0\x80\xAF", std::nullopt},
      {"surrogate", "\xED\xA0\xBD", std::nullopt},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", std::nullopt},
      {"five-unit lead", "\xF8\x88\x80\x80\x80", std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<std::u16string> decoded = FromUtf8(c.bytes);
    ASSERT_EQ(decoded.has_value(), c.text.has_value()) << c.name;
    if (decoded) {
      EXPECT_TRUE(*decoded == *c.text) << c.name;
      EXPECT_EQ(ToUtf8(*decoded), c.bytes) << c.name << ": round trip";
    }
  }
}

}  // namespace
}  // namespace nightlatch
