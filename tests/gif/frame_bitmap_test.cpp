// A frame's bitmap: size, colour table, pixels, palettes and the rules of building it
// once; the transparency mask: which pixels it marks, when it is made, and that the
// bitmap keeps the transparent pixels' own colours; and the DIB writer both are made
// with: what it accepts, its rows, and the bitmap it hands over.
#include "gif/frame_bitmap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_image.h"
#include "imaging/bitmap.h"
#include "tests/gif/bitmap_probe.h"
#include "tests/support/gif_bytes.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::GifBuilder;
using test::ImageOptions;
using test::RawPixels;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::vector<TGIFColor> kFourColors = {{10, 20, 30}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

ImageOptions Options(int minimumCodeSize, int left = 0, int top = 0) {
  ImageOptions options;
  options.minimumCodeSize = minimumCodeSize;
  options.left = left;
  options.top = top;
  return options;
}

// 3 x 2 screen, the four colours as the global table; rows 0 1 2 and 3 2 1.
Bytes ThreeByTwo() {
  return GifBuilder().Header(3, 2, kFourColors).Image(3, 2, Bytes{0, 1, 2, 3, 2, 1}, Options(2)).Trailer().Get();
}

std::vector<TGIFColor> Ramp(int count, int step) {
  std::vector<TGIFColor> colors;
  for (int i = 0; i < count; ++i) colors.push_back({static_cast<uint8_t>(i * step), 7, static_cast<uint8_t>(255 - i)});
  return colors;
}

TEST(FrameBitmapTest, FourColourImageGivesAnEightBitBitmapOfItsColours) {
  const auto gif = test::ReadGif(ThreeByTwo());
  TBitmap* bitmap = gif.image->SubImage(0).FrameBitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 3);
  EXPECT_EQ(bitmap->Height(), 2);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_THAT(RawPixels(*bitmap), ElementsAre(0, 1, 2, 3, 2, 1));
  const auto table = bitmap->ColorTable();
  ASSERT_EQ(table.size(), 256u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(table[i], test::Quad(kFourColors[i])) << i;
  for (size_t i = 4; i < table.size(); ++i) EXPECT_EQ(table[i], TRGBQuad{}) << i;
}

TEST(FrameBitmapTest, SavedFirstFrameIsAPaddedEightBitBmpFile) {
  const auto gif = test::ReadGif(ThreeByTwo());
  const std::vector<uint8_t> bytes = test::SavedBytes(*gif.image->SubImage(0).FrameBitmap());
  // 14 + 40 header bytes, 256 x 4 table bytes, two rows of 3 indices padded to 4.
  ASSERT_EQ(bytes.size(), 1086u);
  EXPECT_EQ(test::U32At(bytes, 2), 1086u);   // bfSize
  EXPECT_EQ(test::U32At(bytes, 10), 1078u);  // bfOffBits
  EXPECT_EQ(test::U32At(bytes, 46), 256u);   // biClrUsed
  EXPECT_EQ(test::U32At(bytes, 50), 4u);     // biClrImportant: the palette's entries
  EXPECT_EQ(bytes[54 + 4 * 1 + 2], 255);     // entry 1 is red: blue, green, red, 0
  // The bottom row first.
  EXPECT_THAT(Bytes(bytes.begin() + 1078, bytes.end()), ElementsAre(3, 2, 1, 0, 0, 1, 2, 0));
}

TEST(FrameBitmapTest, ImageKeepsItsOwnSizeAndIgnoresItsOffset) {
  const Bytes pixels = test::NoisePixels(100, 4, 3);
  const auto gif = test::ReadGif(
      GifBuilder().Header(100, 100, kFourColors).Image(10, 10, pixels, Options(2, 20, 30)).Trailer().Get());
  TBitmap* bitmap = gif.image->SubImage(0).FrameBitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 10);
  EXPECT_EQ(bitmap->Height(), 10);
  EXPECT_EQ(RawPixels(*bitmap), pixels);
}

