#include "chimebox/spoken_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;
using testing::ToUtf8;

constexpr std::u16string_view kPrefix = u"resource/zeph/";
constexpr std::u16string_view kSuffix = u".wav";

// The recordings delivered beside the program, by their roles.
const std::set<std::u16string> kRecordings = {
    u"T", u"TAA", u"TA", u"TP", u"TPP", u"0",  u"1",  u"2",  u"3",  u"4",  u"5",    u"6",      u"7",
    u"8", u"9",   u"10", u"11", u"12",  u"02", u"20", u"30", u"40", u"50", u"hour", u"minute",
};

// "T" for "resource/zeph/T.wav"; the whole name when it is not of that form.
std::u16string Stem(std::u16string_view name) {
  if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
      !name.ends_with(kSuffix))
    return std::u16string(name);
  return std::u16string(name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size()));
}

// "T, TAA, 0, hour, 0, minute": the files that play, in order.
std::string Played(const SpokenTimeChain& chain) {
  std::string out;
  for (std::u16string_view name : chain) {
    if (name.empty())
      continue;
    if (!out.empty())
      out += ", ";
    out += ToUtf8(Stem(name));
  }
  return out;
}

// The number a recording says, or none for a word. "02" is the hour two.
std::optional<int> NumberSaid(std::u16string_view name) {
  const std::u16string stem = Stem(name);
  if (stem.empty() ||
      !std::all_of(stem.begin(), stem.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
    return std::nullopt;
  int value = 0;
  for (char16_t c : stem)
    value = value * 10 + (c - u'0');
  return value;
}

std::string At(int hour, int minute) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
  return text;
}

TEST(SpokenTimeChainTest, WorkedExamples) {
  const struct {
    int hour;
    int minute;
    const char* played;
  } cases[] = {
      {0, 0, "T, TAA, 0, hour, 0, minute"},
      {2, 5, "T, TAA, 02, hour, 0, 5, minute"},
      {5, 59, "T, TAA, 5, hour, 50, 9, minute"},
      {6, 13, "T, TA, 6, hour, 10, 3, minute"},
      {9, 12, "T, TA, 9, hour, 12, minute"},
      {12, 0, "T, TP, 12, hour, 0, minute"},
      {12, 30, "T, TP, 12, hour, 30, minute"},
      {13, 15, "T, TP, 1, hour, 10, 5, minute"},
      {14, 2, "T, TP, 02, hour, 0, 2, minute"},
      {14, 10, "T, TP, 02, hour, 10, minute"},
      {18, 40, "T, TPP, 6, hour, 40, minute"},
      {20, 22, "T, TPP, 8, hour, 20, 2, minute"},
      {23, 59, "T, TPP, 11, hour, 50, 9, minute"},
      // Edges beside the worked examples.
      {1, 0, "T, TAA, 1, hour, 0, minute"},
      {6, 0, "T, TA, 6, hour, 0, minute"},
      {11, 59, "T, TA, 11, hour, 50, 9, minute"},
      {17, 59, "T, TP, 5, hour, 50, 9, minute"},
      {22, 22, "T, TPP, 10, hour, 20, 2, minute"},
      {7, 11, "T, TA, 7, hour, 11, minute"},
      {8, 19, "T, TA, 8, hour, 10, 9, minute"},
      {10, 50, "T, TA, 10, hour, 50, minute"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Played(BuildSpokenTimeChain(c.hour, c.minute)), c.played) << At(c.hour, c.minute);
}

TEST(SpokenTimeChainTest, EmptyPlacesAreWhereNothingIsSaid) {
  // 02:05 fills every place; 00:00 has no minute lead; 12:30 no minute units.
  const SpokenTimeChain full = BuildSpokenTimeChain(2, 5);
  EXPECT_TRUE(std::none_of(full.begin(), full.end(), [](auto name) { return name.empty(); }));
  const SpokenTimeChain midnight = BuildSpokenTimeChain(0, 0);
  EXPECT_TRUE(midnight[4].empty());
  EXPECT_EQ(Text(midnight[5]), Text(u"resource/zeph/0.wav"));
  const SpokenTimeChain halfPast = BuildSpokenTimeChain(12, 30);
  EXPECT_EQ(Text(halfPast[4]), Text(u"resource/zeph/30.wav"));
  EXPECT_TRUE(halfPast[5].empty());
}

TEST(SpokenTimeChainTest, EveryMinuteOfTheDaySaysItsTime) {
  std::set<std::u16string> used;
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 60; ++minute) {
      SCOPED_TRACE(At(hour, minute) + " played " + Played(BuildSpokenTimeChain(hour, minute)));
      const SpokenTimeChain chain = BuildSpokenTimeChain(hour, minute);
      for (std::u16string_view name : chain) {
        if (name.empty())
          continue;
        ASSERT_TRUE(name.starts_with(kPrefix) && name.ends_with(kSuffix)) << ToUtf8(name);
        ASSERT_TRUE(kRecordings.contains(Stem(name))) << ToUtf8(name);
        used.insert(Stem(name));
      }

      EXPECT_EQ(Stem(chain[0]), u"T");
      EXPECT_EQ(Stem(chain[3]), u"hour");
      EXPECT_EQ(Stem(chain[6]), u"minute");

      // The day in four quarters: small hours, morning, afternoon, evening.
      const char16_t* part = hour < 6 ? u"TAA" : hour < 12 ? u"TA" : hour < 18 ? u"TP" : u"TPP";
      EXPECT_EQ(Stem(chain[1]), part);

      // Up to noon the hour is said as it is, after noon on a 12-hour clock;
      // two o'clock has a recording of its own.
      const std::optional<int> hourSaid = NumberSaid(chain[2]);
      ASSERT_TRUE(hourSaid.has_value());
      EXPECT_EQ(*hourSaid, hour > 12 ? hour - 12 : hour);
      EXPECT_EQ(Stem(chain[2]) == u"02", *hourSaid == 2);

      // The minute: an optional lead (a zero before a digit, or tens), then
      // an optional number, adding up to the minute.
      const std::optional<int> lead =
          chain[4].empty() ? std::optional<int>(0) : NumberSaid(chain[4]);
      const std::optional<int> number =
          chain[5].empty() ? std::optional<int>(0) : NumberSaid(chain[5]);
      ASSERT_TRUE(lead.has_value() && number.has_value());
      EXPECT_EQ(*lead + *number, minute);
      EXPECT_FALSE(chain[4].empty() && chain[5].empty()) << "the minute says nothing";
      EXPECT_NE(Stem(chain[4]), u"02");
      EXPECT_NE(Stem(chain[5]), u"02");
      if (chain[4].empty()) {
        // Alone: zero and the numbers ten to twelve.
        EXPECT_TRUE(minute == 0 || (minute >= 10 && minute <= 12));
      } else if (*lead == 0) {
        // A zero lead is followed by the digit 1 to 9.
        EXPECT_TRUE(minute >= 1 && minute <= 9);
        EXPECT_FALSE(chain[5].empty());
      } else {
        // Tens from 13 on, followed by a unit digit or nothing.
        EXPECT_GE(minute, 13);
        EXPECT_EQ(*lead % 10, 0);
        EXPECT_TRUE(chain[5].empty() || (*number >= 1 && *number <= 9));
      }
    }
  }
  EXPECT_EQ(used, kRecordings) << "every recording serves some minute of the day";
}

