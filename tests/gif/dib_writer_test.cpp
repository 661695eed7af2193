// TDIBWriter: what it accepts, its rows, and the bitmap it hands over.
#include "gif/frame_bitmap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "base/errors.h"
#include "gif/errors.h"
#include "imaging/bitmap.h"
#include "tests/gif/bitmap_probe.h"

namespace tapestro {
namespace {

template <typename Error>
std::string ErrorOf(const std::function<void()>& work) {
  try {
    work();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST(DIBWriterTest, AcceptsEightAndTwentyFourBitFormatsOfSomeSize) {
  TBitmap bitmap;
  for (const TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf32bit, TPixelFormat::pfDevice})
    EXPECT_EQ(ErrorOf<GIFException>([&] { TDIBWriter(bitmap, format, 2, 2, nullptr); }), "Unsupported PixelFormat");
  for (const std::pair<int, int>& size : {std::pair{0, 2}, std::pair{2, 0}, std::pair{-1, 2}})
    EXPECT_EQ(
        ErrorOf<GIFException>([&] { TDIBWriter(bitmap, TPixelFormat::pf8bit, size.first, size.second, nullptr); }),
        "Invalid image dimensions");
}

TEST(DIBWriterTest, RowsOutsideTheBitmapOrAfterTheCommitAreRefused) {
  TBitmap bitmap;
  TDIBWriter writer(bitmap, TPixelFormat::pf8bit, 2, 3, nullptr);
  EXPECT_EQ(ErrorOf<EInvalidGraphicOperation>([&] { writer.RowPointer(-1); }), "Scan line index out of range");
  EXPECT_EQ(ErrorOf<EInvalidGraphicOperation>([&] { writer.RowPointer(3); }), "Scan line index out of range");
  writer.RowPointer(2)[1] = 7;
  writer.CommitToBitmap();
  EXPECT_EQ(ErrorOf<GIFException>([&] { writer.RowPointer(0); }), "Image has no DIB");
  EXPECT_EQ(test::RawAt(bitmap, 1, 2), 7u);
}

TEST(DIBWriterTest, EightBitTableHoldsThePaletteThenZeros) {
  TBitmap bitmap;
  const HPALETTE palette = MakeLogPalette({{1, 2, 3, PC_NOCOLLAPSE}, {4, 5, 6, PC_NOCOLLAPSE}, {7, 8, 9, 0}});
  TDIBWriter writer(bitmap, TPixelFormat::pf8bit, 5, 1, palette);
  std::memcpy(writer.RowPointer(0), "\x00\x01\x02\x03\x04", 5);
  writer.CommitToBitmap();
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  ASSERT_EQ(bitmap.ColorTable().size(), 256u);
  EXPECT_EQ(bitmap.ColorTable()[2], (TRGBQuad{9, 8, 7, 0}));
  EXPECT_EQ(bitmap.ColorTable()[3], TRGBQuad{});
  EXPECT_EQ(test::RawPixels(bitmap), (std::vector<uint8_t>{0, 1, 2, 3, 4}));
  const std::vector<uint8_t> saved = test::SavedBytes(bitmap);
  EXPECT_EQ(test::U32At(saved, 50), 3u);  // colours important
  EXPECT_EQ(saved.size(), 1078u + 8u);    // one row of 5 bytes padded to 8
}

TEST(DIBWriterTest, TwentyFourBitRowsAreBlueGreenRed) {
  TBitmap bitmap;
  TDIBWriter writer(bitmap, TPixelFormat::pf24bit, 2, 2, nullptr);
  std::memcpy(writer.RowPointer(0), "\x10\x20\x30\x40\x50\x60", 6);
  writer.CommitToBitmap();
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_TRUE(bitmap.ColorTable().empty());
  EXPECT_EQ(bitmap.Pixels().Get(bitmap.Pixels().Row(0), 1), RGBColor(0x60, 0x50, 0x40));
  EXPECT_EQ(bitmap.Pixels().Get(bitmap.Pixels().Row(1), 0), clBlack);
}

TEST(DIBWriterTest, UncommittedOrUnwrittenWriterLeavesTheTargetAlone) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(4);
  bitmap.SetHeight(4);
  {
    TDIBWriter dropped(bitmap, TPixelFormat::pf8bit, 2, 2, nullptr);
    dropped.RowPointer(0)[0] = 1;
  }
  TDIBWriter unwritten(bitmap, TPixelFormat::pf8bit, 2, 2, nullptr);
  unwritten.CommitToBitmap();
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
}

}  // namespace
}  // namespace tapestro
