// Where DrawWrappedText puts each character: a pen that moves by the font's
// widths and starts a new line at line breaks and past a limit.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace nightlatch {

struct PenMetrics {
  int averageWidth = 0;  // tabs and characters below U+4E00
  int maximumWidth = 0;  // characters from U+4E00 up
  int lineHeight = 0;
};

// One character drawn at (x, y): text[offset, offset + length), two units
// for a surrogate pair.
struct PlacedCharacter {
  int x = 0;
  int y = 0;
  std::size_t offset = 0;
  std::size_t length = 0;

  friend bool operator==(const PlacedCharacter&, const PlacedCharacter&) = default;
};

// From (x, y): a tab is four average widths, CR, LF and CR LF start the next
// line, any other character is placed and the pen advances. An advance that
// takes the pen's x past `limit` starts the next line; a limit smaller than
// the step leaves the pen where it is.
std::vector<PlacedCharacter> LayOutWrappedText(std::u16string_view text,
                                               int x,
                                               int y,
                                               int limit,
                                               const PenMetrics& metrics);

}  // namespace nightlatch
