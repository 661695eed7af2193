// The bitmap's operations: sharing and copy on write, row access, resizing, pixel
// formats and palettes.
#include "imaging/bitmap.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "imaging/canvas.h"
#include "imaging/color.h"
#include "tests/imaging/bmp_builder.h"

namespace tapestro {
namespace {

using test::PixelAt;
using test::SaveToBytes;

void Fill24(TBitmap& bitmap, int32_t width, int32_t height) {
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < width; ++x) {
      row[3 * x] = static_cast<uint8_t>(10 * x);  // blue tells x
      row[3 * x + 1] = static_cast<uint8_t>(10 * y);  // green tells y
      row[3 * x + 2] = 200;
    }
  }
}

TColor At(int x, int y) { return RGBColor(200, static_cast<uint8_t>(10 * y), static_cast<uint8_t>(10 * x)); }

TEST(BitmapTest, NewBitmapIsAnEmptyDeviceBitmap) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Palette(), nullptr);
}

TEST(BitmapTest, AssignSharesPixelsUntilOneSideChanges) {
  TBitmap original;
  Fill24(original, 3, 2);
  TBitmap copy;
  copy.Assign(&original);
  EXPECT_EQ(copy.Pixels().Row(0), original.Pixels().Row(0));  // the same memory

  copy.ScanLine(0)[0] = 99;  // copy on write
  EXPECT_NE(copy.Pixels().Row(0), original.Pixels().Row(0));
  EXPECT_EQ(original.Pixels().Row(0)[0], 0);
  EXPECT_EQ(copy.Pixels().Row(0)[0], 99);
  EXPECT_EQ(PixelAt(copy, 2, 1), At(2, 1));
}

TEST(BitmapTest, SharedPixelsOutliveTheBitmapTheyCameFrom) {
  TBitmap kept;
  {
    TBitmap decoded;
    Fill24(decoded, 2, 2);
    kept.Assign(&decoded);
  }
  EXPECT_EQ(PixelAt(kept, 1, 1), At(1, 1));
}

TEST(BitmapTest, DrawingThroughTheCanvasOfASharedBitmapCopiesFirst) {
  TBitmap original;
  Fill24(original, 2, 2);
  TBitmap copy;
  copy.Assign(&original);
  int changes = 0;
  copy.OnChange = [&](TGraphic&) { ++changes; };
  copy.Canvas().BrushColor = clLime;
  copy.Canvas().FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(PixelAt(copy, 0, 0), clLime);
  EXPECT_EQ(PixelAt(original, 0, 0), At(0, 0));
  EXPECT_EQ(changes, 1);
}

TEST(BitmapTest, AssignNoneGivesAnEmptyBitmapAndSelfAssignKeepsPixels) {
  TBitmap bitmap;
  Fill24(bitmap, 2, 2);
  bitmap.Assign(&bitmap);
  EXPECT_EQ(PixelAt(bitmap, 1, 0), At(1, 0));
  bitmap.Assign(nullptr);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(BitmapTest, AssignCopiesTheTransparentFlagAndNotifies) {
  TBitmap source;
  Fill24(source, 1, 1);
  source.SetTransparent(true);
  TBitmap target;
  bool notified = false;
  target.OnChange = [&](TGraphic&) { notified = true; };
  target.Assign(&source);
  EXPECT_TRUE(target.Transparent());
  EXPECT_TRUE(notified);
}

TEST(BitmapTest, FreeImageGivesAPrivateCopy) {
  TBitmap original;
  Fill24(original, 2, 1);
  TBitmap copy;
  copy.Assign(&original);
  copy.FreeImage();
  EXPECT_NE(copy.Pixels().Row(0), original.Pixels().Row(0));
  EXPECT_EQ(SaveToBytes(copy), SaveToBytes(original));
}

TEST(BitmapTest, RowIndexOutsideThePictureIsRefused) {
  TBitmap bitmap;
  Fill24(bitmap, 2, 3);
  for (const int32_t row : {-1, 3}) {
    try {
      bitmap.ScanLine(row);
      ADD_FAILURE() << row;
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_STREQ(e.what(), "Scan line index out of range");
    }
  }
  TBitmap empty;
  EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
  TBitmap noWidth;
  noWidth.SetHeight(4);
  EXPECT_THROW(noWidth.ScanLine(0), EInvalidGraphicOperation);
}

TEST(BitmapTest, RowsAreAddressedFromTheTopInBottomUpMemory) {
  TBitmap bitmap;
  Fill24(bitmap, 2, 3);
  EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), -8);  // rows of 8 bytes, bottom row first
  EXPECT_EQ(bitmap.ScanLine(0)[1], 0);
  EXPECT_EQ(bitmap.ScanLine(2)[1], 20);
}