TEST(FrameBitmapTest, LocalTableWinsOverTheGlobalOne) {
  ImageOptions options = Options(4);
  options.localTable = Ramp(16, 16);
  const Bytes pixels = test::NoisePixels(8 * 4, 16, 5);
  const auto gif = test::ReadGif(GifBuilder().Header(8, 4, Ramp(256, 1)).Image(8, 4, pixels, options).Trailer().Get());
  TBitmap& bitmap = *gif.image->SubImage(0).FrameBitmap();
  const auto table = bitmap.ColorTable();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(table[i], test::Quad(options.localTable[i])) << i;
  for (size_t i = 16; i < table.size(); ++i) EXPECT_EQ(table[i], TRGBQuad{}) << i;
  const std::vector<uint8_t> bytes = test::SavedBytes(bitmap);
  EXPECT_EQ(test::U32At(bytes, 46), 256u);
  EXPECT_EQ(test::U32At(bytes, 50), 16u);
  EXPECT_EQ(RawPixels(bitmap), pixels);
}

TEST(FrameBitmapTest, WithoutAnyColourTableTheBuildFailsAndKeepsNothing) {
  for (const uint16_t options : {TGIFImage::kDefaultPaintOptions, uint16_t{TGIFImage::kPaintDither}}) {
    SCOPED_TRACE(options);
    const auto gif =
        test::ReadGif(GifBuilder().Header(2, 2).Image(2, 2, Bytes{0, 1, 1, 0}, Options(2)).Trailer().Get());
    gif.image->PaintOptions = options;
    TGIFSubImage& frame = gif.image->SubImage(0);
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        frame.FrameBitmap();
        ADD_FAILURE() << "no error";
      } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "No global or local color table defined");
      }
    }
  }
}

TEST(FrameBitmapTest, LaterImageWithoutTablesBorrowsTheFirstImagesLocalPalette) {
  ImageOptions first = Options(2);
  first.localTable = kFourColors;
  const auto gif = test::ReadGif(
      GifBuilder().Header(2, 1).Image(2, 1, Bytes{0, 1}, first).Image(2, 1, Bytes{2, 3}, Options(2)).Trailer().Get());
  TBitmap* second = gif.image->SubImage(1).FrameBitmap();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(test::ColorAt(*second, 0, 0), kFourColors[2]);
  EXPECT_EQ(test::ColorAt(*second, 1, 0), kFourColors[3]);
  // Its own table stays empty: the pixels' colours still count as unknown.
  EXPECT_TRUE(gif.image->SubImage(1).EffectiveColorMap().Empty());
}

TEST(FrameBitmapTest, BitmapIsBuiltOnceAndKept) {
  const auto gif = test::ReadGif(ThreeByTwo());
  int starts = 0;
  gif.image->OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&, const std::string&) {
    if (stage == TProgressStage::psStarting) ++starts;
  };
  TGIFSubImage& frame = gif.image->SubImage(0);
  TBitmap* first = frame.FrameBitmap();
  EXPECT_EQ(frame.FrameBitmap(), first);
  EXPECT_EQ(starts, 1);
}

TEST(FrameBitmapTest, GroupWithoutAnImageHasNoBitmap) {
  const auto gif = test::ReadGif(GifBuilder().Header(3, 2, kFourColors).Comment("no image").Trailer().Get());
  ASSERT_EQ(gif.image->SubImageCount(), 1);
  EXPECT_EQ(gif.image->SubImage(0).FrameBitmap(), nullptr);
}

TEST(FrameBitmapTest, IndexPastTheTableKeepsItsIndexAndShowsBlack) {
  // Two colours, but the 2-bit code size lets the data say 3.
  const std::vector<TGIFColor> two = {{200, 200, 200}, {50, 60, 70}};
  const auto gif =
      test::ReadGif(GifBuilder().Header(3, 1, two).Image(3, 1, Bytes{0, 3, 1}, Options(2)).Trailer().Get());
  TBitmap& bitmap = *gif.image->SubImage(0).FrameBitmap();
  EXPECT_THAT(RawPixels(bitmap), ElementsAre(0, 3, 1));
  EXPECT_EQ(test::ColorAt(bitmap, 1, 0), (TGIFColor{0, 0, 0}));
}

