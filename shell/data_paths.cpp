#include "shell/data_paths.h"

namespace nightlatch {

std::u16string JoinDataPath(std::u16string_view appData,
                            std::u16string_view folder,
                            std::u16string_view file) {
  if (appData.empty())
    return {};
  std::u16string path(appData);
  for (const std::u16string_view part : {folder, file}) {
    if (!part.empty())
      path.append(u"\\").append(part);
  }
  return path;
}

}  // namespace nightlatch
