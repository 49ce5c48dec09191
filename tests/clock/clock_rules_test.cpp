#include "clock/clock_rules.h"

#include <gtest/gtest.h>

#include <set>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

TEST(ClockGeometryTest, ZoomGivesCellAndGapThroughA32BitFloat) {
  struct Case {
    int32_t zoom;
    int cell;
    int gap;
    int side;
  };
  const Case cases[] = {
      {5, 55, 2, 112}, {7, 76, 3, 155}, {10, 110, 5, 225}, {13, 142, 6, 290}, {20, 220, 10, 450},
  };
  for (const Case& c : cases) {
    const ClockGeometry geometry = GeometryForZoom(c.zoom);
    EXPECT_EQ(geometry.cell, c.cell) << c.zoom;
    EXPECT_EQ(geometry.gap, c.gap) << c.zoom;
    EXPECT_EQ(geometry.side(), c.side) << c.zoom;
  }
  // Every size in range grows with the zoom and fits the three pieces.
  int previous = 0;
  for (int32_t zoom = kMinClockZoom; zoom <= kMaxClockZoom; ++zoom) {
    const ClockGeometry geometry = GeometryForZoom(zoom);
    EXPECT_GT(geometry.side(), previous) << zoom;
    previous = geometry.side();
    EXPECT_EQ(geometry.pictureSquare().right, geometry.side()) << zoom;
    EXPECT_EQ(geometry.weekdaySquare().top, geometry.cell + geometry.gap) << zoom;
    EXPECT_FALSE(geometry.weekdaySquare().Meets(geometry.pictureSquare())) << zoom;
    EXPECT_FALSE(geometry.band().Meets(geometry.weekdaySquare())) << zoom;
  }
}

// The zoomed 96-DPI lengths are scaled to the window's DPI, each on its own
// (so the side is gap plus two cells at that DPI), and so is the default
// place, or a larger clock would open beyond the work area's right edge.
TEST(ClockGeometryTest, SizesAndDefaultPlaceFollowTheDpi) {
  const struct {
    int32_t zoom;
    int dpi;
    int cell;
    int gap;
    int side;
  } cases[] = {
      {10, 96, 110, 5, 225},   {10, 120, 138, 6, 282},  // 137.5 and 6.25
      {10, 144, 165, 8, 338},                           // the gap 7.5 rounds up
      {10, 192, 220, 10, 450}, {13, 120, 178, 8, 364}, {20, 192, 440, 20, 900},
  };
  for (const auto& c : cases) {
    const ClockGeometry geometry = GeometryForZoom(c.zoom, c.dpi);
    EXPECT_EQ(geometry.cell, c.cell) << c.zoom << " at " << c.dpi;
    EXPECT_EQ(geometry.gap, c.gap) << c.zoom << " at " << c.dpi;
    EXPECT_EQ(geometry.side(), c.side) << c.zoom << " at " << c.dpi;
  }
  const ClockBox primary{0, 0, 1280, 984};
  EXPECT_EQ(DefaultClockLeft(primary), 1280 - 275);
  EXPECT_EQ(DefaultClockLeft(primary, 144), 1280 - 413);
  EXPECT_EQ(DefaultClockLeft(primary, 192), 1280 - 550);
  // A place off every monitor falls back to the default one at the DPI.
  EXPECT_EQ(ClockOpeningOrigin(100, 5000, GeometryForZoom(10, 144), primary, {primary}),
            (ClockOrigin{1280 - 413, 83}));
  for (const int dpi : {120, 144, 192}) {
    const ClockGeometry geometry = GeometryForZoom(10, dpi);
    EXPECT_LE(DefaultClockLeft(primary, dpi) + geometry.side(), primary.right) << dpi;
  }
}

