// The desktop clock's arithmetic and texts, free of the platform: its size
// at a zoom, the opacity levels and their menu items, the picture's shift
// cycle, where it may stand and which picture file it loads.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calendar.h"
#include "settings/clock_values.h"

namespace nightlatch {

struct ClockBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Meets(const ClockBox& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  friend bool operator==(const ClockBox&, const ClockBox&) = default;
};

// The face at one zoom: a band `cell` high across the top, and below it,
// `gap` apart, the weekday square and the picture square.
struct ClockGeometry {
  float zoom = 1.0f;
  int cell = 110;
  int gap = 5;
  int dpi = 96;

  int side() const { return gap + 2 * cell; }
  ClockBox band() const { return {0, 0, side(), cell}; }
  ClockBox weekdaySquare() const { return {0, gap + cell, cell, side()}; }
  ClockBox pictureSquare() const { return {gap + cell, gap + cell, side(), side()}; }
  // The date in the band's top quarter, the seconds at its bottom right,
  // "周" in the weekday square's top quarter inset by the gap.
  ClockBox dateBox() const { return {0, 0, side(), cell / 4}; }
  ClockBox secondsBox() const { return {0, 0, 2 * cell, cell - gap}; }
  ClockBox weekLabelBox() const { return {gap, gap + cell, cell, gap + cell + cell / 4}; }
};

// `Zoom` in tenths, as AppliedClockZoom takes it. The zoom is a 32-bit
// float whose product is taken in double: 13 gives a cell of 142, not 143.
// The zoomed lengths are those at 96 DPI, scaled to `dpi`.
ClockGeometry GeometryForZoom(int32_t zoomSetting, int dpi = 96);

// A font of `points` at the screen's `logPixelsY`, scaled by the zoom, as
// a LOGFONT height (negative: the character height).
int32_t ClockFontHeight(int32_t points, int32_t logPixelsY, float zoom);

// Alpha of a level as applied: level x 25.5, truncated (8 gives 204).
uint8_t OpacityAlpha(int32_t level);
// The menu item of a level (32796 - level); levels 7, 5 and 3 have none.
std::optional<int> OpacityMenuId(int32_t level);
// The level of an opacity menu item; none for an id without an item.
std::optional<int32_t> OpacityLevelOfMenuId(int id);
inline constexpr int kFirstOpacityMenuId = 32786;
inline constexpr int kLastOpacityMenuId = 32795;

// The picture's shift: drawn from a fifth of its width for four paints,
// from its left edge for six, over and over. One cycle serves every clock.
class PictureShiftCycle {
 public:
  // The source x of this paint for a picture `width` wide; moves the cycle
  // on by one paint.
  int NextSourceX(int width);

 private:
  int counter_ = 9;
};

// Destination width of a `width` x `height` picture drawn `cell` high;
// a hostile bitmap's proportions are cut at kMaxPictureDrawWidth.
inline constexpr int kMaxPictureDrawWidth = 1 << 16;
int PictureDrawWidth(int width, int height, int cell);

struct ClockFaceTexts {
  std::u16string time;     // "08:05"
  std::u16string date;     // "2026年12月9日"
  std::u16string seconds;  // "07"
  std::u16string weekday;  // "三"
};
inline constexpr std::u16string_view kWeekLabel = u"周";
ClockFaceTexts FaceTexts(const LocalFields& now);

// The default place: 275 pixels left of the primary work area's right
// edge, at top 55.
inline constexpr int kClockDefaultRightOffset = 275;
inline constexpr int kClockDefaultTop = 55;
// Both are 96-DPI lengths, scaled to `dpi`.
int DefaultClockLeft(const ClockBox& primaryWorkArea, int dpi = 96);
// Where a clock of `geometry` opens: the stored corner, unless its band
// would then show less than kGrabbablePixels square on every work area (a
// monitor removed, a lower resolution), too little to take it with the
// mouse; then the default place.
inline constexpr int kGrabbablePixels = 32;
struct ClockOrigin {
  int left = 0;
  int top = 0;
  friend bool operator==(const ClockOrigin&, const ClockOrigin&) = default;
};
ClockOrigin ClockOpeningOrigin(int storedLeft,
                               int storedTop,
                               const ClockGeometry& geometry,
                               const ClockBox& primaryWorkArea,
                               const std::vector<ClockBox>& workAreas);

// "sFile%02d" of a picture number.
std::u16string PictureKey(int32_t number);
// "resource\image\Clock%02d.bmp" of a picture number.
std::u16string BundledPicture(int32_t number);

// Which file picture `number` loads. `stored` is its `sFile%02d` value
// (none: the key is missing); `programFolder` ends with a backslash.
// - missing: the bundled picture of that number if it exists, else, when
//   the clock opens, the first one, and on a reload none;
// - empty: none;
// - a relative path inside the program folder: taken against it;
// - an absolute path, or one climbing out with "..": only an existing .bmp
//   file;
// none: keep the picture the clock has.
enum class PictureOccasion { kOpening, kReload };
std::optional<std::u16string> PictureFile(int32_t number,
                                          const std::optional<std::u16string>& stored,
                                          std::u16string_view programFolder,
                                          const std::function<bool(const std::u16string&)>& isFile,
                                          PictureOccasion occasion);

}  // namespace nightlatch
