#include "engine/task.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <iterator>
#include <string>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;
using Bytes = std::array<uint8_t, 520>;

// A record written out byte by byte, as it would sit in helper.dat.
Bytes HandMadeRecord() {
  Bytes b{};
  const uint8_t integers[40] = {
      0x07, 0x00, 0x00, 0x00,  // id 7
      0x05, 0x00, 0x00, 0x00,  // mode 5 (Yearly)
      0x08, 0x00, 0x00, 0x00,  // action 8 (Reminder)
      0x00, 0xF1, 0x53, 0x65,  // start 1700000000
      0xFE, 0xFF, 0xFF, 0xFF,  // nextRun -2
      0xCF, 0x04, 0x00, 0x00,  // param 1231
      0xFF, 0xFF, 0xFF, 0x7F,  // reserved INT32_MAX
      0x3C, 0x00, 0x00, 0x00,  // warnSeconds 60
      0x00, 0x00, 0x00, 0x80,  // created INT32_MIN
      0x01, 0x00, 0x00, 0x00,  // state 1
  };
  std::copy(std::begin(integers), std::end(integers), b.begin());
  const uint8_t note[] = {0x07, 0x59, 0xE8, 0x6C, 0x41, 0x00};  // "备注A"
  std::copy(std::begin(note), std::end(note), b.begin() + 40);
  const uint8_t text[] = {0xF9, 0x95, 0x9F, 0x94, 0x0A, 0x00, 0x7A, 0x00};  // "闹钟\nz"
  std::copy(std::begin(text), std::end(text), b.begin() + 280);
  return b;
}

std::u16string UnitsToString(const std::array<char16_t, 120>& units) {
  return std::u16string(units.data(), std::u16string_view(units.data(), 120).find(u'\0'));
}

Bytes Encode(const TaskFileRecord& record) {
  Bytes out{};
  out.fill(0xCC);  // whatever was in the buffer must not survive
  EncodeRecord(record, out);
  return out;
}

// Small deterministic generator, so a failure can be replayed.
class Lcg {
 public:
  explicit Lcg(uint32_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }

 private:
  uint32_t state_;
};

TEST(TaskRecordTest, DecodesEachFieldFromItsOffset) {
  const Bytes bytes = HandMadeRecord();
  const TaskFileRecord r = DecodeRecord(bytes);
  EXPECT_EQ(r.id, 7);
  EXPECT_EQ(r.mode, 5);
  EXPECT_EQ(r.action, 8);
  EXPECT_EQ(r.start, 1700000000);
  EXPECT_EQ(r.nextRun, -2);
  EXPECT_EQ(r.param, 1231);
  EXPECT_EQ(r.reserved, INT32_MAX);
  EXPECT_EQ(r.warnSeconds, 60);
  EXPECT_EQ(r.created, INT32_MIN);
  EXPECT_EQ(r.state, 1);
  EXPECT_EQ(Text(UnitsToString(r.note)), Text(u"备注A"));
  EXPECT_EQ(Text(UnitsToString(r.text)), Text(u"闹钟\nz"));
  for (std::size_t i = 3; i < 120; ++i)
    ASSERT_EQ(r.note[i], 0) << "note unit " << i;
  for (std::size_t i = 4; i < 120; ++i)
    ASSERT_EQ(r.text[i], 0) << "text unit " << i;
}

TEST(TaskRecordTest, EncodeGivesTheExactBytes) {
  TaskFileRecord r;
  r.id = 7;
  r.mode = 5;
  r.action = 8;
  r.start = 1700000000;
  r.nextRun = -2;
  r.param = 1231;
  r.reserved = INT32_MAX;
  r.warnSeconds = 60;
  r.created = INT32_MIN;
  r.state = 1;
  const std::u16string note = u"备注A";
  const std::u16string text = u"闹钟\nz";
  std::copy(note.begin(), note.end(), r.note.begin());
  std::copy(text.begin(), text.end(), r.text.begin());
  const Bytes want = HandMadeRecord();
  const Bytes got = Encode(r);
  for (std::size_t i = 0; i < want.size(); ++i)
    ASSERT_EQ(got[i], want[i]) << "byte " << i;
}

