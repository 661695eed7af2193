// BMP files as the bitmap writes them, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"
#include "tests/imaging/bmp_builder.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

using test::SaveToBytes;
using test::U16At;
using test::U32At;

// Offsets of the file header and the 40-byte info header.
constexpr size_t kBfSize = 2, kBfOffBits = 10, kBiSize = 14, kBiWidth = 18, kBiHeight = 22, kBiPlanes = 26,
                 kBiBitCount = 28, kBiCompression = 30, kBiSizeImage = 34, kBiXPels = 38, kBiYPels = 42,
                 kBiClrUsed = 46, kBiClrImportant = 50, kAfterHeader = 54;

void MakeBitmap(TBitmap& bitmap, TPixelFormat format, int32_t width, int32_t height) {
  bitmap.SetPixelFormat(format);
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
}

void PutBgr(uint8_t* p, uint8_t b, uint8_t g, uint8_t r) {
  p[0] = b;
  p[1] = g;
  p[2] = r;
}

TEST(BmpWriteTest, ThreeByTwo24BitBitmapIs78BytesBottomRowFirst) {
  TBitmap bitmap;
  MakeBitmap(bitmap, TPixelFormat::pf24bit, 3, 2);
  uint8_t* top = bitmap.ScanLine(0);
  PutBgr(top, 1, 2, 3);
  PutBgr(top + 3, 4, 5, 6);
  PutBgr(top + 6, 7, 8, 9);
  uint8_t* bottom = bitmap.ScanLine(1);
  PutBgr(bottom, 11, 12, 13);
  PutBgr(bottom + 3, 14, 15, 16);
  PutBgr(bottom + 6, 17, 18, 19);

  const std::vector<uint8_t> file = SaveToBytes(bitmap);
  ASSERT_EQ(file.size(), 78u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32At(file, kBfSize), 78u);
  EXPECT_EQ(U32At(file, 6), 0u);  // both reserved words
  EXPECT_EQ(U32At(file, kBfOffBits), 54u);
  EXPECT_EQ(U32At(file, kBiSize), 40u);
  EXPECT_EQ(U32At(file, kBiWidth), 3u);
  EXPECT_EQ(U32At(file, kBiHeight), 2u);
  EXPECT_EQ(U16At(file, kBiPlanes), 1u);
  EXPECT_EQ(U16At(file, kBiBitCount), 24u);
  EXPECT_EQ(U32At(file, kBiCompression), 0u);
  EXPECT_EQ(U32At(file, kBiSizeImage), 24u);
  EXPECT_EQ(U32At(file, kBiXPels), 0u);
  EXPECT_EQ(U32At(file, kBiYPels), 0u);
  EXPECT_EQ(U32At(file, kBiClrUsed), 0u);
  EXPECT_EQ(U32At(file, kBiClrImportant), 0u);
  // Rows of 12 bytes: 9 pixel bytes and 3 padding bytes, the bottom row first.
  const std::vector<uint8_t> bottomRow(file.begin() + 54, file.begin() + 63);
  const std::vector<uint8_t> topRow(file.begin() + 66, file.begin() + 75);
  EXPECT_EQ(bottomRow, (std::vector<uint8_t>{11, 12, 13, 14, 15, 16, 17, 18, 19}));
  EXPECT_EQ(topRow, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(BmpWriteTest, FiveByOne8BitBitmapHasAFullColorTable) {
  TBitmap bitmap;
  MakeBitmap(bitmap, TPixelFormat::pf8bit, 5, 1);
  const std::vector<uint8_t> file = SaveToBytes(bitmap);
  ASSERT_EQ(file.size(), 1086u);
  EXPECT_EQ(U32At(file, kBfSize), 1086u);
  EXPECT_EQ(U32At(file, kBfOffBits), 1078u);
  EXPECT_EQ(U16At(file, kBiBitCount), 8u);
  EXPECT_EQ(U32At(file, kBiSizeImage), 8u);
  EXPECT_EQ(U32At(file, kBiClrUsed), 256u);
  EXPECT_EQ(bitmap.Description().Header.biClrUsed, 256u);  // recorded by the save
  // New pixels are white: each one is the index of the white table entry.
  const uint8_t white = file[1078];
  EXPECT_EQ(U32At(file, kAfterHeader + 4 * white), 0x00FFFFFFu);
}

TEST(BmpWriteTest, BitmapWithoutPixelsWritesNothing) {
  TBitmap empty;
  EXPECT_TRUE(SaveToBytes(empty).empty());
  TBitmap noHeight;
  MakeBitmap(noHeight, TPixelFormat::pf24bit, 7, 0);
  EXPECT_TRUE(SaveToBytes(noHeight).empty());
  EXPECT_EQ(noHeight.PixelFormat(), TPixelFormat::pf24bit);  // the format outlives the size
}

TEST(BmpWriteTest, TrueColorBitmapWritesItsLogicalPaletteAsColorTable) {
  TBitmap bitmap;
  MakeBitmap(bitmap, TPixelFormat::pf24bit, 2, 2);
  std::vector<TPaletteEntry> entries;
  for (uint8_t i = 0; i < 16; ++i) entries.push_back({i, static_cast<uint8_t>(i * 2), static_cast<uint8_t>(i * 3), 0});
  bitmap.SetPalette(MakeLogPalette(entries));
  const std::vector<uint8_t> file = SaveToBytes(bitmap);
  EXPECT_EQ(U32At(file, kBfOffBits), 118u);
  EXPECT_EQ(U32At(file, kBiClrUsed), 16u);
  EXPECT_EQ(U32At(file, kBfSize), 118u + 16u);
  ASSERT_EQ(file.size(), 134u);
  // Entry 5: blue, green, red, 0.
  EXPECT_EQ(file[kAfterHeader + 20], 15);
  EXPECT_EQ(file[kAfterHeader + 21], 10);
  EXPECT_EQ(file[kAfterHeader + 22], 5);
  EXPECT_EQ(file[kAfterHeader + 23], 0);
}

TEST(BmpWriteTest, HalftonePaletteMadeForDrawingIsNeverWritten) {
  SetDisplayBitsPerPixel(16);
  TBitmap bitmap;
  MakeBitmap(bitmap, TPixelFormat::pf24bit, 2, 2);
  ASSERT_NE(bitmap.Palette(), nullptr);  // the display shows fewer bits than the bitmap
  SetDisplayBitsPerPixel(kDefaultDisplayBitsPerPixel);
  const std::vector<uint8_t> file = SaveToBytes(bitmap);
  EXPECT_EQ(U32At(file, kBfOffBits), 54u);
  EXPECT_EQ(U32At(file, kBiClrUsed), 0u);
}

TEST(BmpWriteTest, SixteenBitBitmapWritesItsMasks) {
  TBitmap bitmap;
  MakeBitmap(bitmap, TPixelFormat::pf16bit, 2, 1);
  const std::vector<uint8_t> file = SaveToBytes(bitmap);
  EXPECT_EQ(U32At(file, kBfOffBits), 66u);
  EXPECT_EQ(U32At(file, kBiCompression), 3u);
  EXPECT_EQ(U32At(file, 54), 0xF800u);
  EXPECT_EQ(U32At(file, 58), 0x07E0u);
  EXPECT_EQ(U32At(file, 62), 0x001Fu);
  EXPECT_EQ(U16At(file, 66), 0xFFFFu);  // white
}

TEST(BmpWriteTest, LoadedFileKeepsResolutionAndImportantColors) {
  test::TBmpFile source;
  source.Width = 2;
  source.BitCount = 4;
  source.XPelsPerMeter = 3779;
  source.YPelsPerMeter = 2835;
  source.ClrUsed = 3;
  source.ClrImportant = 2;
  source.SizeImage = 4;
  source.Colors = {{0, 0, 0, 0}, {0, 0, 255, 0}, {255, 255, 255, 0}};
  source.Pixels = {0x12, 0, 0, 0};
  TBitmap bitmap;
  test::LoadFromBytes(bitmap, source.Bytes());
  std::vector<uint8_t> file = SaveToBytes(bitmap);
  EXPECT_EQ(file, source.Bytes());  // three colours in, three colours out

  // A row access forgets the counts: the whole 16-entry table is written.
  bitmap.ScanLine(0);
  file = SaveToBytes(bitmap);
  EXPECT_EQ(U32At(file, kBiXPels), 3779u);
  EXPECT_EQ(U32At(file, kBiYPels), 2835u);
  EXPECT_EQ(U32At(file, kBiClrUsed), 16u);
  EXPECT_EQ(U32At(file, kBiClrImportant), 0u);
  EXPECT_EQ(U32At(file, kBfOffBits), 54u + 64u);
}

TEST(BmpWriteTest, TopDownBitmapIsWrittenTopDown) {
  test::TBmpFile source;
  source.Width = 1;
  source.Height = -2;
  source.Pixels = {1, 2, 3, 0, 4, 5, 6, 0};
  TBitmap bitmap;
  test::LoadFromBytes(bitmap, source.Bytes());
  EXPECT_EQ(test::PixelAt(bitmap, 0, 0), RGBColor(3, 2, 1));  // first row stored is the top
  bitmap.ScanLine(0)[0] = 9;
  const std::vector<uint8_t> file = SaveToBytes(bitmap);
  EXPECT_EQ(static_cast<int32_t>(U32At(file, kBiHeight)), -2);
  EXPECT_EQ(file[54], 9);
  EXPECT_EQ(file[58], 4);
}

test::TBmpFile Os2File(uint16_t bits) {
  test::TBmpFile file;
  file.HeaderSize = 12;
  file.Width = 3;
  file.Height = 2;
  file.BitCount = bits;
  if (bits <= 8)
    for (int i = 0; i < (1 << bits); ++i)
      file.Colors.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7, 0});
  const size_t rowBytes = ((3 * bits + 31) / 32) * 4;
  for (size_t i = 0; i < rowBytes * 2; ++i) file.Pixels.push_back(static_cast<uint8_t>(i % 2));
  return file;
}

