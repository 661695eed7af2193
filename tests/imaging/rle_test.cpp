// Run-length-encoded pixel data: runs, literal runs with their padding, line ends,
// deltas and the end of the bitmap, in 8 and 4 bits per pixel.
#include <gtest/gtest.h>

#include <memory>

#include "base/errors.h"
#include "imaging/bitmap.h"
#include "tests/imaging/bmp_builder.h"

namespace tapestro {
namespace {

using test::PixelAt;

// Index i has red i * 10, so a pixel tells its index.
std::vector<TRGBQuad> Ramp(int count) {
  std::vector<TRGBQuad> colors;
  for (int i = 0; i < count; ++i) colors.push_back({0, 0, static_cast<uint8_t>(i * 10), 0});
  return colors;
}

std::unique_ptr<TBitmap> Decode(uint16_t bits, int32_t width, int32_t height, std::vector<uint8_t> data) {
  test::TBmpFile file;
  file.Width = width;
  file.Height = height;
  file.BitCount = bits;
  file.Compression = bits == 8 ? 1 : 2;
  file.Colors = Ramp(bits == 8 ? 256 : 16);
  file.Pixels = std::move(data);
  auto bitmap = std::make_unique<TBitmap>();
  test::LoadFromBytes(*bitmap, file.Bytes());
  return bitmap;
}

// The indices of one row (0 = top), read back through the colours; -1 for black pixels
// the data never set.
std::vector<int> Row(const TBitmap& bitmap, int32_t y) {
  std::vector<int> out;
  for (int32_t x = 0; x < bitmap.Width(); ++x) {
    const TColor c = PixelAt(bitmap, x, y);
    out.push_back(c == clBlack ? -1 : RedOf(c) / 10);
  }
  return out;
}

TEST(RleTest, Rle8RunsLiteralsAndLineEnds) {
  // Bottom row: run of 2 x 5, literal 7 8 9 (odd: one pad byte); end of line.
  // Top row: literal 1 2 4 (pad), run 2 x 4; end of bitmap. Literals are 3 or longer:
  // 0 2 is a delta.
  const auto bitmap = Decode(8, 5, 2, {2, 5, 0, 3, 7, 8, 9, 0, 0, 0, 0, 3, 1, 2, 4, 0, 2, 4, 0, 1});
  EXPECT_EQ(Row(*bitmap, 1), (std::vector<int>{5, 5, 7, 8, 9}));
  EXPECT_EQ(Row(*bitmap, 0), (std::vector<int>{1, 2, 4, 4, 4}));
}

TEST(RleTest, DeltaSkipsPixelsThatStayBlack) {
  // Index 1 at (0, bottom); delta 2 right, 1 up; index 3; end of bitmap.
  const auto bitmap = Decode(8, 4, 2, {1, 1, 0, 2, 2, 1, 1, 3, 0, 1});
  EXPECT_EQ(Row(*bitmap, 1), (std::vector<int>{1, -1, -1, -1}));
  EXPECT_EQ(Row(*bitmap, 0), (std::vector<int>{-1, -1, -1, 3}));
}

TEST(RleTest, Rle4RunsAlternateTheTwoIndicesOfTheirByte) {
  // Run of 5 from 0x12: 1 2 1 2 1. Literal of 3 indices 0x34 0x50 (2 bytes: no pad).
  const auto bitmap = Decode(4, 8, 1, {5, 0x12, 0, 3, 0x34, 0x50, 0, 1});
  EXPECT_EQ(Row(*bitmap, 0), (std::vector<int>{1, 2, 1, 2, 1, 3, 4, 5}));
}

TEST(RleTest, Rle4LiteralsArePaddedToWholeWords) {
  // Literal of 5 indices takes 3 bytes and one pad byte, then a run of 1 x 7.
  const auto bitmap = Decode(4, 6, 1, {0, 5, 0x12, 0x34, 0x50, 0xEE, 1, 0x70, 0, 1});
  EXPECT_EQ(Row(*bitmap, 0), (std::vector<int>{1, 2, 3, 4, 5, 7}));
}

TEST(RleTest, DataEndingEarlyKeepsWhatWasDecoded) {
  const auto bitmap = Decode(8, 3, 2, {3, 2, 0, 0, 0, 5, 1});  // the literal is cut
  EXPECT_EQ(Row(*bitmap, 1), (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(Row(*bitmap, 0), (std::vector<int>{1, -1, -1}));
}

TEST(RleTest, EarlyEndOfBitmapLeavesTheRestBlack) {
  const auto bitmap = Decode(8, 2, 3, {1, 4, 0, 1, 2, 2, 2, 2});
  EXPECT_EQ(Row(*bitmap, 2), (std::vector<int>{4, -1}));
  EXPECT_EQ(Row(*bitmap, 0), (std::vector<int>{-1, -1}));
}

TEST(RleTest, PixelsOutsideThePictureMakeTheFileInvalid) {
  const std::vector<std::vector<uint8_t>> overruns = {
      {3, 1, 0, 1},                         // a run past the row's end
      {0, 3, 1, 2, 3, 0, 0, 1},             // a literal past the row's end
      {0, 2, 5, 0, 1, 1, 0, 1},             // a delta past the row's end, then a pixel
      {0, 0, 0, 0, 1, 1, 0, 1},             // a pixel above the top row
      {0, 2, 0, 200, 1, 1},                 // a delta far above the picture
  };
  for (size_t i = 0; i < overruns.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_THROW(Decode(8, 2, 2, overruns[i]), EInvalidGraphic);
  }
  EXPECT_THROW(Decode(4, 2, 1, {3, 0x11, 0, 1}), EInvalidGraphic);
}

TEST(RleTest, LineEndsAndDeltasAfterTheLastRowAreHarmless) {
  const auto bitmap = Decode(8, 1, 1, {1, 3, 0, 0, 0, 0, 0, 2, 9, 9, 0, 1});
  EXPECT_EQ(Row(*bitmap, 0), (std::vector<int>{3}));
}

}  // namespace
}  // namespace tapestro
