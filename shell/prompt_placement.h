// Where a countdown prompt appears and how it comes in: centred with a
// blend, or in the bottom-right corner of the work area sliding upwards.
#pragma once

namespace nightlatch {

struct WorkArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct PromptPlacement {
  int x = 0;
  int y = 0;
  bool slideUp = false;  // otherwise a blend
};

// Centring measures from the work area's origin at 0, 0, as the prompt
// always has.
PromptPlacement PlacePrompt(const WorkArea& work, int width, int height, bool bottomRight);

}  // namespace nightlatch