TEST(FrameBitmapTest, ProgressReportsRenderingFromStartToEnd) {
  const Bytes pixels = test::NoisePixels(4 * 70, 4, 9);
  const auto gif =
      test::ReadGif(GifBuilder().Header(4, 70, kFourColors).Image(4, 70, pixels, Options(2)).Trailer().Get());
  std::vector<std::pair<TProgressStage, int>> steps;
  gif.image->OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t percent, bool, const TRect&,
                              const std::string& message) {
    EXPECT_EQ(message, "Rendering...");
    steps.emplace_back(stage, percent);
  };
  gif.image->SubImage(0).FrameBitmap();
  // Every 32 rows: rows 0, 32 and 64 of 70.
  EXPECT_THAT(steps, ElementsAre(std::pair{TProgressStage::psStarting, 0}, std::pair{TProgressStage::psRunning, 0},
                                 std::pair{TProgressStage::psRunning, 46}, std::pair{TProgressStage::psRunning, 91},
                                 std::pair{TProgressStage::psEnding, 100}));
}

TEST(FrameBitmapTest, ReadingAgainDropsTheImagePalette) {
  TGIFImage image;
  TMemoryStream first(ThreeByTwo());
  image.ReadFromStream(first);
  ASSERT_EQ(image.ImagePalette()->Entries[1].Red, 255);
  const std::vector<TGIFColor> other = {{1, 2, 3}, {4, 5, 6}};
  TMemoryStream second(GifBuilder().Header(1, 1, other).Image(1, 1, Bytes{1}, Options(2)).Trailer().Get());
  image.ReadFromStream(second);
  const HPALETTE palette = image.ImagePalette();
  ASSERT_EQ(palette->Entries.size(), 2u);
  EXPECT_EQ(palette->Entries[1], (TPaletteEntry{4, 5, 6, PC_NOCOLLAPSE}));
}

TEST(FrameBitmapTest, PalettesFollowTheTablesInOrder) {
  ImageOptions local = Options(2);
  local.localTable = {{9, 9, 9}, {8, 8, 8}};
  const auto gif = test::ReadGif(GifBuilder()
                                     .Header(1, 1, kFourColors)
                                     .Image(1, 1, Bytes{0}, local)
                                     .Image(1, 1, Bytes{0}, Options(2))
                                     .Trailer()
                                     .Get());
  TGIFImage& image = *gif.image;
  // The image's palette is the global table's, each entry flagged not to collapse.
  const HPALETTE global = image.ImagePalette();
  ASSERT_EQ(global->Entries.size(), 4u);
  EXPECT_EQ(global->Entries[3], (TPaletteEntry{0, 0, 255, PC_NOCOLLAPSE}));
  EXPECT_EQ(image.ImagePalette(), global);
  // A frame with its own table has its own palette; one without uses the image's.
  EXPECT_EQ(image.SubImage(0).FramePalette()->Entries.size(), 2u);
  EXPECT_EQ(image.SubImage(1).FramePalette(), global);
  EXPECT_EQ(&image.SubImage(1).EffectiveColorMap(), &image.Header().ColorMap());
  // Once built, a frame answers with its bitmap's palette: the 256-entry colour table.
  image.SubImage(1).FrameBitmap();
  EXPECT_EQ(image.SubImage(1).FramePalette()->Entries.size(), 256u);
}

std::vector<TGIFColor> EightColors() {
  std::vector<TGIFColor> colors;
  for (int i = 0; i < 8; ++i) colors.push_back({static_cast<uint8_t>(30 * i), static_cast<uint8_t>(i), 99});
  return colors;
}

