// GoogleTest prints a std::u16string as \x escapes, which hides which Chinese
// text came back. Wrapping a text keeps the comparison on the exact UTF-16
// units and prints it as readable UTF-8, with line breaks shown as \n.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/utf8.h"

namespace nightlatch::testing {

// Unpaired surrogates come out as \uXXXX, so no two texts print alike.
inline std::string ToUtf8(std::u16string_view text) {
  return nightlatch::ToUtf8(text, [](std::string& out, char16_t unit) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
    out += escaped;
  });
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