TEST(BmpWriteTest, Os2FilesAreWrittenBackInTheOs2Layout) {
  for (const uint16_t bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    const std::vector<uint8_t> original = Os2File(bits).Bytes();
    TBitmap bitmap;
    test::LoadFromBytes(bitmap, original);
    EXPECT_EQ(SaveToBytes(bitmap), original);
  }
}

TEST(BmpWriteTest, Os2BitmapChangedPastTheOs2HeaderIsWrittenInTheWindowsLayout) {
  TBitmap bitmap;
  test::LoadFromBytes(bitmap, Os2File(8).Bytes());
  bitmap.SetPixelFormat(TPixelFormat::pf16bit);  // OS/2 1.x headers have no masks
  const std::vector<uint8_t> file = SaveToBytes(bitmap);
  EXPECT_EQ(U32At(file, kBiSize), 40u);
  TBitmap reloaded;
  test::LoadFromBytes(reloaded, file);
  EXPECT_EQ(reloaded.PixelFormat(), TPixelFormat::pf16bit);
  EXPECT_EQ(test::PixelAt(reloaded, 0, 0), test::PixelAt(bitmap, 0, 0));
}

TEST(BmpWriteTest, PersistedFormIsTheByteCountThenTheFile) {
  TBitmap bitmap;
  MakeBitmap(bitmap, TPixelFormat::pf24bit, 19, 18);
  TMemoryStream persisted;
  bitmap.WriteData(persisted);
  ASSERT_EQ(persisted.Size(), 4 + 1134);
  EXPECT_EQ(test::U32At(persisted.Bytes(), 0), 1134u);
  EXPECT_EQ(std::vector<uint8_t>(persisted.Bytes().begin() + 4, persisted.Bytes().end()), SaveToBytes(bitmap));
}

