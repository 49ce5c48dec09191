#include "clock/clock_rules.h"

#include <algorithm>

#include "engine/text_format.h"
#include "platform/dpi_scale.h"

namespace nightlatch {

ClockGeometry GeometryForZoom(int32_t zoomSetting, int dpi) {
  ClockGeometry geometry;
  geometry.dpi = dpi;
  geometry.zoom = static_cast<float>(AppliedClockZoom(zoomSetting) * 0.1);
  geometry.cell = ScaleToDpi(static_cast<int>(static_cast<double>(geometry.zoom) * 110), dpi);
  geometry.gap = ScaleToDpi(static_cast<int>(static_cast<double>(geometry.zoom) * 5), dpi);
  return geometry;
}

int32_t ClockFontHeight(int32_t points, int32_t logPixelsY, float zoom) {
  // MulDiv's rounding, for positive arguments.
  const int64_t pixels = (static_cast<int64_t>(points) * logPixelsY + 36) / 72;
  return static_cast<int32_t>(-static_cast<double>(pixels) * static_cast<double>(zoom));
}

uint8_t OpacityAlpha(int32_t level) {
  return static_cast<uint8_t>(AppliedOpacityLevel(level) * 255 / 10);
}

namespace {

constexpr int32_t kLevelsWithItems[] = {10, 9, 8, 6, 4, 2, 1};

}  // namespace

std::optional<int> OpacityMenuId(int32_t level) {
  if (std::find(std::begin(kLevelsWithItems), std::end(kLevelsWithItems), level) ==
      std::end(kLevelsWithItems))
    return std::nullopt;
  return kLastOpacityMenuId + 1 - level;
}

std::optional<int32_t> OpacityLevelOfMenuId(int id) {
  const int32_t level = kLastOpacityMenuId + 1 - id;
  if (OpacityMenuId(level) != id)
    return std::nullopt;
  return level;
}

int PictureShiftCycle::NextSourceX(int width) {
  if (counter_ < 0)
    counter_ = 9;
  const int x = counter_ > 5 ? width / 5 : 0;
  --counter_;
  return x;
}

int PictureDrawWidth(int width, int height, int cell) {
  if (height <= 0 || width <= 0 || cell <= 0)
    return 0;
  const double scaled = static_cast<double>(width) / height * cell;
  return static_cast<int>(std::min(scaled, static_cast<double>(kMaxPictureDrawWidth)));
}

ClockFaceTexts FaceTexts(const LocalFields& now) {
  static constexpr std::u16string_view kWeekdays[] = {u"日", u"一", u"二", u"三",
                                                      u"四", u"五", u"六"};
  ClockFaceTexts texts;
  texts.time = FormatText(u"%02d:%02d", {now.hour, now.minute});
  texts.date = FormatText(u"%d年%d月%d日", {now.year, now.month, now.day});
  texts.seconds = FormatText(u"%02d", {now.second});
  texts.weekday = now.weekday >= 0 && now.weekday < 7 ? std::u16string(kWeekdays[now.weekday])
                                                      : std::u16string(u"?");
  return texts;
}

int DefaultClockLeft(const ClockBox& primaryWorkArea, int dpi) {
  return primaryWorkArea.right - ScaleToDpi(kClockDefaultRightOffset, dpi);
}

ClockOrigin ClockOpeningOrigin(int storedLeft,
                               int storedTop,
                               const ClockGeometry& geometry,
                               const ClockBox& primaryWorkArea,
                               const std::vector<ClockBox>& workAreas) {
  // In 64 bits: a hand-edited place may lie near the ends of the int.
  const int64_t left = storedLeft;
  const int64_t top = storedTop;
  const int64_t right = left + geometry.side();
  const int64_t bottom = top + geometry.cell;
  const auto grabbable = [&](const ClockBox& area) {
    const int64_t width = std::min<int64_t>(right, area.right) - std::max<int64_t>(left, area.left);
    const int64_t height =
        std::min<int64_t>(bottom, area.bottom) - std::max<int64_t>(top, area.top);
    return width >= kGrabbablePixels && height >= kGrabbablePixels;
  };
  const bool reachable = std::any_of(workAreas.begin(), workAreas.end(), grabbable);
  if (reachable)
    return {storedLeft, storedTop};
  return {DefaultClockLeft(primaryWorkArea, geometry.dpi),
          ScaleToDpi(kClockDefaultTop, geometry.dpi)};
}

std::u16string PictureKey(int32_t number) {
  return FormatText(u"sFile%02d", {number});
}

std::u16string BundledPicture(int32_t number) {
  return FormatText(u"resource\\image\\Clock%02d.bmp", {number});
}

namespace {

bool IsAbsolute(std::u16string_view path) {
  return (!path.empty() && (path[0] == u'\\' || path[0] == u'/')) ||
         (path.size() >= 2 && path[1] == u':');
}

bool ClimbsOut(std::u16string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find_first_of(u"\\/", start), path.size());
    if (path.substr(start, end - start) == u"..")
      return true;
    start = end + 1;
  }
  return false;
}

bool IsBitmapName(std::u16string_view path) {
  if (path.size() < 4)
    return false;
  std::u16string extension(path.substr(path.size() - 4));
  for (char16_t& c : extension)
    if (c >= u'A' && c <= u'Z')
      c = static_cast<char16_t>(c - u'A' + u'a');
  return extension == u".bmp";
}

}  // namespace

std::optional<std::u16string> PictureFile(int32_t number,
                                          const std::optional<std::u16string>& stored,
                                          std::u16string_view programFolder,
                                          const std::function<bool(const std::u16string&)>& isFile,
                                          PictureOccasion occasion) {
  const std::u16string folder(programFolder);
  if (stored && stored->empty())
    return std::nullopt;
  if (!stored) {
    std::u16string bundled = folder + BundledPicture(number);
    if (isFile(bundled))
      return bundled;
    if (occasion == PictureOccasion::kReload)
      return std::nullopt;
    return folder + BundledPicture(1);
  }
  const std::u16string& value = *stored;
  if (!IsAbsolute(value) && !ClimbsOut(value))
    return folder + value;
  std::u16string path = IsAbsolute(value) ? value : folder + value;
  if (IsBitmapName(path) && isFile(path))
    return path;
  return std::nullopt;
}

}  // namespace nightlatch
