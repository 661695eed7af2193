#include "imaging/png_header.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/errors.h"

namespace tapestro {
namespace {

// The smallest RGBA picture's first bytes: the signature, then the IHDR chunk of a
// 1 x 1 picture, 8 bits per sample, colour type 6, not interlaced, and its CRC.
const std::vector<uint8_t> kOnePixelRgba{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0,    0,    0,
                                         13,   'I', 'H', 'D', 'R',  0,    0,    0,    1,    0,    0,
                                         0,    1,   8,   6,   0,    0,    0,    0x1F, 0x15, 0xC4, 0x89};

std::string Refusal(std::vector<uint8_t> bytes) {
  try {
    ParsePngHeader(bytes.data(), bytes.size(), "x.png");
  } catch (const EInvalidGraphic& refused) {
    return refused.what();
  }
  return "accepted";
}

TEST(PngHeaderTest, TheHeaderChunkGivesSizeDepthAndColourType) {
  const TPngHeader header = ParsePngHeader(kOnePixelRgba.data(), kOnePixelRgba.size(), "x.png");
  EXPECT_EQ(header.Width, 1u);
  EXPECT_EQ(header.Height, 1u);
  EXPECT_EQ(header.BitDepth, 8);
  EXPECT_STREQ(PngColorTypeName(header.ColorType), "RGBA");
  EXPECT_FALSE(header.Interlaced);
}

TEST(PngHeaderTest, AnythingButAValidHeaderChunkIsRefused) {
  std::vector<uint8_t> bmp = kOnePixelRgba;
  bmp[0] = 'B';
  EXPECT_EQ(Refusal(bmp), "x.png is not a PNG file");

  std::vector<uint8_t> crc = kOnePixelRgba;
  crc.back() ^= 1;
  EXPECT_EQ(Refusal(crc), "x.png: the PNG header is damaged");
  std::vector<uint8_t> wider = kOnePixelRgba;
  wider[19] = 2;  // the width changes under the same CRC
  EXPECT_EQ(Refusal(wider), "x.png: the PNG header is damaged");
  EXPECT_EQ(Refusal(std::vector<uint8_t>(kOnePixelRgba.begin(), kOnePixelRgba.end() - 1)),
            "x.png: the PNG header is damaged");
}

}  // namespace
}  // namespace tapestro
