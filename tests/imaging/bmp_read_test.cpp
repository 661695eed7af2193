// What the BMP reader accepts, how it fills the bitmap, and how it refuses.
#include <gtest/gtest.h>

#include <functional>

#include "base/errors.h"
#include "base/stream.h"
#include "imaging/bitmap.h"
#include "tests/imaging/bmp_builder.h"

namespace tapestro {
namespace {

using test::LoadFromBytes;
using test::PixelAt;
using test::SaveToBytes;
using test::TBmpFile;

TBmpFile TwoByTwo24() {
  TBmpFile file;
  file.Width = 2;
  file.Height = 2;
  // Bottom row: blue, green. Top row: red, white. Rows of 8 bytes.
  file.Pixels = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
  return file;
}

template <typename Error>
void ExpectLoadError(const std::vector<uint8_t>& bytes, const char* text) {
  TBitmap bitmap;
  try {
    LoadFromBytes(bitmap, bytes);
    ADD_FAILURE() << "loaded";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), text);
  }
}

void ExpectInvalid(const std::vector<uint8_t>& bytes) {
  ExpectLoadError<EInvalidGraphic>(bytes, "Bitmap image is not valid");
}
void ExpectReadError(const std::vector<uint8_t>& bytes) { ExpectLoadError<EReadError>(bytes, "Stream read error"); }

TEST(BmpReadTest, TwentyFourBitFileLoadsBottomRowFirst) {
  TBitmap bitmap;
  LoadFromBytes(bitmap, TwoByTwo24().Bytes());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(PixelAt(bitmap, 1, 0), clWhite);
  EXPECT_EQ(PixelAt(bitmap, 0, 1), RGBColor(0, 0, 255));
  EXPECT_EQ(PixelAt(bitmap, 1, 1), RGBColor(0, 255, 0));
}

TEST(BmpReadTest, NoBytesAtAllGiveAnEmptyBitmap) {
  TBitmap bitmap;
  LoadFromBytes(bitmap, TwoByTwo24().Bytes());
  LoadFromBytes(bitmap, {});
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
}

TEST(BmpReadTest, PixelOffsetAndSizeImageOfTheFileAreNotNeeded) {
  TBmpFile file = TwoByTwo24();
  file.OffBits = 1000;  // pixels still follow the header directly
  file.SizeImage = 0;
  TBitmap bitmap;
  LoadFromBytes(bitmap, file.Bytes());
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(255, 0, 0));
}

TEST(BmpReadTest, ShortFileLoadsWithItsMissingTopRowsZero) {
  TBmpFile file = TwoByTwo24();
  file.Pixels.resize(10);  // the bottom row and 2 bytes of the top row
  TBitmap bitmap;
  LoadFromBytes(bitmap, file.Bytes());
  EXPECT_EQ(PixelAt(bitmap, 0, 1), RGBColor(0, 0, 255));
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(0, 0, 0));
  EXPECT_EQ(PixelAt(bitmap, 1, 0), clBlack);
}

TEST(BmpReadTest, SizeImageSmallerThanThePixelsReadsOnlyThatMuch) {
  TBmpFile file = TwoByTwo24();
  file.SizeImage = 8;
  TBitmap bitmap;
  LoadFromBytes(bitmap, file.Bytes());
  EXPECT_EQ(PixelAt(bitmap, 0, 1), RGBColor(0, 0, 255));
  EXPECT_EQ(PixelAt(bitmap, 0, 0), clBlack);
}

TBmpFile SixteenBit(std::vector<uint32_t> masks) {
  TBmpFile file;
  file.Width = 2;
  file.BitCount = 16;
  file.Compression = 3;
  file.Masks = std::move(masks);
  file.Pixels = {0xFF, 0xFF, 0x1F, 0x00};  // all bits set, then only the low five
  return file;
}

TEST(BmpReadTest, SixteenBitMasksDecideBetween16BitAndCustom) {
  TBitmap rgb565;
  LoadFromBytes(rgb565, SixteenBit({0xF800, 0x07E0, 0x001F}).Bytes());
  EXPECT_EQ(rgb565.PixelFormat(), TPixelFormat::pf16bit);
  EXPECT_EQ(PixelAt(rgb565, 0, 0), clWhite);
  EXPECT_EQ(PixelAt(rgb565, 1, 0), RGBColor(0, 0, 255));

  const std::vector<uint8_t> bytes555 = SixteenBit({0x7C00, 0x03E0, 0x001F}).Bytes();
  TBitmap rgb555;
  LoadFromBytes(rgb555, bytes555);
  EXPECT_EQ(rgb555.PixelFormat(), TPixelFormat::pfCustom);
  EXPECT_EQ(PixelAt(rgb555, 1, 0), RGBColor(0, 0, 255));
  TBmpFile expected = SixteenBit({0x7C00, 0x03E0, 0x001F});
  expected.SizeImage = 4;
  EXPECT_EQ(SaveToBytes(rgb555), expected.Bytes());  // masks written back unchanged
}

TEST(BmpReadTest, SixteenBitWithoutMasksIs15Bit) {
  TBmpFile file = SixteenBit({});
  file.Compression = 0;
  TBitmap bitmap;
  LoadFromBytes(bitmap, file.Bytes());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf15bit);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), clWhite);  // the top bit is unused
}

