#include "editor/note_links.h"

#include "controls/vendor_site.h"

namespace nightlatch {
namespace {

std::u16string SiteWith(std::u16string_view query) {
  return std::u16string(kVendorSite) + std::u16string(query);
}

}  // namespace

NoteLinks DefaultNoteLinks() {
  NoteLinks defaults;
  defaults.titles[0] = u"Orvane定时关机官方网站";
  defaults.urls[0] = SiteWith(u"?ZephHelper2");
  defaults.titles[1] = u"怎么用,点击在线帮助";
  defaults.urls[1] = SiteWith(u"?ZephHelper2");
  return defaults;
}

std::array<LinkLabel, kNoteLinkCount> RefreshLinks(const NoteLinks& read,
                                                   int32_t knownVersion,
                                                   int32_t ownVersion) {
  const NoteLinks defaults = DefaultNoteLinks();
  const uint32_t colors[kNoteLinkCount] = {kLinkBlue, kLinkGrey, kLinkBlue, kLinkGreen};
  std::array<LinkLabel, kNoteLinkCount> links;
  for (int n = 0; n < kNoteLinkCount; ++n) {
    LinkLabel& link = links[n];
    link.normalColor = colors[n];
    link.caption = read.titles[n];
    link.address = read.urls[n];
    if (n < 2 && link.caption.empty()) {
      link.caption = defaults.titles[n];
      link.address = defaults.urls[n];
    }
    link.hidden = n >= 2 && link.caption.empty();
  }
  if (knownVersion > ownVersion) {
    links[0].caption = u"有新版本，点击下载";
    links[0].address = SiteWith(u"?ZephHelper2_Upload");
    links[0].normalColor = kLinkDownload;
  }
  return links;
}

}  // namespace nightlatch
