#include "engine/utf8.h"

namespace nightlatch {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string ToUtf8(std::u16string_view text, UnpairedSurrogate unpaired) {
  const auto isHigh = [](char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  const auto isLow = [](char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (isHigh(code) && i + 1 < text.size() && isLow(text[i + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (unpaired && (isHigh(code) || isLow(code))) {
      unpaired(out, text[i]);
      continue;
    }
    AppendUtf8(out, code);
  }
  return out;
}

}  // namespace nightlatch