// A width x height image of the eight colours, index 5 transparent when asked.
test::RecordingGif ReadTransparentImage(int width, int height, const Bytes& pixels, int transparentIndex = 5) {
  return test::ReadGif(GifBuilder()
                           .Header(width, height, EightColors())
                           .GraphicControl(transparentIndex)
                           .Image(width, height, pixels, Options(3))
                           .Trailer()
                           .Get());
}

Bytes Marks(const Bytes& pixels, uint8_t index) {
  Bytes marks;
  for (const uint8_t p : pixels) marks.push_back(p == index ? 1 : 0);
  return marks;
}

TEST(TransparencyMaskTest, MarksExactlyThePixelsOfTheTransparentIndex) {
  const Bytes pixels = {0, 5, 1, 2, 3, 4, 5, 6, 5, 7, 0, 1};
  const auto gif = ReadTransparentImage(4, 3, pixels);
  TGIFSubImage& frame = gif.image->SubImage(0);
  const TBitmap* mask = frame.TransparencyMask();
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->Width(), 4);
  EXPECT_EQ(mask->Height(), 3);
  EXPECT_EQ(mask->PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_EQ(test::RawPixels(*mask), Marks(pixels, 5));
  // The bitmap keeps index 5 and its colour; only the mask knows it is transparent.
  TBitmap& bitmap = *frame.FrameBitmap();
  EXPECT_EQ(test::RawPixels(bitmap), pixels);
  EXPECT_EQ(test::ColorAt(bitmap, 1, 0), EightColors()[5]);
}

TEST(TransparencyMaskTest, BitsRunFromTheMostSignificantBitAcrossBytes) {
  Bytes pixels(17 * 2, 1);
  for (const size_t at : {0u, 8u, 16u, 17u + 7u, 17u + 9u}) pixels[at] = 5;
  const auto gif = ReadTransparentImage(17, 2, pixels);
  const TBitmap* mask = gif.image->SubImage(0).TransparencyMask();
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(test::RawPixels(*mask), Marks(pixels, 5));
  EXPECT_EQ(mask->Pixels().Row(0)[0], 0x80);  // pixel 0 of the top row
}

TEST(TransparencyMaskTest, NoMaskWithoutTransparentPixelsOrForOpaqueImages) {
  const Bytes noFives = {0, 1, 2, 3, 4, 6};
  EXPECT_EQ(ReadTransparentImage(3, 2, noFives).image->SubImage(0).TransparencyMask(), nullptr);
  const Bytes withFives = {5, 5, 5, 5, 5, 5};
  const auto opaque = test::ReadGif(
      GifBuilder().Header(3, 2, EightColors()).GraphicControl().Image(3, 2, withFives, Options(3)).Trailer().Get());
  TGIFSubImage& frame = opaque.image->SubImage(0);
  EXPECT_EQ(frame.TransparencyMask(), nullptr);
  EXPECT_NE(frame.FrameBitmap(), nullptr);
}

TEST(TransparencyMaskTest, AskingForTheMaskFirstBuildsTheBitmapOnce) {
  const auto gif = ReadTransparentImage(2, 1, Bytes{5, 1});
  TGIFSubImage& frame = gif.image->SubImage(0);
  const TBitmap* mask = frame.TransparencyMask();
  ASSERT_NE(mask, nullptr);
  TBitmap* bitmap = frame.FrameBitmap();
  EXPECT_EQ(frame.TransparencyMask(), mask);
  EXPECT_EQ(frame.FrameBitmap(), bitmap);
}

TEST(TransparencyMaskTest, CancelledBuildLeavesNoBitmapAndTheMaskStillDue) {
  const auto gif = ReadTransparentImage(2, 1, Bytes{5, 1});
  gif.image->OnProgress = [](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&, const std::string&) {
    if (stage == TProgressStage::psRunning) throw EAbort("cancelled");
  };
  TGIFSubImage& frame = gif.image->SubImage(0);
  EXPECT_EQ(frame.FrameBitmap(), nullptr);
  gif.image->OnProgress = nullptr;
  EXPECT_NE(frame.TransparencyMask(), nullptr);
  EXPECT_NE(frame.FrameBitmap(), nullptr);
}

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
