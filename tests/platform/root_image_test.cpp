#include "platform/desktop/linux/x11/root_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "imaging/bitmap.h"
#include "tests/support/temp_dir.h"

namespace tapestro::desktop {
namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGreen = 0xff00ff00;
constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kWhite = 0xffffffff;

// 3x2: red green blue / white red green. No two neighbours alike, so any shift shows.
QImage Pattern() {
  QImage image(3, 2, QImage::Format_RGB32);
  const QRgb pixels[2][3] = {{kRed, kGreen, kBlue}, {kWhite, kRed, kGreen}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) image.setPixel(x, y, pixels[y][x]);
  return image;
}

QRgb PatternAt(int x, int y) { return Pattern().pixel(x, y); }

TWallpaperRequest Layout(TWallpaperLayout layout, int32_t x = 0, int32_t y = 0) { return {"/w", layout, x, y}; }

TEST(RootImageComposerTest, TileRepeatsFromTheTopLeftCorner) {
  const QImage screen = ComposeRootImage(Pattern(), 8, 5, {}, Layout(TWallpaperLayout::Tile));
  ASSERT_EQ(screen.size(), QSize(8, 5));
  EXPECT_EQ(screen.format(), QImage::Format_RGB32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(screen.pixel(x, y), PatternAt(x % 3, y % 2)) << x << "," << y;
}

TEST(RootImageComposerTest, CenterPlacesTheMiddleAndFillsTheRestBlack) {
  const QImage screen = ComposeRootImage(Pattern(), 7, 6, {}, Layout(TWallpaperLayout::Center));
  // (7 - 3) / 2 = 2, (6 - 2) / 2 = 2.
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 7; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 2 && y < 4;
      ASSERT_EQ(screen.pixel(x, y), inside ? PatternAt(x - 2, y - 2) : kBlack) << x << "," << y;
    }
  }
  // A picture larger than the screen shows its middle.
  const QImage cropped = ComposeRootImage(Pattern(), 1, 1, {}, Layout(TWallpaperLayout::Center));
  EXPECT_EQ(cropped.pixel(0, 0), PatternAt(1, 0));
}

TEST(RootImageComposerTest, OriginPutsTheTopLeftCornerThereEvenPartlyOffScreen) {
  const QImage screen = ComposeRootImage(Pattern(), 5, 4, {}, Layout(TWallpaperLayout::Origin, 3, -1));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool inside = x >= 3 && y < 1;
      ASSERT_EQ(screen.pixel(x, y), inside ? PatternAt(x - 3, y + 1) : kBlack) << x << "," << y;
    }
  }
  for (auto [x, y] : {std::pair{INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {-3, 0}}) {
    const QImage outside = ComposeRootImage(Pattern(), 5, 4, {}, Layout(TWallpaperLayout::Origin, x, y));
    for (int py = 0; py < 4; ++py)
      for (int px = 0; px < 5; ++px) ASSERT_EQ(outside.pixel(px, py), kBlack) << x << "," << y;
  }
}

TEST(RootImageComposerTest, StretchCoversTheWholeScreen) {
  QImage quadrants(2, 2, QImage::Format_RGB32);
  quadrants.setPixel(0, 0, kRed);
  quadrants.setPixel(1, 0, kGreen);
  quadrants.setPixel(0, 1, kBlue);
  quadrants.setPixel(1, 1, kWhite);
  const QImage screen = ComposeRootImage(quadrants, 40, 20, {}, Layout(TWallpaperLayout::Stretch));
  ASSERT_EQ(screen.size(), QSize(40, 20));
  EXPECT_EQ(screen.format(), QImage::Format_RGB32);
  EXPECT_EQ(screen.pixel(0, 0), kRed);
  EXPECT_EQ(screen.pixel(39, 0), kGreen);
  EXPECT_EQ(screen.pixel(0, 19), kBlue);
  EXPECT_EQ(screen.pixel(39, 19), kWhite);
  const QImage shrunk =
      ComposeRootImage(QImage(400, 300, QImage::Format_RGB32), 4, 3, {}, Layout(TWallpaperLayout::Stretch));
  EXPECT_EQ(shrunk.size(), QSize(4, 3));
}