TEST(ClockGeometryTest, ZoomOutsideItsRangeIsTakenAsTen) {
  // As GetPrivateProfileInt reads them: -1 comes back as a huge unsigned.
  for (int32_t hostile : {-1, 0, 4, 21, 100000, INT32_MAX, INT32_MIN}) {
    const ClockGeometry geometry = GeometryForZoom(hostile);
    EXPECT_EQ(geometry.cell, 110) << hostile;
    EXPECT_EQ(geometry.side(), 225) << hostile;
    EXPECT_FLOAT_EQ(geometry.zoom, 1.0f) << hostile;
  }
}

TEST(ClockGeometryTest, FaceBoxes) {
  const ClockGeometry geometry = GeometryForZoom(10);
  EXPECT_EQ(geometry.band(), (ClockBox{0, 0, 225, 110}));
  EXPECT_EQ(geometry.weekdaySquare(), (ClockBox{0, 115, 110, 225}));
  EXPECT_EQ(geometry.pictureSquare(), (ClockBox{115, 115, 225, 225}));
  EXPECT_EQ(geometry.dateBox(), (ClockBox{0, 0, 225, 27}));
  EXPECT_EQ(geometry.secondsBox(), (ClockBox{0, 0, 220, 105}));
  EXPECT_EQ(geometry.weekLabelBox(), (ClockBox{5, 115, 110, 142}));
}

TEST(ClockGeometryTest, FontHeightsFollowTheScreenResolutionAndZoom) {
  // 50 points at 96 dpi: MulDiv gives 67 pixels (66.7 rounded).
  EXPECT_EQ(ClockFontHeight(50, 96, 1.0f), -67);
  EXPECT_EQ(ClockFontHeight(11, 96, 1.0f), -15);
  EXPECT_EQ(ClockFontHeight(50, 120, 1.0f), -83);
  EXPECT_EQ(ClockFontHeight(50, 96, GeometryForZoom(5).zoom), -33);
  EXPECT_EQ(ClockFontHeight(50, 96, GeometryForZoom(20).zoom), -134);
  EXPECT_EQ(ClockFontHeight(11, 96, GeometryForZoom(13).zoom), -19);
}

TEST(ClockOpacityTest, LevelsAlphaAndMenuItems) {
  struct Case {
    int32_t level;
    int alpha;
    std::optional<int> menuId;
  };
  const Case cases[] = {
      {1, 25, 32795},         {2, 51, 32794},   {3, 76, std::nullopt},  {4, 102, 32792},
      {5, 127, std::nullopt}, {6, 153, 32790},  {7, 178, std::nullopt}, {8, 204, 32788},
      {9, 229, 32787},        {10, 255, 32786},
  };
  std::set<int> ids;
  for (const Case& c : cases) {
    EXPECT_EQ(OpacityAlpha(c.level), c.alpha) << c.level;
    EXPECT_EQ(OpacityMenuId(c.level), c.menuId) << c.level;
    if (c.menuId) {
      EXPECT_EQ(OpacityLevelOfMenuId(*c.menuId), c.level) << c.level;
      ids.insert(*c.menuId);
    }
  }
  EXPECT_EQ(ids.size(), 7u);
  for (int id : {32789, 32791, 32793, 32785, 32796})
    EXPECT_EQ(OpacityLevelOfMenuId(id), std::nullopt) << id;
}

TEST(ClockOpacityTest, OutOfRangeLevelsShowOpaque) {
  for (int32_t level : {0, -3, 11, 15, 1000}) {
    EXPECT_EQ(OpacityAlpha(level), 255) << level;
    EXPECT_EQ(OpacityMenuId(AppliedOpacityLevel(level)), 32786) << level;
  }
  // Kept: above 10 becomes 10, below 1 stays (and shows opaque).
  EXPECT_EQ(KeptOpacityLevel(15), 10);
  EXPECT_EQ(KeptOpacityLevel(0), 0);
  EXPECT_EQ(KeptOpacityLevel(7), 7);
}

