#include "engine/task.h"

namespace nightlatch {
namespace {

constexpr std::size_t kNoteOffset = 40;
constexpr std::size_t kTextOffset = kNoteOffset + 2 * kTaskTextUnits;
static_assert(kTextOffset + 2 * kTaskTextUnits == kTaskFileRecordSize);

int32_t ReadInt32(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                              uint32_t{p[3]} << 24);
}

void WriteInt32(uint8_t* p, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

void ReadUnits(const uint8_t* p, std::array<char16_t, kTaskTextUnits>& units) {
  for (std::size_t i = 0; i < kTaskTextUnits; ++i)
    units[i] = static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8);
}

void WriteUnits(uint8_t* p, const std::array<char16_t, kTaskTextUnits>& units) {
  for (std::size_t i = 0; i < kTaskTextUnits; ++i) {
    p[2 * i] = static_cast<uint8_t>(units[i]);
    p[2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
  }
}

// The ten integers with their offsets, in file order.
template <typename Record, typename Visit>
void ForEachInteger(Record& record, Visit visit) {
  const std::array fields{&record.id,      &record.mode,  &record.action,   &record.start,
                          &record.nextRun, &record.param, &record.reserved, &record.warnSeconds,
                          &record.created, &record.state};
  for (std::size_t i = 0; i < fields.size(); ++i)
    visit(4 * i, *fields[i]);
}

}  // namespace

std::u16string_view ActionName(int32_t action) {
  static constexpr std::u16string_view kNames[] = {
      u"关机", u"重启", u"注销", u"锁屏", u"休眠", u"挂机", u"关闭显示器", u"打开", u"提醒"};
  if (action < 0 || action >= static_cast<int32_t>(std::size(kNames)))
    return {};
  return kNames[action];
}

TaskFileRecord DecodeRecord(RecordBytes bytes) {
  TaskFileRecord record;
  ForEachInteger(record, [&](std::size_t offset, int32_t& field) {
    field = ReadInt32(bytes.data() + offset);
  });
  ReadUnits(bytes.data() + kNoteOffset, record.note);
  ReadUnits(bytes.data() + kTextOffset, record.text);
  return record;
}

void EncodeRecord(const TaskFileRecord& record, std::span<uint8_t, kTaskFileRecordSize> out) {
  ForEachInteger(
      record, [&](std::size_t offset, int32_t field) { WriteInt32(out.data() + offset, field); });
  WriteUnits(out.data() + kNoteOffset, record.note);
  WriteUnits(out.data() + kTextOffset, record.text);
}

void CTask::Assign(const TaskFileRecord& record, bool takeId) {
  if (takeId)
    id = record.id;
  mode = record.mode;
  action = record.action;
  start = record.start;
  nextRun = record.nextRun;
  param = record.param;
  reserved = record.reserved;
  warnSeconds = record.warnSeconds;
  created = record.created;
  state = record.state;
  note.AssignUnits(record.note);
  text.AssignUnits(record.text);
}

TaskFileRecord CTask::ToRecord() const {
  TaskFileRecord record;
  record.id = id;
  record.mode = mode;
  record.action = action;
  record.start = start;
  record.nextRun = nextRun;
  record.param = param;
  record.reserved = reserved;
  record.warnSeconds = warnSeconds;
  record.created = created;
  record.state = state;
  record.note = note.Units();
  record.text = text.Units();
  return record;
}

}  // namespace nightlatch
