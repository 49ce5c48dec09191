// The daily update check's decisions, free of the platform: when it runs,
// where the update file lies, and what a fetched file may change.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calendar.h"

namespace nightlatch {

inline constexpr int kUpdateLinkCount = 4;
// A longer answer is no update file: the transfer stops there.
inline constexpr uint64_t kMaxUpdateFileBytes = 64 * 1024;
// The check waits this long after start-up, so a program closed at once
// never reaches the network.
inline constexpr uint32_t kUpdateCheckDelayMilliseconds = 1000;

// year x 10000 + month x 100 + day.
int32_t DateNumber(const LocalFields& day);

// Once a day: when `today` is past the last completed check. A check date
// ahead of today (a clock once set forward) counts as never checked.
bool UpdateCheckDue(int32_t today, int32_t checkDate);

// The update file's address on `site` ("https://host/" or without the last
// slash).
std::u16string UpdateFileAddress(std::u16string_view site);

// What a fetched update file holds (each value as read, with its default).
struct FetchedUpdate {
  int32_t version = 0;
  int32_t noteDate = 0;
  std::array<std::u16string, kUpdateLinkCount> titles;
  std::array<std::u16string, kUpdateLinkCount> urls;
};

// The downloaded update file, decoded by its own mark (UTF-16 either way
// round, UTF-8 with or without one) and read as the INI routines would
// (blanks round a value and one pair of enclosing quotes dropped, a text
// cut at 259 units, a missing number 0). None, and nothing is stored, for
// what is no update file: another encoding, an HTML page (a portal's or
// an error page sent with 200), a NUL, a negative Ver or NoteDate, or one
// beyond a version number's or a date number's range.
inline constexpr int32_t kMaxNoteDate = 99991231;
std::optional<FetchedUpdate> ReadUpdateFile(std::string_view bytes);

// What the check writes after a fetch.
struct UpdateWrites {
  // False: the notice is older than the last check; only the check date is
  // written, and the main window is not told.
  bool linksAndVersion = false;
  // Which Title/Url pairs go to note.ini: those with a title whose address
  // is a web page (or empty, which opens nothing).
  std::array<bool, kUpdateLinkCount> storedPairs{};
  int32_t version = 0;
  int32_t checkDate = 0;
};
UpdateWrites PlanUpdateWrites(const FetchedUpdate& fetched, int32_t checkDate, int32_t today);

}  // namespace nightlatch
