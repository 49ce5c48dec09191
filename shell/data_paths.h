// Paths in the per-user application data folder, composed without the
// system, so that a failed folder look-up is handled in one place.
#pragma once

#include <string>
#include <string_view>

namespace nightlatch {

// "<appData>\<folder>\<file>", leaving out an empty folder or file. Empty
// when appData is: an unknown data folder is no folder, never the root of
// the current drive.
std::u16string JoinDataPath(std::u16string_view appData,
                            std::u16string_view folder,
                            std::u16string_view file);

}  // namespace nightlatch
