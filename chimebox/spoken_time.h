// Which recordings speak a time of day, and where they lie. Chimebox plays
// the chain; building it needs no sound device.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace nightlatch {

// Places in playing order: opening phrase, part-of-day word, hour number,
// hour word, minute lead, minute number, minute word. An empty place plays
// nothing.
using SpokenTimeChain = std::array<std::u16string_view, 7>;

// Names relative to the program's folder ("resource/zeph/....wav") for hour
// 0-23 and minute 0-59; any other time gives a chain of empty places.
SpokenTimeChain BuildSpokenTimeChain(int hour, int minute);

// Paths longer than this, terminator included, are not played.
constexpr std::size_t kMaxPathUnits = 260;

// The folder of `moduleFile` (up to its last backslash) + `name`, unchanged;
// empty when `moduleFile` has no folder or the path would not fit.
std::u16string RecordingPath(std::u16string_view moduleFile, std::u16string_view name);

}  // namespace nightlatch
