#include "engine/web_address.h"

#include <string>

namespace nightlatch {
namespace {

template <typename Char>
bool StartsWithFolded(std::basic_string_view<Char> text, std::string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    Char c = text[i];
    if (c >= 'A' && c <= 'Z')
      c = static_cast<Char>(c - 'A' + 'a');
    if (c != static_cast<Char>(prefix[i]))
      return false;
  }
  return true;
}

template <typename Char>
bool IsWeb(std::basic_string_view<Char> address) {
  std::size_t rest = 0;
  if (StartsWithFolded(address, "https://"))
    rest = 8;
  else if (StartsWithFolded(address, "http://"))
    rest = 7;
  else
    return false;
  if (rest == address.size() || address[rest] == '/')
    return false;  // no host
  for (Char c : address)
    if (c <= ' ' || c == 0x7F)
      return false;
  return true;
}

}  // namespace

bool IsWebAddress(std::u16string_view address) {
  return IsWeb(address);
}

bool IsWebAddress(std::wstring_view address) {
  return IsWeb(address);
}

}  // namespace nightlatch
