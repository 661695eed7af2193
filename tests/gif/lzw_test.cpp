// LZW image data: the code reader across sub-blocks, the string table, interlaced
// rows, and data that ends early, runs long or lies.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_image.h"
#include "tests/support/gif_bytes.h"

namespace tapestro {
namespace {

using test::BlocksOf;
using test::Bytes;
using test::GifBuilder;
using test::ImageOptions;
using test::IndicesOf;
using test::ReadGif;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// "GIF89a", a 16 x 16 screen, no global table.
Bytes Header() { return GifBuilder().Header(16, 16).Get(); }

// An image descriptor at 0,0 of width x height, packed byte as given, followed by the
// minimum code size byte and the data bytes, cut into sub-blocks of blockSize.
Bytes ImageBlock(int width, int height, uint8_t packed, int minimumCodeSize, const Bytes& codes,
                 size_t blockSize = 255) {
  Bytes out = {0x2C, 0, 0, 0, 0, static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
               static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8), packed,
               static_cast<uint8_t>(minimumCodeSize)};
  const Bytes blocks = test::SubBlocks(codes, blockSize);
  out.insert(out.end(), blocks.begin(), blocks.end());
  return out;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(LzwTest, OnePixelImageLeavesTheStreamAfterItsTerminator) {
  TGIFImage image;
  TGIFSubImage sub(image);
  const Bytes bytes = {0x2C, 0, 0, 0, 0, 0x01, 0x00, 0x01, 0x00, 0x00,  // 1 x 1 image
                       0x02,                                            // minimum code size 2
                       0x02, 0x4C, 0x01,  // clear (100), colour 1 (001), end (101), 3 bits each
                       0x00,              // terminator
                       0xEE};             // whatever follows
  TMemoryStream stream(bytes);
  sub.ReadFromStream(stream);
  EXPECT_THAT(IndicesOf(sub), ElementsAre(1));
  EXPECT_EQ(stream.Position(), 15);
}

TEST(LzwTest, MinimumCodeSizeTwoStartsWithThreeBitCodes) {
  // clear 4 (3 bits), 0, 1, 2 (3 bits); the table then reaches 8 entries, so 3 and the
  // end code 5 take 4 bits: 100 000 001 010 | 0011 0101, lowest bits first.
  const Bytes codes = {0x44, 0x34, 0x05};
  EXPECT_EQ(test::EncodeLzw(Bytes{0, 1, 2, 3}, 2), codes);
  const auto gif = ReadGif(Concat(Header(), ImageBlock(2, 2, 0x00, 2, codes)));
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(0, 1, 2, 3));
  EXPECT_THAT(gif.WarningTexts(), IsEmpty());
}

TEST(LzwTest, InterlacedRowsLandInPassOrder) {
  // Rows are stored in the order 0, 8, 4, 2, 6, 1, 3, 5, 7, 9; row r of a 1-wide image
  // holds the position at which it was stored.
  const Bytes stored = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  const auto ten = ReadGif(Concat(Header(), ImageBlock(1, 10, 0x40, 4, test::EncodeLzw(stored, 4))));
  EXPECT_THAT(IndicesOf(ten.image->SubImage(0)), ElementsAre(0, 5, 3, 6, 2, 7, 4, 8, 1, 9));

  const auto one = ReadGif(Concat(Header(), ImageBlock(3, 1, 0x40, 2, test::EncodeLzw(Bytes{1, 2, 3}, 2))));
  EXPECT_THAT(IndicesOf(one.image->SubImage(0)), ElementsAre(1, 2, 3));

  // Three rows: 0, then 2 (third pass), then 1.
  const auto three = ReadGif(Concat(Header(), ImageBlock(1, 3, 0x40, 2, test::EncodeLzw(Bytes{1, 2, 3}, 2))));
  EXPECT_THAT(IndicesOf(three.image->SubImage(0)), ElementsAre(1, 3, 2));
  EXPECT_THAT(three.WarningTexts(), IsEmpty());
}

TEST(LzwTest, EndCodeHalfWayLeavesTheFillAndTheNextBlockReads) {
  const Bytes half = test::EncodeLzw(Bytes{1, 2}, 2);  // clear, 1, 2, end
  const Bytes opaque = Concat(ImageBlock(2, 2, 0x00, 2, half), ImageBlock(1, 1, 0x00, 2, test::EncodeLzw(Bytes{3}, 2)));
  const auto gif = ReadGif(Concat(Header(), opaque));
  ASSERT_EQ(gif.image->SubImageCount(), 2);
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(1, 2, 0, 0));
  EXPECT_THAT(IndicesOf(gif.image->SubImage(1)), ElementsAre(3));
  EXPECT_THAT(gif.WarningTexts(), IsEmpty());