// The record keeps the raw units, so any 520 bytes survive decode and encode.
TEST(TaskRecordTest, AnyBytesRoundTripThroughTheRecord) {
  Lcg random(20260309);
  for (int round = 0; round < 200; ++round) {
    Bytes bytes;
    for (uint8_t& b : bytes)
      b = static_cast<uint8_t>(random.Next());
    ASSERT_EQ(Encode(DecodeRecord(bytes)), bytes) << "round " << round;
  }
}

// Through a CTask too, as long as each text is terminated and zero-filled,
// which is how the program writes them.
TEST(TaskRecordTest, ZeroFilledRecordsRoundTripThroughCTask) {
  Lcg random(42);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Bytes bytes{};
    for (std::size_t i = 0; i < 40; ++i)
      bytes[i] = static_cast<uint8_t>(random.Next());
    for (const std::size_t offset : {std::size_t{40}, std::size_t{280}}) {
      const std::size_t length = random.Next() % 120;  // 0..119 units
      for (std::size_t i = 0; i < length; ++i) {
        const auto unit = static_cast<char16_t>(1 + random.Next() % 0xFFFF);  // never 0
        bytes[offset + 2 * i] = static_cast<uint8_t>(unit);
        bytes[offset + 2 * i + 1] = static_cast<uint8_t>(unit >> 8);
      }
    }
    const CTask task(DecodeRecord(bytes));
    const Bytes again = Encode(task.ToRecord());
    for (std::size_t i = 0; i < bytes.size(); ++i)
      ASSERT_EQ(again[i], bytes[i]) << "byte " << i;
  }
}

TEST(TaskRecordTest, SurrogatePairSurvivesTheRoundTrip) {
  TaskFileRecord r;
  const std::u16string text = u"\U0001F600提醒\U00020000";
  std::copy(text.begin(), text.end(), r.text.begin());
  const CTask task(r);
  EXPECT_EQ(Text(task.text.View()), Text(text));
  const Bytes bytes = Encode(task.ToRecord());
  // U+1F600 is D83D DE00, little-endian unit by unit.
  EXPECT_EQ(bytes[280], 0x3D);
  EXPECT_EQ(bytes[281], 0xD8);
  EXPECT_EQ(bytes[282], 0x00);
  EXPECT_EQ(bytes[283], 0xDE);
  const CTask back(DecodeRecord(bytes));
  EXPECT_EQ(Text(back.text.View()), Text(text));
}

TEST(TaskRecordTest, TextWithoutTerminatorKeepsItsFirst119Units) {
  Bytes bytes{};
  for (std::size_t i = 0; i < 120; ++i) {
    bytes[40 + 2 * i] = static_cast<uint8_t>('a' + i % 26);
    bytes[280 + 2 * i] = 0x2D;  // U+4E2D "中"
    bytes[280 + 2 * i + 1] = 0x4E;
  }
  const CTask task(DecodeRecord(bytes));
  std::u16string wantNote;
  for (std::size_t i = 0; i < 119; ++i)
    wantNote += static_cast<char16_t>(u'a' + i % 26);
  EXPECT_EQ(Text(task.note.View()), Text(wantNote));
  EXPECT_EQ(Text(task.text.View()), Text(std::u16string(119, u'中')));

  // Saved again, the 120th unit is the terminator.
  const Bytes saved = Encode(task.ToRecord());
  EXPECT_EQ(saved[40 + 2 * 119], 0);
  EXPECT_EQ(saved[40 + 2 * 119 + 1], 0);
  EXPECT_EQ(saved[280 + 2 * 119], 0);
  EXPECT_EQ(saved[280 + 2 * 119 + 1], 0);
  EXPECT_EQ(saved[280 + 2 * 118], 0x2D);
}

