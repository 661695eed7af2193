// Drawing on canvases: the stretch rules, masked drawing, filling and copying, the
// canvas of a bitmap, and the 32-bit export.
#include "imaging/canvas.h"

#include <gtest/gtest.h>

#include "imaging/bitmap.h"
#include "tests/imaging/bmp_builder.h"

namespace tapestro {
namespace {

using test::PixelAt;

constexpr TColor kRed = RGBColor(255, 0, 0);
constexpr TColor kGreen = RGBColor(0, 255, 0);
constexpr TColor kBlue = RGBColor(0, 0, 255);

// A one-row 24-bit bitmap of the given colours.
void MakeRow(TBitmap& bitmap, const std::vector<TColor>& colors) {
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(static_cast<int32_t>(colors.size()));
  bitmap.SetHeight(1);
  const TPixelView view = bitmap.Pixels();
  for (size_t x = 0; x < colors.size(); ++x) view.Set(bitmap.ScanLine(0), static_cast<int32_t>(x), colors[x]);
}

std::vector<TColor> RowOf(TCanvas& canvas, int32_t y) {
  const TPixelView view = canvas.Pixels();
  std::vector<TColor> out;
  for (int32_t x = 0; x < view.Width(); ++x) out.push_back(view.Get(view.Row(y), x));
  return out;
}

TEST(CanvasTest, ShrinkingDropsColumnsWithoutAveraging) {
  TBitmap bitmap;
  MakeRow(bitmap, {kRed, kGreen, kBlue, clWhite});
  TSurfaceCanvas canvas(2, 1);
  bitmap.Draw(canvas, Rect(0, 0, 2, 1));
  EXPECT_EQ(RowOf(canvas, 0), (std::vector<TColor>{kGreen, clWhite}));  // the centre of each pair
}

TEST(CanvasTest, EnlargingRepeatsRowsAndColumns) {
  TBitmap bitmap;
  MakeRow(bitmap, {kRed, kBlue});
  TSurfaceCanvas canvas(4, 3);
  bitmap.Draw(canvas, Rect(0, 0, 4, 3));
  for (int32_t y = 0; y < 3; ++y) EXPECT_EQ(RowOf(canvas, y), (std::vector<TColor>{kRed, kRed, kBlue, kBlue}));
}

TEST(CanvasTest, DrawingIsClippedToTheCanvas) {
  TBitmap bitmap;
  MakeRow(bitmap, {kRed, kGreen, kBlue});
  TSurfaceCanvas canvas(2, 1);
  bitmap.Draw(canvas, Rect(-1, 0, 2, 1));
  EXPECT_EQ(RowOf(canvas, 0), (std::vector<TColor>{kGreen, kBlue}));
  bitmap.Draw(canvas, Rect(5, 5, 8, 6));  // wholly outside: nothing happens
  EXPECT_EQ(RowOf(canvas, 0), (std::vector<TColor>{kGreen, kBlue}));
}

TEST(CanvasTest, CanvasOfFewColorsAveragesIntoItsPalette) {
  TBitmap bitmap;
  MakeRow(bitmap, {clBlack, clWhite});
  TSurfaceCanvas eightBit(1, 1, 8);
  bitmap.Draw(eightBit, Rect(0, 0, 1, 1));
  // Mid grey 128 shows as the halftone palette's nearest grey, 131.
  EXPECT_EQ(RowOf(eightBit, 0), (std::vector<TColor>{RGBColor(131, 131, 131)}));
  TSurfaceCanvas trueColor(1, 1, 24);
  bitmap.Draw(trueColor, Rect(0, 0, 1, 1));
  EXPECT_EQ(RowOf(trueColor, 0), (std::vector<TColor>{clWhite}));
}

TEST(CanvasTest, CanvasOfFewColorsShowsTheBitmapsOwnPalette) {
  TBitmap bitmap;
  MakeRow(bitmap, {RGBColor(200, 0, 0)});
  bitmap.SetPalette(MakeLogPalette({{0, 0, 0, 0}, {255, 0, 0, 0}}));
  TSurfaceCanvas eightBit(1, 1, 8);
  bitmap.Draw(eightBit, Rect(0, 0, 1, 1));
  EXPECT_EQ(RowOf(eightBit, 0), (std::vector<TColor>{kRed}));
  TSurfaceCanvas trueColor(1, 1, 32);
  bitmap.Draw(trueColor, Rect(0, 0, 1, 1));
  EXPECT_EQ(RowOf(trueColor, 0), (std::vector<TColor>{RGBColor(200, 0, 0)}));
}

TEST(CanvasTest, ShrunkMonochromeBitmapKeepsItsBlackPixels) {
  test::TBmpFile file;
  file.Width = 4;
  file.BitCount = 1;
  file.Colors = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  file.Pixels = {0xB0, 0, 0, 0};  // white, black, white, white
  TBitmap bitmap;
  test::LoadFromBytes(bitmap, file.Bytes());
  TSurfaceCanvas canvas(2, 1);
  bitmap.Draw(canvas, Rect(0, 0, 2, 1));
  EXPECT_EQ(RowOf(canvas, 0), (std::vector<TColor>{clBlack, clWhite}));
}

TEST(CanvasTest, MonochromeBitmapShrunkOneWayAndEnlargedTheOtherKeepsItsBlack) {
  test::TBmpFile file;
  file.Width = 2;
  file.Height = 4;
  file.BitCount = 1;
  file.Colors = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  file.Pixels = {0xC0, 0, 0, 0, 0x40, 0, 0, 0, 0xC0, 0, 0, 0, 0xC0, 0, 0, 0};  // one black pixel
  TBitmap bitmap;
  test::LoadFromBytes(bitmap, file.Bytes());
  TSurfaceCanvas canvas(4, 1);
  bitmap.Draw(canvas, Rect(0, 0, 4, 1));
  EXPECT_EQ(RowOf(canvas, 0), (std::vector<TColor>{clBlack, clBlack, clWhite, clWhite}));
}

TEST(CanvasTest, MaskedDrawingLeavesMaskedPixelsUnchanged) {
  TBitmap bitmap;
  MakeRow(bitmap, {kRed, kGreen});
  test::TBmpFile maskFile;
  maskFile.Width = 2;
  maskFile.BitCount = 1;
  maskFile.Colors = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  maskFile.Pixels = {0x80, 0, 0, 0};  // the first pixel is masked
  TBitmap mask;
  test::LoadFromBytes(mask, maskFile.Bytes());
  TSurfaceCanvas canvas(4, 2);
  canvas.BrushColor = kBlue;
  canvas.FillRect(Rect(0, 0, 4, 2));
  canvas.MaskedStretchDraw(Rect(0, 0, 4, 2), bitmap, mask);
  for (int32_t y = 0; y < 2; ++y) EXPECT_EQ(RowOf(canvas, y), (std::vector<TColor>{kBlue, kBlue, kGreen, kGreen}));
}

TEST(CanvasTest, FillRectIsClippedAndTellsTheChange) {
  TSurfaceCanvas canvas(3, 2);
  int changes = 0;
  canvas.OnChange = [&](TCanvas&) { ++changes; };
  canvas.BrushColor = kRed;
  canvas.FillRect(Rect(1, -5, 9, 1));
  EXPECT_EQ(RowOf(canvas, 0), (std::vector<TColor>{clBlack, kRed, kRed}));
  EXPECT_EQ(RowOf(canvas, 1), (std::vector<TColor>{clBlack, clBlack, clBlack}));
  EXPECT_EQ(changes, 1);
}

TEST(CanvasTest, CopyRectScalesBetweenCanvasesAndWithinOne) {
  TBitmap bitmap;
  MakeRow(bitmap, {kRed, kGreen, kBlue, clWhite});
  TSurfaceCanvas source(4, 1);
  bitmap.Draw(source, Rect(0, 0, 4, 1));
  TSurfaceCanvas target(4, 1);
  target.CopyRect(Rect(0, 0, 4, 1), source, Rect(1, 0, 3, 1));
  EXPECT_EQ(RowOf(target, 0), (std::vector<TColor>{kGreen, kGreen, kBlue, kBlue}));
  // Overlapping copy inside one canvas reads the pixels as they were before.
  source.CopyRect(Rect(1, 0, 4, 1), source, Rect(0, 0, 3, 1));
  EXPECT_EQ(RowOf(source, 0), (std::vector<TColor>{kRed, kRed, kGreen, kBlue}));
}

TEST(CanvasTest, BitmapDrawnIntoItsOwnCanvasReadsItsOldPixels) {
  TBitmap bitmap;
  MakeRow(bitmap, {kRed, kGreen, kBlue});
  bitmap.Draw(bitmap.Canvas(), Rect(1, 0, 3, 1));
  EXPECT_EQ(PixelAt(bitmap, 0, 0), kRed);
  EXPECT_EQ(PixelAt(bitmap, 1, 0), kRed);  // centre sampling of 3 into 2: columns 0 and 2
  EXPECT_EQ(PixelAt(bitmap, 2, 0), kBlue);
}

TEST(CanvasTest, DrawingIntoABitmapDropsItsKeptFileBytes) {
  test::TBmpFile file;
  file.Width = 2;
  file.BitCount = 8;
  file.Compression = 1;
  file.ClrUsed = 1;
  file.Colors = {{0, 0, 255, 0}};
  file.Pixels = {2, 0, 0, 1};
  TBitmap bitmap;
  test::LoadFromBytes(bitmap, file.Bytes());
  ASSERT_TRUE(bitmap.HasKeptFileBytes());
  bitmap.Canvas().BrushColor = kGreen;
  bitmap.Canvas().FillRect(Rect(1, 0, 2, 1));
  EXPECT_FALSE(bitmap.HasKeptFileBytes());
  TBitmap reloaded;
  test::LoadFromBytes(reloaded, test::SaveToBytes(bitmap));
  EXPECT_EQ(reloaded.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(PixelAt(reloaded, 0, 0), kRed);
  EXPECT_EQ(PixelAt(reloaded, 1, 0), kGreen);
}

TEST(CanvasTest, CanvasOfAnIndexedBitmapWritesNearestTableEntries) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf4bit);
  bitmap.SetWidth(3);
  bitmap.SetHeight(1);
  bitmap.Canvas().BrushColor = RGBColor(250, 10, 5);
  bitmap.Canvas().FillRect(Rect(0, 0, 2, 1));
  EXPECT_EQ(bitmap.ScanLine(0)[0], 0x99);  // red is entry 9 of the 16 colours
  EXPECT_EQ(PixelAt(bitmap, 2, 0), clWhite);
}

TEST(CanvasTest, BgrxImageHoldsEveryPixelTopRowFirst) {
  test::TBmpFile file;
  file.Width = 2;
  file.Height = 2;
  file.BitCount = 1;
  file.Colors = {{0, 0, 255, 0}, {255, 0, 0, 0}};  // red, blue
  file.Pixels = {0x40, 0, 0, 0, 0x80, 0, 0, 0};    // bottom row: red, blue; top: blue, red
  TBitmap bitmap;
  test::LoadFromBytes(bitmap, file.Bytes());
  const TBgrxImage image = ToBgrxImage(bitmap);
  EXPECT_EQ(image.Width, 2);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.Bytes, (std::vector<uint8_t>{255, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 255, 255, 0, 0, 255}));
}

}  // namespace
}  // namespace tapestro
