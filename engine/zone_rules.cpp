#include "engine/zone_rules.h"

#include <vector>

namespace nightlatch {
namespace {

bool HasSummerTime(const YearRule& rule) {
  return rule.summerStart.month != 0 && rule.standardStart.month != 0 &&
         rule.summerOffset != rule.standardOffset;
}

class ChangeList {
 public:
  explicit ChangeList(int32_t offset) : first_(offset), current_(offset) {}

  void Add(int64_t moment, int32_t offset) {
    if (offset == current_)
      return;
    changes_.push_back(ZoneChange{moment, offset});
    current_ = offset;
  }
  int32_t current() const { return current_; }
  TimeZone Take() { return TimeZone(first_, std::move(changes_)); }

 private:
  int32_t first_;
  int32_t current_;
  std::vector<ZoneChange> changes_;
};

}  // namespace

int64_t ChangeWallSeconds(const ChangeDate& date, int32_t year) {
  LocalFields fields;
  fields.year = date.year != 0 ? date.year : year;
  fields.month = date.month;
  if (date.year != 0) {
    fields.day = date.day;
  } else {
    const int32_t length = DaysInMonth(fields.year, fields.month, 0);
    fields.day = 1;
    const int32_t firstWeekday = ToLocalFields(WallSeconds(fields), TimeZone{}).weekday;
    int32_t day = 1 + ((date.weekday - firstWeekday) % 7 + 7) % 7 + (date.day - 1) * 7;
    while (day > length)
      day -= 7;  // the fifth occurrence is the last one
    fields.day = day;
  }
  fields.hour = date.hour;
  fields.minute = date.minute;
  // 23:59:59.999 is how Windows writes the end of a day.
  fields.second = date.second + (date.millisecond > 0 ? 1 : 0);
  return WallSeconds(fields);
}

TimeZone ZoneFromYearRules(int32_t firstYear, std::span<const YearRule> rules) {
  if (rules.empty())
    return TimeZone{};
  ChangeList list(0);
  for (std::size_t index = 0; index < rules.size(); ++index) {
    const YearRule& rule = rules[index];
    const int32_t year = firstYear + static_cast<int32_t>(index);
    LocalFields newYear;
    newYear.year = year;
    const int64_t yearWall = WallSeconds(newYear);
    if (!HasSummerTime(rule)) {
      if (index == 0)
        list = ChangeList(rule.standardOffset);
      list.Add(yearWall - list.current(), rule.standardOffset);
      continue;
    }
    const int64_t summer = ChangeWallSeconds(rule.summerStart, year) - rule.standardOffset;
    const int64_t standard = ChangeWallSeconds(rule.standardStart, year) - rule.summerOffset;
    const bool southern = summer > standard;
    const int32_t startOffset = southern ? rule.summerOffset : rule.standardOffset;
    if (index == 0)
      list = ChangeList(startOffset);
    list.Add(yearWall - list.current(), startOffset);
    if (southern) {
      list.Add(standard, rule.standardOffset);
      list.Add(summer, rule.summerOffset);
    } else {
      list.Add(summer, rule.summerOffset);
      list.Add(standard, rule.standardOffset);
    }
  }
  return list.Take();
}

}  // namespace nightlatch