TEST(TaskRecordTest, UnitsAfterTheTerminatorAreNotCarried) {
  TaskFileRecord r;
  const std::u16string stored(u"ab\0garbage", 10);
  std::copy(stored.begin(), stored.end(), r.text.begin());
  std::copy(stored.begin(), stored.end(), r.note.begin());
  const CTask task(r);
  EXPECT_EQ(Text(task.text.View()), Text(u"ab"));
  const TaskFileRecord out = task.ToRecord();
  for (std::size_t i = 2; i < 120; ++i) {
    ASSERT_EQ(out.text[i], 0) << "text unit " << i;
    ASSERT_EQ(out.note[i], 0) << "note unit " << i;
  }
}

TaskFileRecord FullRecord() {
  TaskFileRecord r;
  r.id = 11;
  r.mode = kWeekly;
  r.action = kOpen;
  r.start = 1000;
  r.nextRun = 2000;
  r.param = 17;
  r.reserved = 5;
  r.warnSeconds = 30;
  r.created = 900;
  r.state = kNormal;
  r.note[0] = u'n';
  r.text[0] = u't';
  return r;
}

TEST(TaskRecordTest, AssignTakesTheIdOnlyWhenAsked) {
  const TaskFileRecord r = FullRecord();
  for (const bool takeId : {false, true}) {
    SCOPED_TRACE(takeId ? "takeId true" : "takeId false");
    CTask task;
    task.id = 3;
    task.Assign(r, takeId);
    EXPECT_EQ(task.id, takeId ? 11 : 3);
    TaskFileRecord want = r;
    want.id = task.id;
    EXPECT_TRUE(task.ToRecord() == want);
  }
}

TEST(TaskRecordTest, ConstructionFromRecordAndCopyKeepEveryField) {
  const TaskFileRecord r = FullRecord();
  const CTask fromRecord(r);
  EXPECT_TRUE(fromRecord.ToRecord() == r);
  const CTask copy(fromRecord);
  EXPECT_TRUE(copy.ToRecord() == r);
}

TEST(TaskRecordTest, ToRecordZeroFillsEverythingUnused) {
  EXPECT_EQ(Encode(CTask().ToRecord()), Bytes{});

  CTask task;
  task.text.Assign(std::u16string(119, u'x'));
  task.note.Assign(std::u16string(119, u'y'));
  task.text.Assign(u"ab");
  task.note.Assign(u"");
  const Bytes bytes = Encode(task.ToRecord());
  for (std::size_t i = 0; i < 280; ++i)
    ASSERT_EQ(bytes[i], 0) << "byte " << i;
  EXPECT_EQ(bytes[280], 'a');
  EXPECT_EQ(bytes[282], 'b');
  for (std::size_t i = 284; i < 520; ++i)
    ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(TaskTextTest, AssignCutsAt119UnitsWithoutSplittingAPair) {
  TaskText text;
  text.Assign(std::u16string(200, u'x'));
  EXPECT_EQ(text.View().size(), 119u);

  // A pair whose low half would be unit 120 goes as a whole.
  const std::u16string split = std::u16string(118, u'x') + u"\U0001F600";
  text.Assign(split);
  EXPECT_EQ(Text(text.View()), Text(std::u16string(118, u'x')));

  const std::u16string fits = std::u16string(117, u'x') + u"\U0001F600";
  text.Assign(fits);
  EXPECT_EQ(Text(text.View()), Text(fits));
}

TEST(ActionNameTest, NamesOfEveryAction) {
  const std::u16string_view names[] = {u"关机", u"重启",       u"注销", u"锁屏", u"休眠",
                                       u"挂机", u"关闭显示器", u"打开", u"提醒"};
  for (int32_t action = 0; action <= 8; ++action) {
    SCOPED_TRACE("action " + std::to_string(action));
    EXPECT_EQ(Text(ActionName(action)), Text(names[action]));
  }
  for (const int32_t action : {-1, 9, 100, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE("action " + std::to_string(action));
    EXPECT_TRUE(ActionName(action).empty());
  }
}

}  // namespace
}  // namespace nightlatch
