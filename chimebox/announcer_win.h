// Speaks the current local time once: plays the chain of recordings beside
// the program, one after another, and returns when the last has finished.
#pragma once

namespace nightlatch {

// The environment variable that names a file (or pipe) receiving each path
// as a UTF-8 line just before it plays. Wine plays nothing without a sound
// device, so the tests watch the chain here.
inline constexpr wchar_t kChainLogVariable[] = L"NIGHTLATCH_CHIMEBOX_LOG";

void SpeakCurrentTime();

}  // namespace nightlatch