  // Transparent index 3: the unreached pixels take it.
  const Bytes control = GifBuilder().GraphicControl(3).Get();
  const auto transparent = ReadGif(Concat(Concat(Header(), control), ImageBlock(2, 2, 0x00, 2, half)));
  EXPECT_THAT(IndicesOf(transparent.image->SubImage(0)), ElementsAre(1, 2, 3, 3));
}

TEST(LzwTest, AnEndCodeRightAfterAClearCodeIsNoPixel) {
  // clear (4), end (5): an image without data keeps its fill.
  const Bytes codes = test::PackCodes({{4, 3}, {5, 3}});
  const Bytes control = GifBuilder().GraphicControl(2).Get();
  const auto gif = ReadGif(Concat(Concat(Header(), control), ImageBlock(1, 1, 0x00, 2, codes)));
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(2));
  EXPECT_THAT(gif.WarningTexts(), IsEmpty());
}

TEST(LzwTest, CodesPastTheLastPixelAreLeftForTheBlockReader) {
  // 1 x 1 image: clear, 1, 1, 1, 1, end in 1-byte sub-blocks. The pixel takes the
  // first code and one more code is read; the remaining sub-blocks are not consumed,
  // so the block reader meets a size byte 01 where a block should start.
  const Bytes codes = test::EncodeLzw(Bytes{1, 1, 1, 1, 1, 1, 1, 1}, 2);
  ASSERT_GT(codes.size(), 2u);
  const auto gif = ReadGif(Concat(Header(), ImageBlock(1, 1, 0x00, 2, codes, 1)));
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(1));
  EXPECT_THAT(gif.WarningTexts(), ElementsAre("Unknown GIF block type", "Invalid Image trailer"));
}

TEST(LzwTest, DataWithoutALeadingClearCodeDecodes) {
  const Bytes pixels = {3, 1, 3, 1, 2, 2, 2, 0};
  test::LzwOptions noClear;
  noClear.startWithClear = false;
  const auto gif = ReadGif(Concat(Header(), ImageBlock(4, 2, 0x00, 2, test::EncodeLzw(pixels, 2, noClear))));
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAreArray(pixels));
}

TEST(LzwTest, FullTableWithoutClearGoesOnWithTwelveBitCodes) {
  // Noise needs a new entry almost every code: 40000 pixels fill the table several
  // times over.
  const Bytes pixels = test::NoisePixels(200 * 200, 256, 7);
  test::LzwOptions neverClear;
  neverClear.clearWhenFull = false;
  const Bytes full = test::EncodeLzw(pixels, 8, neverClear);
  const Bytes cleared = test::EncodeLzw(pixels, 8);
  ASSERT_NE(full, cleared);
  for (const Bytes* codes : {&full, &cleared}) {
    const auto gif = ReadGif(Concat(Header(), ImageBlock(200, 200, 0x00, 8, *codes)));
    EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAreArray(pixels));
    EXPECT_THAT(gif.WarningTexts(), IsEmpty());
  }
}

TEST(LzwTest, CodesSpanSubBlocksOfAnyLength) {
  // Short sub-blocks put one 12-bit code across up to three of them.
  const Bytes pixels = test::NoisePixels(64 * 64, 256, 11);
  for (size_t blockSize : {1u, 2u, 3u, 7u, 254u}) {
    SCOPED_TRACE(blockSize);
    ImageOptions options;
    options.subBlockSize = blockSize;
    const auto gif = ReadGif(GifBuilder().Header(64, 64).Image(64, 64, pixels, options).Trailer().Get());
    EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAreArray(pixels));
    EXPECT_THAT(gif.WarningTexts(), IsEmpty());
  }
}