TEST(PictureShiftTest, FourShiftedPaintsThenSixUnshiftedInATenPaintCycle) {
  PictureShiftCycle cycle;
  std::vector<int> xs;
  for (int paint = 0; paint < 20; ++paint)
    xs.push_back(cycle.NextSourceX(137));
  const std::vector<int> once = {27, 27, 27, 27, 0, 0, 0, 0, 0, 0};
  std::vector<int> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(xs, twice);
}

TEST(PictureShiftTest, DrawWidthKeepsThePicturesProportions) {
  EXPECT_EQ(PictureDrawWidth(137, 110, 110), 137);
  EXPECT_EQ(PictureDrawWidth(137, 110, 55), 68);
  EXPECT_EQ(PictureDrawWidth(110, 110, 220), 220);
  EXPECT_EQ(PictureDrawWidth(100, 0, 110), 0);
  // A hostile bitmap's proportions: cut, not overflowing the int.
  EXPECT_EQ(PictureDrawWidth(INT32_MAX, 1, 220), 65536);
  EXPECT_EQ(PictureDrawWidth(70000, 1, 1), 65536);
  EXPECT_EQ(PictureDrawWidth(-5, 10, 110), 0);
}

TEST(ClockFaceTextsTest, TimeDateSecondsAndWeekday) {
  LocalFields now;
  now.year = 2026;
  now.month = 3;
  now.day = 7;
  now.hour = 8;
  now.minute = 5;
  now.second = 9;
  now.weekday = 6;
  ClockFaceTexts texts = FaceTexts(now);
  EXPECT_EQ(Text(texts.time), Text(u"08:05"));
  EXPECT_EQ(Text(texts.date), Text(u"2026年3月7日"));
  EXPECT_EQ(Text(texts.seconds), Text(u"09"));
  EXPECT_EQ(Text(texts.weekday), Text(u"六"));
  const char16_t* weekdays[] = {u"日", u"一", u"二", u"三", u"四", u"五", u"六"};
  for (int day = 0; day < 7; ++day) {
    now.weekday = day;
    EXPECT_EQ(Text(FaceTexts(now).weekday), Text(weekdays[day]));
  }
  now.weekday = 7;
  EXPECT_EQ(Text(FaceTexts(now).weekday), Text(u"?"));
}

// A 225-pixel clock: its band is 225 x 110. At least 32 x 32 of the band
// must lie on one work area for the mouse to take it.
TEST(ClockPlaceTest, StoredPlaceWhileItsBandCanBeGrabbed) {
  const ClockBox primary{0, 0, 1280, 984};
  const ClockBox right{1280, 0, 2560, 1024};
  const ClockOrigin fallback{1005, 55};
  struct Case {
    const char* name;
    int left;
    int top;
    std::vector<ClockBox> areas;
    ClockOrigin expected;
  };
  const Case cases[] = {
      {"inside", 300, 200, {primary}, {300, 200}},
      {"on a monitor that is gone", 1500, 200, {primary}, fallback},
      {"on the second monitor", 1500, 200, {primary, right}, {1500, 200}},
      {"a sliver at the left", -224, 100, {primary}, fallback},
      {"32 at the left", -193, 100, {primary}, {-193, 100}},
      {"31 at the left", -194, 100, {primary}, fallback},
      {"32 at the right", 1248, 100, {primary}, {1248, 100}},
      {"31 at the right", 1249, 100, {primary}, fallback},
      {"band 32 into the top", 300, -78, {primary}, {300, -78}},
      {"band 31 into the top", 300, -79, {primary}, fallback},
      // The squares below the band do not count: they are no handle.
      {"only the squares show", 300, -110, {primary}, fallback},
      {"32 above the bottom", 300, 952, {primary}, {300, 952}},
      {"31 above the bottom", 300, 953, {primary}, fallback},
      {"far below", 100, 5000, {primary}, fallback},
      {"at the ends of the int", INT32_MAX, INT32_MIN, {primary}, fallback},
      // Split over two monitors, 32 on neither.
      {"31 on each", 1249, 100, {primary, ClockBox{1280, 0, 1311, 1024}}, fallback},
      {"no monitor known", 300, 200, {}, fallback},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClockOpeningOrigin(c.left, c.top, GeometryForZoom(10), primary, c.areas), c.expected)
        << c.name;
  }
  // The band's height is the cell: 55 at zoom 5.
  EXPECT_EQ(ClockOpeningOrigin(300, -23, GeometryForZoom(5), primary, {primary}),
            (ClockOrigin{300, -23}));
  EXPECT_EQ(ClockOpeningOrigin(300, -24, GeometryForZoom(5), primary, {primary}), fallback);
}