TEST(SpokenTimeChainTest, TimesOutsideTheDayPlayNothing) {
  const struct {
    int hour;
    int minute;
  } cases[] = {{24, 0}, {-1, 30}, {12, 60}, {12, -1}, {1000, 1000}};
  for (const auto& c : cases)
    EXPECT_EQ(Played(BuildSpokenTimeChain(c.hour, c.minute)), "") << c.hour << ":" << c.minute;
}

TEST(RecordingPathTest, FolderOfTheProgramPlusTheNameUnchanged) {
  const std::u16string name = u"resource/zeph/minute.wav";
  const struct {
    const char* what;
    std::u16string moduleFile;
    std::u16string expected;
  } cases[] = {
      {"plain folder", u"C:\\Tools\\Chimebox.exe", u"C:\\Tools\\resource/zeph/minute.wav"},
      {"blanks and Chinese", u"D:\\报时 工具\\新 建\\Chimebox.exe",
       u"D:\\报时 工具\\新 建\\resource/zeph/minute.wav"},
      {"drive root", u"E:\\Chimebox.exe", u"E:\\resource/zeph/minute.wav"},
      {"cut after the last backslash only", u"\\\\server\\share/x\\a.b\\c.exe",
       u"\\\\server\\share/x\\a.b\\resource/zeph/minute.wav"},
      {"no folder", u"Chimebox.exe", u""},
      {"nothing", u"", u""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Text(RecordingPath(c.moduleFile, name)), Text(c.expected)) << c.what;
}

TEST(RecordingPathTest, APathThatDoesNotFitIsLeftOut) {
  const std::u16string name = u"resource/zeph/minute.wav";
  // Folder + name + terminator: 260 units fit, 261 do not.
  const std::u16string fits =
      u"C:\\" + std::u16string(kMaxPathUnits - 1 - 3 - 1 - name.size(), u'x') + u"\\";
  ASSERT_EQ(fits.size() + name.size() + 1, kMaxPathUnits);
  EXPECT_EQ(RecordingPath(fits + u"Chimebox.exe", name).size(), kMaxPathUnits - 1);
  const std::u16string tooLong =
      u"C:\\" + std::u16string(kMaxPathUnits - 3 - 1 - name.size(), u'x') + u"\\";
  EXPECT_EQ(Text(RecordingPath(tooLong + u"Chimebox.exe", name)), Text(u""));
  // A long file name of the program itself does not count.
  EXPECT_EQ(RecordingPath(fits + std::u16string(300, u'y') + u".exe", name).size(),
            kMaxPathUnits - 1);
}

}  // namespace
}  // namespace nightlatch
