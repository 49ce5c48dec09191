// GoogleTest prints a std::u16string as \x escapes, which hides which Chinese
// text came back. Wrapping a text keeps the comparison on the exact UTF-16
// units and prints it as readable UTF-8, with line breaks shown as \n.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

namespace nightlatch::testing {

// Unpaired surrogates come out as \uXXXX, so no two texts print alike.
inline std::string ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    uint32_t code = text[i];
    const bool high = code >= 0xD800 && code <= 0xDBFF;
    const bool pairs =
        high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (pairs) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(code));
      out += escaped;
      continue;
    }
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
  return out;
}

struct Text {
  Text(std::u16string_view text) : units(text) {}
  std::u16string units;

  friend bool operator==(const Text&, const Text&) = default;
  friend void PrintTo(const Text& text, std::ostream* os) {
    *os << '"';
    for (const char c : ToUtf8(text.units)) {
      if (c == '\n')
        *os << "\\n";
      else if (c == '\0')
        *os << "\\0";
      else
        *os << c;
    }
    *os << "\" (" << text.units.size() << " units)";
  }
};

}  // namespace nightlatch::testing