TEST(ClockPictureTest, WhichFileAPictureNumberLoads) {
  const std::u16string folder = u"C:\\Programs\\Nightlatch\\";
  const std::set<std::u16string> files = {
      folder + u"resource\\image\\Clock01.bmp",
      folder + u"resource\\image\\Clock05.bmp",
      u"D:\\Pictures\\face.bmp",
      u"D:\\Pictures\\face.png",
      folder + u"..\\shared\\other.BMP",
  };
  const auto isFile = [&](const std::u16string& path) { return files.count(path) > 0; };
  struct Case {
    int32_t number;
    std::optional<std::u16string> stored;
    std::optional<std::u16string> expected;
    PictureOccasion occasion = PictureOccasion::kOpening;
  };
  constexpr PictureOccasion kReload = PictureOccasion::kReload;
  const Case cases[] = {
      // Missing: the bundled picture of the number, else the first when
      // the clock opens, and on a reload none (the picture there is stays).
      {5, std::nullopt, folder + u"resource\\image\\Clock05.bmp"},
      {5, std::nullopt, folder + u"resource\\image\\Clock05.bmp", kReload},
      {6, std::nullopt, folder + u"resource\\image\\Clock01.bmp"},
      {6, std::nullopt, std::nullopt, kReload},
      {0, std::nullopt, folder + u"resource\\image\\Clock01.bmp"},
      {0, std::nullopt, std::nullopt, kReload},
      // Present but empty names nothing.
      {5, u"", std::nullopt},
      {5, u"", std::nullopt, kReload},
      // Relative inside the folder: taken against it, whether it exists or not.
      {2, u"resource\\image\\Clock05.bmp", folder + u"resource\\image\\Clock05.bmp"},
      {2, u"skins\\mine.bmp", folder + u"skins\\mine.bmp"},
      {2, u"skins\\..x\\mine.bmp", folder + u"skins\\..x\\mine.bmp"},
      // Absolute, or climbing out: only an existing .bmp.
      {2, u"D:\\Pictures\\face.bmp", u"D:\\Pictures\\face.bmp"},
      {2, u"D:\\Pictures\\missing.bmp", std::nullopt},
      {2, u"D:\\Pictures\\face.png", std::nullopt},
      {2, u"..\\shared\\other.BMP", folder + u"..\\shared\\other.BMP"},
      {2, u"../shared/other.bmp", std::nullopt},
      {2, u"resource\\..\\..\\Windows\\win.ini", std::nullopt},
      {2, u"\\\\server\\share\\face.bmp", std::nullopt},
      {2, u"\\Windows\\face.bmp", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::string label = testing::ToUtf8(c.stored.value_or(u"<missing>"));
    const std::optional<std::u16string> file =
        PictureFile(c.number, c.stored, folder, isFile, c.occasion);
    ASSERT_EQ(file.has_value(), c.expected.has_value()) << label << ", picture " << c.number;
    if (file) {
      EXPECT_EQ(Text(*file), Text(*c.expected)) << label;
    }
  }
}

TEST(ClockPictureTest, KeysAndBundledNames) {
  EXPECT_EQ(Text(PictureKey(1)), Text(u"sFile01"));
  EXPECT_EQ(Text(PictureKey(12)), Text(u"sFile12"));
  EXPECT_EQ(Text(BundledPicture(8)), Text(u"resource\\image\\Clock08.bmp"));
}

}  // namespace
}  // namespace nightlatch
