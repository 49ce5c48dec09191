#include "shell/prompt_placement.h"

namespace nightlatch {

PromptPlacement PlacePrompt(const WorkArea& work, int width, int height, bool bottomRight) {
  if (bottomRight)
    return PromptPlacement{work.right - width, work.bottom - height, true};
  return PromptPlacement{(work.right - width) / 2, (work.bottom - height) / 2, false};
}

}  // namespace nightlatch