TEST(BmpReadTest, LongerHeadersCarryTheirMasksInside) {
  TBmpFile file = SixteenBit({0xF800, 0x07E0, 0x001F});
  file.HeaderSize = 124;
  TBitmap bitmap;
  LoadFromBytes(bitmap, file.Bytes());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf16bit);
  EXPECT_EQ(PixelAt(bitmap, 1, 0), RGBColor(0, 0, 255));
  EXPECT_EQ(SaveToBytes(bitmap).size(), 14u + 40u + 12u + 4u);
}

TEST(BmpReadTest, ColorTableOfATrueColorFileBecomesItsPalette) {
  TBmpFile file = TwoByTwo24();
  file.ClrUsed = 2;
  file.Colors = {{1, 2, 3, 0}, {4, 5, 6, 0}};
  TBitmap bitmap;
  LoadFromBytes(bitmap, file.Bytes());
  ASSERT_NE(bitmap.Palette(), nullptr);
  ASSERT_EQ(bitmap.Palette()->Entries.size(), 2u);
  EXPECT_EQ(bitmap.Palette()->Entries[1], (TPaletteEntry{6, 5, 4, 0}));
  EXPECT_TRUE(bitmap.PaletteModified);
}

TEST(BmpReadTest, PaletteOfAnIndexedBitmapIsMadeFromItsColorTable) {
  TBmpFile file;
  file.BitCount = 1;
  file.ClrUsed = 1;  // one colour given; index 1 shows the missing entry as black
  file.Colors = {{0, 0, 255, 0}};
  file.Pixels = {0x40, 0, 0, 0};
  file.Width = 2;
  TBitmap bitmap;
  LoadFromBytes(bitmap, file.Bytes());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(PixelAt(bitmap, 1, 0), clBlack);
  ASSERT_NE(bitmap.Palette(), nullptr);
  EXPECT_EQ(bitmap.Palette()->Entries.size(), 2u);
}

TEST(BmpReadTest, PersistedButtonPictureLoadsAs24Bit) {
  TBmpFile file;
  file.Width = 19;
  file.Height = 18;
  file.SizeImage = 1080;
  file.XPelsPerMeter = 3779;
  file.YPelsPerMeter = 3779;
  file.Pixels.assign(1080, 0x80);
  std::vector<uint8_t> persisted = {0x6E, 0x04, 0, 0};  // 1134
  const std::vector<uint8_t> bytes = file.Bytes();
  ASSERT_EQ(bytes.size(), 1134u);
  persisted.insert(persisted.end(), bytes.begin(), bytes.end());
  TMemoryStream stream(persisted);
  TBitmap bitmap;
  bitmap.ReadData(stream);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap.Width(), 19);
  EXPECT_EQ(bitmap.Height(), 18);
  EXPECT_EQ(bitmap.Description().Bitmap.bmWidthBytes, 60);
  EXPECT_EQ(bitmap.Description().Header.biXPelsPerMeter, 3779);
}

TBmpFile Rle8File() {
  TBmpFile file;
  file.Width = 4;
  file.Height = 2;
  file.BitCount = 8;
  file.Compression = 1;
  file.ClrUsed = 2;
  file.Colors = {{0, 0, 255, 0}, {255, 0, 0, 0}};  // red, blue
  // Bottom row: 4 x index 1; end of line; top row: 2 x index 0; end of bitmap.
  file.Pixels = {4, 1, 0, 0, 2, 0, 0, 1};
  file.SizeImage = static_cast<uint32_t>(file.Pixels.size());
  return file;
}

