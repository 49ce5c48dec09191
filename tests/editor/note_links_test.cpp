#include "editor/note_links.h"

#include <gtest/gtest.h>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

constexpr int32_t kOwn = 20400000;
const char16_t kSite[] = u"https://nightlatch.invalid/?ZephHelper2";

struct Expected {
  const char16_t* caption;
  const char16_t* address;
  uint32_t color;
  bool hidden;
};

struct LinkCase {
  const char* name;
  NoteLinks read;
  int32_t knownVersion;
  Expected links[kNoteLinkCount];
};

NoteLinks Read(std::array<std::u16string, 4> titles, std::array<std::u16string, 4> urls) {
  return NoteLinks{std::move(titles), std::move(urls)};
}

TEST(NoteLinksTest, RefreshFromWhatNoteIniHolds) {
  const LinkCase cases[] = {
      {"no file: the defaults, links 3 and 4 hidden",
       DefaultNoteLinks(),
       0,
       {{u"Orvane定时关机官方网站", kSite, kLinkBlue, false},
        {u"怎么用,点击在线帮助", kSite, kLinkGrey, false},
        {u"", u"", kLinkBlue, true},
        {u"", u"", kLinkGreen, true}}},
      {"all four stored",
       Read({u"一", u"二", u"三", u"四"}, {u"u1", u"u2", u"u3", u"u4"}),
       0,
       {{u"一", u"u1", kLinkBlue, false},
        {u"二", u"u2", kLinkGrey, false},
        {u"三", u"u3", kLinkBlue, false},
        {u"四", u"u4", kLinkGreen, false}}},
      {"an empty title brings back both defaults",
       Read({u"", u"", u"", u"四"}, {u"u1", u"u2", u"u3", u"u4"}),
       0,
       {{u"Orvane定时关机官方网站", kSite, kLinkBlue, false},
        {u"怎么用,点击在线帮助", kSite, kLinkGrey, false},
        {u"", u"u3", kLinkBlue, true},
        {u"四", u"u4", kLinkGreen, false}}},
      {"a title with an empty address keeps the empty address",
       Read({u"一", u"二", u"", u""}, {u"", u"", u"", u""}),
       0,
       {{u"一", u"", kLinkBlue, false},
        {u"二", u"", kLinkGrey, false},
        {u"", u"", kLinkBlue, true},
        {u"", u"", kLinkGreen, true}}},
      {"the own version is no news",
       Read({u"一", u"二", u"三", u"四"}, {u"u1", u"u2", u"u3", u"u4"}),
       kOwn,
       {{u"一", u"u1", kLinkBlue, false},
        {u"二", u"u2", kLinkGrey, false},
        {u"三", u"u3", kLinkBlue, false},
        {u"四", u"u4", kLinkGreen, false}}},
      {"a newer version turns link 1 into the download link",
       Read({u"一", u"二", u"三", u"四"}, {u"u1", u"u2", u"u3", u"u4"}),
       kOwn + 1,
       {{u"有新版本，点击下载", u"https://nightlatch.invalid/?ZephHelper2_Upload", kLinkDownload,
         false},
        {u"二", u"u2", kLinkGrey, false},
        {u"三", u"u3", kLinkBlue, false},
        {u"四", u"u4", kLinkGreen, false}}},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto links = RefreshLinks(c.read, c.knownVersion, kOwn);
    for (int n = 0; n < kNoteLinkCount; ++n) {
      SCOPED_TRACE("link " + std::to_string(n + 1));
      EXPECT_EQ(Text(links[n].caption), Text(c.links[n].caption));
      EXPECT_EQ(Text(links[n].address), Text(c.links[n].address));
      EXPECT_EQ(links[n].normalColor, c.links[n].color);
      EXPECT_EQ(links[n].hotColor, 255u);
      EXPECT_EQ(links[n].hidden, c.links[n].hidden);
    }
  }
}

}  // namespace
}  // namespace nightlatch
