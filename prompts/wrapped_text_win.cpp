#include "prompts/wrapped_text_win.h"

#include "platform/wide_string_win.h"
#include "prompts/wrapped_text.h"

namespace nightlatch {

void DrawWrappedText(HDC dc, int x, int y, int limit, int lineHeight, std::u16string_view text) {
  TEXTMETRICW metrics{};
  if (!::GetTextMetricsW(dc, &metrics))
    return;
  const PenMetrics pen{metrics.tmAveCharWidth, metrics.tmMaxCharWidth, lineHeight};
  for (const PlacedCharacter& placed : LayOutWrappedText(text, x, y, limit, pen)) {
    ::TextOutW(dc, placed.x, placed.y, AsWide(text.data() + placed.offset),
               static_cast<int>(placed.length));
  }
}

}  // namespace nightlatch