TEST(LzwTest, LargestMinimumCodeSizeDecodesAndTwelveIsRefused) {
  const Bytes pixels = {7, 7, 200, 7};
  const auto eleven = ReadGif(Concat(Header(), ImageBlock(2, 2, 0x00, 11, test::EncodeLzw(pixels, 11))));
  EXPECT_THAT(IndicesOf(eleven.image->SubImage(0)), ElementsAreArray(pixels));
  EXPECT_EQ(test::GifErrorOf(Concat(Header(), ImageBlock(2, 2, 0x00, 12, {0x00, 0x10}))), "Invalid GIF data");
}

TEST(LzwTest, DataAnnouncedLongerThanTheFileGivesWhatIsThere) {
  // A 4 x 1 image whose single sub-block announces 255 bytes; the file holds the two
  // bytes of clear, 1, 1 (3 bits each) and ends.
  Bytes bytes = Concat(Header(), {0x2C, 0, 0, 0, 0, 4, 0, 1, 0, 0x00, 0x02, 0xFF});
  const Bytes codes = test::PackCodes({{4, 3}, {1, 3}, {1, 3}});
  bytes.insert(bytes.end(), codes.begin(), codes.end());
  const auto gif = ReadGif(bytes);
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(1, 1, 0, 0));
  EXPECT_THAT(gif.WarningTexts(), ElementsAre("Premature end of data"));
}

TEST(LzwTest, DataThatRunsOutAfterItsTerminatorWarnsUnderRun) {
  // 6 x 1 image: clear, 1, 2, 1 in 3 bits and 2 in 4 bits fill two bytes exactly; then
  // the terminator, with no end code and two pixels short.
  const Bytes codes = test::PackCodes({{4, 3}, {1, 3}, {2, 3}, {1, 3}, {2, 4}});
  ASSERT_EQ(codes.size(), 2u);
  const auto gif = ReadGif(Concat(Header(), ImageBlock(6, 1, 0x00, 2, codes)));
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(1, 2, 1, 2, 0, 0));
  EXPECT_THAT(gif.WarningTexts(), ElementsAre("Decoder bit buffer under-run"));

  // No minimum code size at all: the image keeps its fill, silently.
  const auto bare = ReadGif(Concat(Header(), {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x00}));
  EXPECT_THAT(IndicesOf(bare.image->SubImage(0)), ElementsAre(0, 0));
  EXPECT_THAT(bare.WarningTexts(), IsEmpty());
}

TEST(LzwTest, CodesBeyondTheTableDecodeAsTheNextFreeCode) {
  // clear, 1, then 7 although only 6 is next: read as 6 (the previous string plus its
  // own first value: 1 1), then end. 8 pixels, so the rest keeps the fill.
  const Bytes codes = test::PackCodes({{4, 3}, {1, 3}, {7, 3}, {5, 3}});
  const auto gif = ReadGif(Concat(Header(), ImageBlock(8, 1, 0x00, 2, codes)));
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(1, 1, 1, 0, 0, 0, 0, 0));
}

TEST(LzwTest, TableEntriesThatLoopEndTheRead) {
  // A code two beyond the table makes a later entry point at itself: clear, 0, 7
  // (taken as 6, leaving 7 as the previous code), 1 (entry 7 := prefix 7), 7.
  const Bytes selfLoop = test::PackCodes({{4, 3}, {0, 3}, {7, 3}, {1, 3}, {7, 4}});
  EXPECT_EQ(test::GifErrorOf(Concat(Header(), ImageBlock(16, 1, 0x00, 2, selfLoop))), "Circular decoder table entry");

  // Two entries that point at each other: clear, 0, 1, 2, 3 (table at 9), 11 (as 9;
  // previous 11), 10 (as 10 := prefix 11), 0 (11 := prefix 10), then 10 runs in circles
  // until the string stack is full.
  const Bytes pairLoop = test::PackCodes({{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {11, 4}, {10, 4}, {0, 4}, {10, 4}});
  EXPECT_EQ(test::GifErrorOf(Concat(Header(), ImageBlock(16, 16, 0x00, 2, pairLoop))), "Circular decoder table entry");
}

}  // namespace
}  // namespace tapestro