TEST(BitmapTest, ResizingKeepsTheTopLeftCornerAndFillsWhite) {
  TBitmap bitmap;
  Fill24(bitmap, 2, 2);
  bitmap.SetWidth(3);
  bitmap.SetHeight(3);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), At(0, 0));
  EXPECT_EQ(PixelAt(bitmap, 1, 1), At(1, 1));
  EXPECT_EQ(PixelAt(bitmap, 2, 0), clWhite);
  EXPECT_EQ(PixelAt(bitmap, 0, 2), clWhite);
  bitmap.SetWidth(1);
  EXPECT_EQ(PixelAt(bitmap, 0, 1), At(0, 1));
  bitmap.SetHeight(0);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 1);
}

TEST(BitmapTest, NewAreasTakeTheCanvasBrushColorOnceACanvasExists) {
  TBitmap bitmap;
  Fill24(bitmap, 1, 1);
  bitmap.Canvas().BrushColor = RGBColor(1, 2, 3);
  bitmap.SetWidth(2);
  EXPECT_EQ(PixelAt(bitmap, 1, 0), RGBColor(1, 2, 3));
}

TEST(BitmapTest, SizedBitmapWithoutAFormatIsA24BitDeviceBitmap) {
  TBitmap bitmap;
  bitmap.SetWidth(2);
  bitmap.SetHeight(2);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(bitmap.BitsPerPixel(), 24);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), clWhite);
  bitmap.ScanLine(0);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
}

TEST(BitmapTest, TrueColorConversionsKeepEveryPixel) {
  TBitmap original;
  Fill24(original, 3, 2);
  for (const TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pfDevice}) {
    TBitmap bitmap;
    bitmap.Assign(&original);
    bitmap.SetPixelFormat(format);
    EXPECT_EQ(bitmap.PixelFormat(), format);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(bitmap, x, y), At(x, y));
  }
}

TEST(BitmapTest, SixteenBitConversionsRoundToTheirChannels) {
  TBitmap bitmap;
  Fill24(bitmap, 3, 2);
  bitmap.SetPixelFormat(TPixelFormat::pf16bit);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf16bit);
  // 200 in five bits is 24 (197 back); 10 is 2 in six bits and 1 in five (8 back).
  EXPECT_EQ(PixelAt(bitmap, 1, 1), RGBColor(197, 8, 8));
  bitmap.SetPixelFormat(TPixelFormat::pf15bit);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(197, 0, 0));
}

TEST(BitmapTest, EightBitConversionTakesTheNearestHalftoneColors) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(2);
  bitmap.SetHeight(1);
  bitmap.ScanLine(0)[0] = 250;  // first pixel nearly blue, second white
  bitmap.ScanLine(0)[1] = 0;
  bitmap.ScanLine(0)[2] = 0;
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(bitmap.ColorTable().size(), 256u);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(0, 0, 255));
  EXPECT_EQ(PixelAt(bitmap, 1, 0), clWhite);
  EXPECT_TRUE(bitmap.PaletteModified);
  ASSERT_NE(bitmap.Palette(), nullptr);
  EXPECT_EQ(bitmap.Palette()->Entries.size(), 256u);
}

