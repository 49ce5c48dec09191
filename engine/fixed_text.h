// A UTF-16 text held in a fixed buffer of N code units, terminator included,
// as the task record stores it. The unused rest of the buffer is always zero,
// so two equal texts are equal byte for byte.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace nightlatch {

constexpr bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kMaxLength = N - 1;

  FixedText() = default;
  explicit FixedText(std::u16string_view text) { Assign(text); }

  // Cuts at kMaxLength units; a cut never leaves half of a surrogate pair.
  void Assign(std::u16string_view text) {
    text = text.substr(0, text.find(u'\0'));
    std::size_t length = std::min(text.size(), kMaxLength);
    if (length < text.size() && length > 0 && IsHighSurrogate(text[length - 1]))
      --length;
    units_.fill(0);
    std::copy_n(text.begin(), length, units_.begin());
  }

  // Takes raw units from a record: up to the first terminator, at most
  // kMaxLength of them, exactly as stored.
  void AssignUnits(const std::array<char16_t, N>& units) {
    units_.fill(0);
    for (std::size_t i = 0; i < kMaxLength && units[i] != 0; ++i)
      units_[i] = units[i];
  }

  std::u16string_view View() const { return std::u16string_view(units_.data()); }
  const char16_t* CStr() const { return units_.data(); }
  const std::array<char16_t, N>& Units() const { return units_; }
  bool Empty() const { return units_[0] == 0; }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  std::array<char16_t, N> units_{};
};

}  // namespace nightlatch
