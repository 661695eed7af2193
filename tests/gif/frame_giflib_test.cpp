// Every frame bitmap's colours against giflib's decode of the same bytes, looked up
// in giflib's colour table: for a generated corpus and for the public test files.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/gif_image.h"
#include "tests/gif/bitmap_probe.h"
#include "tests/gif/giflib_reference.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::Bytes;

// An index past giflib's table has no colour; our bitmap shows it black.
TGIFColor ReferenceColor(const test::GiflibFrame& frame, size_t at) {
  const uint8_t index = frame.pixels[at];
  return index < frame.colors.size() ? frame.colors[index] : TGIFColor{};
}

// "" when every frame giflib decodes has a bitmap of its size and colours; else where
// they part. Files that either decoder refuses, or that they split into different
// frames, are the reader's cross-check's business and count as compared.
std::string CompareFrames(const Bytes& bytes, int& framesCompared) {
  const test::GiflibDecode reference = test::DecodeWithGiflib(bytes);
  TGIFImage image;
  TMemoryStream stream(bytes);
  try {
    image.ReadFromStream(stream);
  } catch (const Exception&) {
    return "";
  }
  std::vector<TGIFSubImage*> frames;
  for (int i = 0; i < image.SubImageCount(); ++i)
    if (!image.SubImage(i).Empty()) frames.push_back(&image.SubImage(i));
  if (!reference.ok || frames.size() != reference.frames.size()) return "";
  for (size_t f = 0; f < frames.size(); ++f) {
    const test::GiflibFrame& expected = reference.frames[f];
    if (expected.colors.empty()) continue;  // no colours to compare with
    const TBitmap* bitmap = frames[f]->FrameBitmap();
    const std::string where = "frame " + std::to_string(f);
    if (bitmap == nullptr || bitmap->Width() != expected.width || bitmap->Height() != expected.height)
      return where + ": size";
    for (int y = 0; y < expected.height; ++y)
      for (int x = 0; x < expected.width; ++x)
        if (!(test::ColorAt(*bitmap, x, y) == ReferenceColor(expected, static_cast<size_t>(y) * expected.width + x)))
          return where + ": colour at " + std::to_string(x) + "," + std::to_string(y);
    ++framesCompared;
  }
  return "";
}

TEST(FrameGiflibTest, GeneratedCorpusFramesShowGiflibsColours) {
  int compared = 0;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    const Bytes dice = test::NoisePixels(8, 256, seed * 104729);
    test::GifBuilder gif;
    // Some files have no global table and rely on local ones; a few tables are
    // shorter than the indices their code size allows.
    const bool global = dice[0] % 3 != 0;
    gif.Header(200, 150, global ? 2 << (dice[1] % 8) : 0);
    const int frames = 1 + dice[2] % 3;
    for (int f = 0; f < frames; ++f) {
      const int width = 1 + (dice[3] + 53 * f) % 180, height = 1 + (dice[4] + 29 * f) % 140;
      test::ImageOptions options;
      options.minimumCodeSize = 2 + (dice[5] + f) % 7;
      options.interlaced = (dice[6] + f) % 2 == 0;
      options.left = f * 7 % 20;
      if (!global || (dice[7] + f) % 2 == 0) options.localColors = 2 << ((dice[1] + f) % 8);
      if ((seed + f) % 3 == 0) gif.GraphicControl(static_cast<int>(seed % 4), 3, 2);
      gif.Image(width, height,
                test::NoisePixels(static_cast<size_t>(width) * height, 1 << options.minimumCodeSize, seed + f),
                options);
    }
    gif.Trailer();
    EXPECT_EQ(CompareFrames(gif.Get(), compared), "");
  }
  EXPECT_GT(compared, 40);
}

TEST(FrameGiflibTest, PublicTestFilesFramesShowGiflibsColours) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(shared);
  int compared = 0;
  for (const std::string& path : test::FilesBelow(shared + "/gif", {".gif"})) {
    SCOPED_TRACE(std::filesystem::relative(path, shared).string());
    EXPECT_EQ(CompareFrames(test::ReadAll(path), compared), "");
  }
  EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace tapestro
