#include "prompts/wrapped_text.h"

namespace nightlatch {
namespace {

constexpr int kTabAdvances = 4;

bool StartsPair(std::u16string_view text, std::size_t i) {
  return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
         text[i + 1] <= 0xDFFF;
}

}  // namespace

std::vector<PlacedCharacter> LayOutWrappedText(std::u16string_view text,
                                               int x,
                                               int y,
                                               int limit,
                                               const PenMetrics& metrics) {
  std::vector<PlacedCharacter> placed;
  int penX = x;
  int penY = y;
  const auto newLine = [&] {
    penX = x;
    penY += metrics.lineHeight;
  };
  const auto advance = [&](int step) {
    if (limit < step)
      return;
    penX += step;
    if (penX > limit)
      newLine();
  };

  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'\t') {
      for (int k = 0; k < kTabAdvances; ++k)
        advance(metrics.averageWidth);
    } else if (unit == u'\r' || unit == u'\n') {
      if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        ++i;
      newLine();
    } else {
      // A pair is one character: drawn whole, advanced once.
      const std::size_t length = StartsPair(text, i) ? 2 : 1;
      placed.push_back(PlacedCharacter{penX, penY, i, length});
      advance(unit >= 0x4E00 ? metrics.maximumWidth : metrics.averageWidth);
      i += length - 1;
    }
  }
  return placed;
}

}  // namespace nightlatch
