#include "chimebox/spoken_time.h"

namespace nightlatch {
namespace {

constexpr std::u16string_view kNumbers[] = {
    u"resource/zeph/0.wav",  u"resource/zeph/1.wav",  u"resource/zeph/2.wav",
    u"resource/zeph/3.wav",  u"resource/zeph/4.wav",  u"resource/zeph/5.wav",
    u"resource/zeph/6.wav",  u"resource/zeph/7.wav",  u"resource/zeph/8.wav",
    u"resource/zeph/9.wav",  u"resource/zeph/10.wav", u"resource/zeph/11.wav",
    u"resource/zeph/12.wav",
};
// Indexed by minute / 10; "10.wav" is both the number ten and the ten of
// minutes 13 to 19.
constexpr std::u16string_view kTens[] = {
    {},
    u"resource/zeph/10.wav",
    u"resource/zeph/20.wav",
    u"resource/zeph/30.wav",
    u"resource/zeph/40.wav",
    u"resource/zeph/50.wav",
};
// Indexed by hour / 6.
constexpr std::u16string_view kPartsOfDay[] = {
    u"resource/zeph/TAA.wav",
    u"resource/zeph/TA.wav",
    u"resource/zeph/TP.wav",
    u"resource/zeph/TPP.wav",
};
// Two of the clock is read differently from the digit two.
constexpr std::u16string_view kHourTwo = u"resource/zeph/02.wav";

}  // namespace

SpokenTimeChain BuildSpokenTimeChain(int hour, int minute) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
    return {};
  SpokenTimeChain chain;
  chain[0] = u"resource/zeph/T.wav";
  chain[1] = kPartsOfDay[hour / 6];
  const int clockHour = hour <= 12 ? hour : hour % 12;
  chain[2] = clockHour == 2 ? kHourTwo : kNumbers[clockHour];
  chain[3] = u"resource/zeph/hour.wav";
  if (minute >= 13) {
    chain[4] = kTens[minute / 10];
    if (minute % 10 != 0)
      chain[5] = kNumbers[minute % 10];
  } else {
    // 1 to 9 are read with a leading zero; 0, 10, 11 and 12 on their own.
    if (minute >= 1 && minute <= 9)
      chain[4] = kNumbers[0];
    chain[5] = kNumbers[minute];
  }
  chain[6] = u"resource/zeph/minute.wav";
  return chain;
}

std::u16string RecordingPath(std::u16string_view moduleFile, std::u16string_view name) {
  const std::size_t slash = moduleFile.find_last_of(u'\\');
  if (slash == std::u16string_view::npos)
    return {};
  const std::size_t folderLength = slash + 1;
  if (folderLength + name.size() + 1 > kMaxPathUnits)
    return {};
  std::u16string path(moduleFile.substr(0, folderLength));
  return path.append(name);
}

}  // namespace nightlatch
