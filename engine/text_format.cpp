#include "engine/text_format.h"

namespace nightlatch {
namespace {

void AppendNumber(std::u16string& out, int64_t value, std::size_t width, bool zeroFill) {
  char16_t digits[24];
  std::size_t count = 0;
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const std::size_t length = count + (value < 0 ? 1 : 0);
  const std::size_t padding = width > length ? width - length : 0;
  if (!zeroFill)
    out.append(padding, u' ');
  if (value < 0)
    out += u'-';
  if (zeroFill)
    out.append(padding, u'0');
  while (count > 0)
    out += digits[--count];
}

}  // namespace

std::u16string FormatText(std::u16string_view pattern, std::initializer_list<FormatArg> args) {
  std::u16string out;
  out.reserve(pattern.size() + 16);
  const FormatArg* arg = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != u'%' || i + 1 == pattern.size()) {
      out += pattern[i];
      continue;
    }
    ++i;
    if (pattern[i] == u'%') {
      out += u'%';
      continue;
    }
    const bool zeroFill = pattern[i] == u'0';
    std::size_t width = 0;
    while (i < pattern.size() && pattern[i] >= u'0' && pattern[i] <= u'9')
      width = width * 10 + (pattern[i++] - u'0');
    if (i == pattern.size())
      break;
    const bool haveArg = arg != args.end();
    if (pattern[i] == u'd' && haveArg && !arg->isText())
      AppendNumber(out, arg->number(), width, zeroFill);
    else if (pattern[i] == u's' && haveArg && arg->isText())
      out += arg->text();
    if (haveArg)
      ++arg;
  }
  return out;
}

}  // namespace nightlatch