// Two monitors side by side, the right one lower and with a gap to the root's edge.
const std::vector<TMonitorArea> kTwoMonitors{{0, 0, 6, 4}, {6, 1, 4, 3}};

TEST(RootImageComposerTest, EachMonitorGetsItsOwnLayoutAndTileRunsAcrossTheRoot) {
  const QImage center = ComposeRootImage(Pattern(), 10, 4, kTwoMonitors, Layout(TWallpaperLayout::Center));
  // Left: (6 - 3) / 2 = 1, (4 - 2) / 2 = 1. Right: 6 + (4 - 3) / 2 = 6, 1 + (3 - 2) / 2 = 1.
  EXPECT_EQ(center.pixel(1, 1), PatternAt(0, 0));
  EXPECT_EQ(center.pixel(3, 2), PatternAt(2, 1));
  EXPECT_EQ(center.pixel(6, 1), PatternAt(0, 0));
  EXPECT_EQ(center.pixel(8, 2), PatternAt(2, 1));
  EXPECT_EQ(center.pixel(9, 1), kBlack);
  EXPECT_EQ(center.pixel(6, 0), kBlack);  // outside every monitor

  const QImage origin = ComposeRootImage(Pattern(), 10, 4, kTwoMonitors, Layout(TWallpaperLayout::Origin, 1, 0));
  EXPECT_EQ(origin.pixel(1, 0), PatternAt(0, 0));
  EXPECT_EQ(origin.pixel(7, 1), PatternAt(0, 0));
  EXPECT_EQ(origin.pixel(9, 2), PatternAt(2, 1));
  // Clipped at the left monitor's right edge, never spilling onto its neighbour.
  const QImage clipped = ComposeRootImage(Pattern(), 10, 4, kTwoMonitors, Layout(TWallpaperLayout::Origin, 4, 0));
  EXPECT_EQ(clipped.pixel(5, 1), PatternAt(1, 1));
  EXPECT_EQ(clipped.pixel(6, 1), kBlack);

  const QImage tile = ComposeRootImage(Pattern(), 10, 4, kTwoMonitors, Layout(TWallpaperLayout::Tile));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(tile.pixel(x, y), PatternAt(x % 3, y % 2)) << x << "," << y;
}

TEST(RootImageComposerTest, FillCropsAndFitLeavesBarsPerMonitor) {
  // 2x1: red | blue. On a 4x4 monitor filling crops the sides to 2 columns of each
  // colour; fitting leaves a band of 4x2 with a bar above and below.
  QImage halves(2, 1, QImage::Format_RGB32);
  halves.setPixel(0, 0, kRed);
  halves.setPixel(1, 0, kBlue);
  const std::vector<TMonitorArea> square{{0, 0, 4, 4}, {4, 0, 4, 4}};
  const QImage fill = ComposeRootImage(halves, 8, 4, square, Layout(TWallpaperLayout::Fill));
  const QImage fit = ComposeRootImage(halves, 8, 4, square, Layout(TWallpaperLayout::Fit));
  for (int left : {0, 4}) {
    for (int y = 0; y < 4; ++y) {
      // Smooth scaling blends the colours a little: each keeps its side.
      EXPECT_GT(qRed(fill.pixel(left, y)), qBlue(fill.pixel(left, y))) << left;
      EXPECT_GT(qBlue(fill.pixel(left + 3, y)), qRed(fill.pixel(left + 3, y))) << left;
      const bool band = y == 1 || y == 2;
      EXPECT_EQ(fit.pixel(left, y) == kBlack, !band) << left << "," << y;
    }
    EXPECT_GT(qRed(fit.pixel(left, 1)), qBlue(fit.pixel(left, 1)));
    EXPECT_GT(qBlue(fit.pixel(left + 3, 2)), qRed(fit.pixel(left + 3, 2)));
  }
}