TEST(BmpReadTest, RunLengthFileLoadsAsDeviceBitmapAndSavesItsBytesUntilChanged) {
  const std::vector<uint8_t> original = Rle8File().Bytes();
  std::vector<uint8_t> stream = {'x', 'y', 'z'};  // the file need not start the stream
  stream.insert(stream.end(), original.begin(), original.end());
  TMemoryStream input(stream);
  input.SetPosition(3);
  TBitmap bitmap;
  bitmap.LoadFromStream(input);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_TRUE(bitmap.HasKeptFileBytes());
  EXPECT_EQ(PixelAt(bitmap, 0, 1), RGBColor(0, 0, 255));
  EXPECT_EQ(PixelAt(bitmap, 1, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(PixelAt(bitmap, 3, 0), clBlack);  // never reached by the data
  EXPECT_EQ(SaveToBytes(bitmap), original);
  EXPECT_EQ(SaveToBytes(bitmap), original);

  bitmap.ScanLine(0);
  EXPECT_FALSE(bitmap.HasKeptFileBytes());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  const std::vector<uint8_t> saved = SaveToBytes(bitmap);
  EXPECT_EQ(test::U32At(saved, 30), 0u);  // uncompressed
  EXPECT_EQ(saved.size(), 54u + 2 * 12u);
  TBitmap reloaded;
  LoadFromBytes(reloaded, saved);
  EXPECT_EQ(PixelAt(reloaded, 1, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(PixelAt(reloaded, 2, 1), RGBColor(0, 0, 255));
}

TEST(BmpReadTest, FailedLoadLeavesTheBitmapAsItWas) {
  TBitmap bitmap;
  LoadFromBytes(bitmap, TwoByTwo24().Bytes());
  const std::vector<uint8_t> before = SaveToBytes(bitmap);
  bool changed = false;
  bitmap.OnChange = [&](TGraphic&) { changed = true; };
  TBmpFile broken = TwoByTwo24();
  broken.Planes = 3;
  EXPECT_THROW(LoadFromBytes(bitmap, broken.Bytes()), EInvalidGraphic);
  EXPECT_THROW(LoadFromBytes(bitmap, {'B', 'M', 1}), EReadError);
  EXPECT_FALSE(changed);
  EXPECT_EQ(SaveToBytes(bitmap), before);
  EXPECT_EQ(bitmap.Width(), 2);
}

TEST(BmpReadTest, WrongOrImpossibleHeadersAreNotValid) {
  const std::vector<std::function<void(TBmpFile&)>> breakages = {
      [](TBmpFile& f) { f.Signature = 0x4142; },                  // "BA"
      [](TBmpFile& f) { f.Planes = 0; },
      [](TBmpFile& f) { f.HeaderSize = 39; },                     // neither 12 nor 40 and up
      [](TBmpFile& f) { f.HeaderSize = 20; },
      [](TBmpFile& f) { f.Width = -2; },
      [](TBmpFile& f) { f.Width = 0; },
      [](TBmpFile& f) { f.Height = 0; },
      [](TBmpFile& f) { f.BitCount = 2; },
      [](TBmpFile& f) { f.BitCount = 64; },
      [](TBmpFile& f) { f.Compression = 4; },                     // embedded JPEG
      [](TBmpFile& f) { f.Compression = 3; f.Masks = {0xFF0000, 0xFF00, 0xFF}; },  // 24-bit bit fields
      [](TBmpFile& f) { f.Compression = 1; },                     // RLE8 needs 8 bits
      [](TBmpFile& f) { f.ClrUsed = 257; },
      [](TBmpFile& f) { f.Width = 16385; f.Height = 16384; },      // past the pixel limit
      [](TBmpFile& f) { f.Width = 0x7FFFFFFF; f.Height = -0x7FFFFFFF; },
  };
  for (size_t i = 0; i < breakages.size(); ++i) {
    SCOPED_TRACE(i);
    TBmpFile file = TwoByTwo24();
    breakages[i](file);
    ExpectInvalid(file.Bytes());
  }
}

TEST(BmpReadTest, HeaderLongerThanTheFileIsNotValid) {
  std::vector<uint8_t> bytes = TwoByTwo24().Bytes();
  bytes[15] = 0x10;  // header size 4136
  ExpectInvalid(bytes);
}

TEST(BmpReadTest, MasksMustBeSeparateRunsInsideThePixel) {
  ExpectInvalid(SixteenBit({0xF800, 0x0FE0, 0x001F}).Bytes());  // red and green overlap
  ExpectInvalid(SixteenBit({0xF800, 0x07E0, 0}).Bytes());       // no blue
  ExpectInvalid(SixteenBit({0xF800, 0x05E0, 0x001F}).Bytes());  // green has a hole
  ExpectInvalid(SixteenBit({0x1F0000, 0x07E0, 0x001F}).Bytes());  // red past 16 bits
}

TEST(BmpReadTest, RunLengthDataCannotBeTopDown) {
  TBmpFile file = Rle8File();
  file.Height = -2;
  ExpectInvalid(file.Bytes());
}

TEST(BmpReadTest, FileEndingInsideAFixedPartIsAReadError) {
  const std::vector<uint8_t> whole = TwoByTwo24().Bytes();
  ExpectReadError(std::vector<uint8_t>(whole.begin(), whole.begin() + 13));  // file header
  ExpectReadError(std::vector<uint8_t>(whole.begin(), whole.begin() + 16));  // header size
  const std::vector<uint8_t> masked = SixteenBit({0xF800, 0x07E0, 0x001F}).Bytes();
  ExpectReadError(std::vector<uint8_t>(masked.begin(), masked.begin() + 60));  // masks
  TBmpFile indexed;
  indexed.BitCount = 8;
  indexed.Colors.resize(256);
  const std::vector<uint8_t> table = indexed.Bytes();
  ExpectReadError(std::vector<uint8_t>(table.begin(), table.begin() + 54 + 1000));  // colour table
}

TEST(BmpReadTest, LargestPictureWithinTheLimitLoadsFromAShortFile) {
  TBmpFile file;
  file.Width = 16384;
  file.Height = 16384;
  file.BitCount = 1;
  file.Colors = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  file.Pixels = {0x80};
  TBitmap bitmap;
  LoadFromBytes(bitmap, file.Bytes());
  EXPECT_EQ(bitmap.Width(), 16384);
  EXPECT_EQ(PixelAt(bitmap, 0, 16383), clWhite);
  EXPECT_EQ(PixelAt(bitmap, 1, 16383), clBlack);
}

}  // namespace
}  // namespace tapestro
