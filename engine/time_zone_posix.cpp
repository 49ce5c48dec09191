#include <time.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "engine/calendar.h"

namespace nightlatch {
namespace {

// The years the task file's moments can reach; beyond them the last
// offset holds.
constexpr int64_t kFirst = -2147483648LL;  // 1901-12-13
constexpr int64_t kLast = 4133980800LL;    // 2101-01-01
// No zone changes its clock twice within a day.
constexpr int64_t kStep = 86400;

int32_t OffsetAt(int64_t moment) {
  const time_t t = static_cast<time_t>(moment);
  tm fields{};
  if (!localtime_r(&t, &fields))
    return 0;
  return static_cast<int32_t>(fields.tm_gmtoff);
}

// The first second in (from, to] that has the offset of `to`.
int64_t ChangeBetween(int64_t from, int64_t to) {
  const int32_t after = OffsetAt(to);
  while (to - from > 1) {
    const int64_t middle = from + (to - from) / 2;
    if (OffsetAt(middle) == after)
      to = middle;
    else
      from = middle;
  }
  return to;
}

// The zone as the C library reads it from TZ and the zone database.
TimeZone ZoneOfTheCLibrary() {
  const int32_t first = OffsetAt(kFirst);
  std::vector<ZoneChange> changes;
  int32_t current = first;
  for (int64_t t = kFirst + kStep; t <= kLast; t += kStep) {
    const int32_t offset = OffsetAt(t);
    if (offset == current)
      continue;
    changes.push_back(ZoneChange{ChangeBetween(t - kStep, t), offset});
    current = offset;
  }
  return TimeZone(first, std::move(changes));
}

}  // namespace

TimeZone SystemTimeZone() {
  static std::mutex mutex;
  static std::map<std::string, TimeZone> zones;
  const std::lock_guard<std::mutex> lock(mutex);
  tzset();
  const char* name = std::getenv("TZ");
  const std::string key = name ? std::string("=") + name : std::string();
  auto found = zones.find(key);
  if (found == zones.end())
    found = zones.emplace(key, ZoneOfTheCLibrary()).first;
  return found->second;
}

}  // namespace nightlatch