TEST(BmpWriteTest, AFileBitmapSavedUntouchedIsCopiedFileToFileAndAChangeIsSavedInstead) {
  // Larger than one copy chunk, so the copy goes round its loop.
  test::TBmpFile file;
  file.Width = 1000;
  file.Height = 400;
  for (size_t i = 0; i < size_t{3000} * 400; ++i) file.Pixels.push_back(static_cast<uint8_t>(i * 7 + i / 3000));
  const std::vector<uint8_t> bytes = file.Bytes();
  TBitmap inMemory;
  test::LoadFromBytes(inMemory, bytes);
  const std::vector<uint8_t> writtenFromMemory = SaveToBytes(inMemory);
  test::TempDir dir;
  const std::string source = dir.Write("in.bmp", std::string(bytes.begin(), bytes.end()));
  const auto fileBytes = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  };

  TBitmap bitmap;
  bitmap.LoadFromFile(source);
  bitmap.SaveToFile(dir.File("copy.bmp"));
  EXPECT_EQ(fileBytes(dir.File("copy.bmp")), writtenFromMemory);

  PutBgr(bitmap.ScanLine(399) + 2997, 1, 2, 3);
  bitmap.SaveToFile(dir.File("changed.bmp"));
  TBitmap changed;
  changed.LoadFromFile(dir.File("changed.bmp"));
  EXPECT_EQ(test::PixelAt(changed, 999, 399), RGBColor(3, 2, 1));
  EXPECT_EQ(test::PixelAt(changed, 998, 399), test::PixelAt(inMemory, 998, 399));
  EXPECT_EQ(fileBytes(source), bytes) << "a change never reaches the file it was read from";
}

}  // namespace
}  // namespace tapestro
