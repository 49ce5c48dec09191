// The simple page's four link labels as the link refresh leaves them, from
// what note.ini holds and whether config.ini knows of a newer version.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace nightlatch {

constexpr int kNoteLinkCount = 4;

// COLORREF values.
constexpr uint32_t kLinkBlue = 15047936;   // red 0, green 157, blue 229
constexpr uint32_t kLinkGrey = 6579300;    // 100, 100, 100
constexpr uint32_t kLinkGreen = 4572421;   // 5, 197, 69
constexpr uint32_t kLinkDownload = 13055;  // 255, 50, 0
constexpr uint32_t kLinkHot = 255;         // red

struct LinkLabel {
  std::u16string caption;
  std::u16string address;
  uint32_t normalColor = 0;
  uint32_t hotColor = kLinkHot;
  bool hidden = false;
};

// Section Link of note.ini, Title1..4 and Url1..4, each read with its
// default: a missing key reads as the default, a key with an empty value as
// empty.
struct NoteLinks {
  std::array<std::u16string, kNoteLinkCount> titles;
  std::array<std::u16string, kNoteLinkCount> urls;
};

// The defaults to read note.ini with.
NoteLinks DefaultNoteLinks();

// Links 1 and 2 fall back to their defaults when their title is empty;
// links 3 and 4 without a title are hidden. While config.ini's Ver is above
// the program's own number, link 1 is the download link.
std::array<LinkLabel, kNoteLinkCount> RefreshLinks(const NoteLinks& read,
                                                   int32_t knownVersion,
                                                   int32_t ownVersion);

}  // namespace nightlatch