TEST(BitmapTest, FourAndOneBitConversionsUseTheirStandardColors) {
  TBitmap bitmap;
  Fill24(bitmap, 2, 1);
  bitmap.SetPixelFormat(TPixelFormat::pf4bit);
  ASSERT_EQ(bitmap.ColorTable().size(), 16u);
  EXPECT_EQ(bitmap.ColorTable()[9], ColorQuad(RGBColor(255, 0, 0)));
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(255, 0, 0));  // red 200 is nearer red than maroon
  bitmap.SetPixelFormat(TPixelFormat::pf1bit);  // not the first two of the 16 colours
  ASSERT_EQ(bitmap.ColorTable().size(), 2u);
  EXPECT_EQ(bitmap.ColorTable()[0], ColorQuad(clBlack));
  EXPECT_EQ(bitmap.ColorTable()[1], ColorQuad(clWhite));
  EXPECT_EQ(PixelAt(bitmap, 0, 0), clBlack);
  EXPECT_TRUE(bitmap.Monochrome());
}

TEST(BitmapTest, CustomFormatCannotBeAskedFor) {
  TBitmap bitmap;
  Fill24(bitmap, 1, 1);
  try {
    bitmap.SetPixelFormat(TPixelFormat::pfCustom);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Invalid pixel format");
  }
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
}

TEST(BitmapTest, NewPaletteKeepsTheColorsOfAnIndexedBitmap) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  bitmap.SetWidth(2);
  bitmap.SetHeight(1);
  // White pixels; the new palette puts white at index 2.
  bitmap.SetPalette(MakeLogPalette({{0, 0, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}}));
  EXPECT_EQ(bitmap.ScanLine(0)[0], 2);
  EXPECT_EQ(bitmap.ColorTable()[1], ColorQuad(RGBColor(255, 0, 0)));
  EXPECT_EQ(bitmap.ColorTable()[200], TRGBQuad{});  // past the palette's entries
  EXPECT_TRUE(bitmap.PaletteModified);
}

TEST(BitmapTest, SamePaletteChangesNothingAndNoneReleasesIt) {
  TBitmap bitmap;
  Fill24(bitmap, 1, 1);
  const HPALETTE palette = MakeLogPalette({{1, 2, 3, 0}});
  bitmap.SetPalette(palette);
  int changes = 0;
  bitmap.OnChange = [&](TGraphic&) { ++changes; };
  bitmap.SetPalette(palette);
  EXPECT_EQ(changes, 0);
  bitmap.SetPalette(nullptr);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bitmap.Palette(), nullptr);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), At(0, 0));
}

TEST(BitmapTest, HalftonePaletteIsMadeOnlyForDisplaysOfFewerBits) {
  TBitmap deep;
  Fill24(deep, 1, 1);
  EXPECT_EQ(deep.Palette(), nullptr);
  SetDisplayBitsPerPixel(8);
  TBitmap shallow;
  Fill24(shallow, 1, 1);
  const HPALETTE palette = shallow.Palette();
  SetDisplayBitsPerPixel(kDefaultDisplayBitsPerPixel);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->Entries.size(), 256u);
  EXPECT_EQ(shallow.Palette(), palette);  // made once
}

TEST(BitmapTest, HalftonePaletteHas256DistinctColors) {
  const HPALETTE palette = HalftonePalette();
  ASSERT_EQ(palette->Entries.size(), 256u);
  for (size_t i = 0; i < 256; ++i)
    for (size_t j = i + 1; j < 256; ++j) ASSERT_NE(palette->Entries[i], palette->Entries[j]) << i << " " << j;
  EXPECT_EQ(palette->Entries[0], (TPaletteEntry{0, 0, 0, 0}));
  EXPECT_EQ(palette->Entries[215], (TPaletteEntry{255, 255, 255, 0}));
}

TEST(BitmapTest, ResizingPastThePixelLimitIsRefusedAndKeepsThePicture) {
  TBitmap bitmap;
  Fill24(bitmap, 2, 2);
  EXPECT_THROW(bitmap.SetWidth(1 << 29), EOutOfResources);
  bitmap.SetWidth(1 << 20);
  EXPECT_THROW(bitmap.SetHeight(1 << 20), EOutOfResources);
  EXPECT_EQ(bitmap.Width(), 1 << 20);
  EXPECT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), At(1, 1));
}

}  // namespace
}  // namespace tapestro
