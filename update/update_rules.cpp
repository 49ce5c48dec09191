#include "update/update_rules.h"

#include <algorithm>
#include <limits>

#include "engine/utf8.h"
#include "engine/web_address.h"

namespace nightlatch {

int32_t DateNumber(const LocalFields& day) {
  return day.year * 10000 + day.month * 100 + day.day;
}

bool UpdateCheckDue(int32_t today, int32_t checkDate) {
  return checkDate != today;
}

std::u16string UpdateFileAddress(std::u16string_view site) {
  std::u16string address(site);
  if (address.empty() || address.back() != u'/')
    address += u'/';
  return address + u"Helper/ver2.ini";
}

UpdateWrites PlanUpdateWrites(const FetchedUpdate& fetched, int32_t checkDate, int32_t today) {
  const int32_t lastCheck = checkDate > today ? 0 : checkDate;
  UpdateWrites writes;
  writes.checkDate = today;
  if (fetched.noteDate < lastCheck)
    return writes;
  writes.linksAndVersion = true;
  writes.version = fetched.version;
  for (int n = 0; n < kUpdateLinkCount; ++n) {
    writes.storedPairs[n] =
        !fetched.titles[n].empty() && (fetched.urls[n].empty() || IsWebAddress(fetched.urls[n]));
  }
  return writes;
}

namespace {

std::optional<std::u16string> DecodeUpdateFile(std::string_view bytes) {
  const auto startsWith = [&](std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
  };
  if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
    const bool little = bytes[0] == '\xFF';
    bytes.remove_prefix(2);
    if (bytes.size() % 2 != 0)
      return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
      const auto first = static_cast<unsigned char>(bytes[i]);
      const auto second = static_cast<unsigned char>(bytes[i + 1]);
      text += static_cast<char16_t>(little ? first | second << 8 : first << 8 | second);
    }
    return text;
  }
  if (startsWith("\xEF\xBB\xBF"))
    bytes.remove_prefix(3);
  return FromUtf8(bytes);
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r';
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  const auto lower = [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
  };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

// The value of `key` in `section`, first found, as the INI routines give
// it; none when missing.
std::optional<std::u16string> Value(std::u16string_view text,
                                    std::u16string_view section,
                                    std::u16string_view key) {
  bool inSection = false;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    const std::u16string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == u';')
      continue;
    if (line.front() == u'[') {
      const std::size_t close = line.find(u']');
      inSection = close != std::u16string_view::npos &&
                  SameName(Trimmed(line.substr(1, close - 1)), section);
      continue;
    }
    const std::size_t equals = line.find(u'=');
    if (!inSection || equals == std::u16string_view::npos ||
        !SameName(Trimmed(line.substr(0, equals)), key))
      continue;
    std::u16string_view value = Trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::u16string(value.substr(0, 259));
  }
  return std::nullopt;
}

// A number as the platform's integer reader takes it (digits from the
// start, 0 without any); none when negative or above `highest`.
std::optional<int32_t> Number(const std::optional<std::u16string>& value, int64_t highest) {
  if (!value)
    return 0;
  std::u16string_view digits = *value;
  if (!digits.empty() && digits.front() == u'-')
    return std::nullopt;
  if (!digits.empty() && digits.front() == u'+')
    digits.remove_prefix(1);
  int64_t number = 0;
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9')
      break;
    number = number * 10 + (c - u'0');
    if (number > highest)
      return std::nullopt;
  }
  return static_cast<int32_t>(number);
}

}  // namespace

std::optional<FetchedUpdate> ReadUpdateFile(std::string_view bytes) {
  const std::optional<std::u16string> text = DecodeUpdateFile(bytes);
  if (!text || text->find(u'\0') != std::u16string::npos)
    return std::nullopt;
  const std::size_t first = text->find_first_not_of(u" \t\r\n");
  if (first != std::u16string::npos && (*text)[first] == u'<')
    return std::nullopt;
  const std::optional<int32_t> version =
      Number(Value(*text, u"Config", u"Ver"), std::numeric_limits<int32_t>::max());
  const std::optional<int32_t> noteDate =
      Number(Value(*text, u"Config", u"NoteDate"), kMaxNoteDate);
  if (!version || !noteDate)
    return std::nullopt;
  FetchedUpdate fetched;
  fetched.version = *version;
  fetched.noteDate = *noteDate;
  for (int n = 0; n < kUpdateLinkCount; ++n) {
    const std::u16string number(1, static_cast<char16_t>(u'1' + n));
    fetched.titles[n] = Value(*text, u"Link", u"Title" + number).value_or(u"");
    fetched.urls[n] = Value(*text, u"Link", u"Url" + number).value_or(u"");
  }
  return fetched;
}

}  // namespace nightlatch