TEST(RootImageComposerTest, TransparentPixelsShowBlackAndOtherFormatsBecomeRgb32) {
  QImage translucent(2, 1, QImage::Format_ARGB32);
  translucent.setPixel(0, 0, qRgba(255, 255, 255, 0));
  translucent.setPixel(1, 0, qRgba(200, 100, 50, 255));
  const QImage screen = ComposeRootImage(translucent, 2, 1, {}, Layout(TWallpaperLayout::Center));
  EXPECT_EQ(screen.format(), QImage::Format_RGB32);
  EXPECT_EQ(screen.pixel(0, 0), kBlack);
  EXPECT_EQ(screen.pixel(1, 0), qRgb(200, 100, 50));

  QImage indexed(1, 1, QImage::Format_Indexed8);
  indexed.setColorTable({kGreen});
  indexed.setPixel(0, 0, 0);
  const QImage tiled = ComposeRootImage(indexed, 3, 2, {}, Layout(TWallpaperLayout::Tile));
  EXPECT_EQ(tiled.pixel(2, 1), kGreen);
}

// A large picture read by our own BMP reader lays out as the toolkit's reading of the
// same file does: pixel for pixel where it is placed as it is, and to within the
// averaging of neighbours where it is scaled.
TEST(RootImageComposerTest, ALargeBmpFileLaysOutAsTheToolkitReadsIt) {
  QImage colours(21, 13, QImage::Format_RGB32);
  for (int y = 0; y < colours.height(); ++y)
    for (int x = 0; x < colours.width(); ++x) colours.setPixel(x, y, qRgb(x * 12, y * 19, (x + y) * 7));
  const test::TempDir dir;
  const std::string file = dir.File("large.bmp");
  ASSERT_TRUE(colours.save(QString::fromStdString(file), "BMP"));
  auto bitmap = std::make_shared<TBitmap>();
  bitmap->LoadFromFile(file);
  ASSERT_EQ(bitmap->BitsPerPixel(), 24);
  const TWallpaperPicture ours(std::move(bitmap));
  const QImage toolkit(QString::fromStdString(file));
  const QSize root(10, 4);
  const TWallpaperPicture loaded = LoadWallpaperImage(file, root);

  for (const TWallpaperRequest& request : {Layout(TWallpaperLayout::Center), Layout(TWallpaperLayout::Origin, 3, -2),
                                           Layout(TWallpaperLayout::Origin, -15, 1), Layout(TWallpaperLayout::Tile)}) {
    const QImage expected = ComposeRootImage(toolkit, root.width(), root.height(), kTwoMonitors, request);
    EXPECT_EQ(ComposeRootImage(ours, root.width(), root.height(), kTwoMonitors, request), expected)
        << static_cast<int>(request.Layout);
    EXPECT_EQ(ComposeRootImage(loaded, root.width(), root.height(), kTwoMonitors, request), expected)
        << static_cast<int>(request.Layout);
  }
  const auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 24 && std::abs(qGreen(a) - qGreen(b)) <= 24 &&
           std::abs(qBlue(a) - qBlue(b)) <= 24;
  };
  for (const TWallpaperLayout layout : {TWallpaperLayout::Stretch, TWallpaperLayout::Fill, TWallpaperLayout::Fit}) {
    const QImage expected = ComposeRootImage(toolkit, root.width(), root.height(), kTwoMonitors, Layout(layout));
    const QImage scaled = ComposeRootImage(ours, root.width(), root.height(), kTwoMonitors, Layout(layout));
    ASSERT_EQ(scaled.size(), root);
    for (int y = 0; y < root.height(); ++y)
      for (int x = 0; x < root.width(); ++x) {
        // The bars fall on the same pixels.
        ASSERT_EQ(scaled.pixel(x, y) == kBlack, expected.pixel(x, y) == kBlack) << x << "," << y;
        ASSERT_TRUE(near(scaled.pixel(x, y), expected.pixel(x, y))) << static_cast<int>(layout) << " " << x << "," << y;
      }
  }
}

}  // namespace
}  // namespace tapestro::desktop
