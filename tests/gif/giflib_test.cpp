// Every image's colour indices against giflib's decode of the same bytes: for a
// generated corpus, for pictures ImageMagick makes, and for the public test files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/gif_image.h"
#include "tests/gif/giflib_reference.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::Bytes;

struct Frame {
  int width = 0;
  int height = 0;
  Bytes pixels;
  friend bool operator==(const Frame&, const Frame&) = default;
};

struct Decode {
  bool ok = false;
  std::vector<Frame> frames;
};

Decode DecodeWithGiflib(const Bytes& bytes) {
  const test::GiflibDecode reference = test::DecodeWithGiflib(bytes);
  Decode result{reference.ok, {}};
  for (const test::GiflibFrame& frame : reference.frames)
    result.frames.push_back({frame.width, frame.height, frame.pixels});
  return result;
}

Decode DecodeWithOurs(const Bytes& bytes) {
  Decode result;
  TGIFImage image;
  TMemoryStream stream(bytes);
  try {
    image.ReadFromStream(stream);
  } catch (const Exception&) {
    return result;
  }
  result.ok = true;
  for (int i = 0; i < image.SubImageCount(); ++i) {
    const TGIFSubImage& sub = image.SubImage(i);
    if (sub.Empty()) continue;
    result.frames.push_back({sub.Width(), sub.Height(), Bytes(sub.Data().begin(), sub.Data().end())});
  }
  return result;
}

// "same", or how the two decoders part.
std::string Compare(const Bytes& bytes) {
  const Decode ours = DecodeWithOurs(bytes), theirs = DecodeWithGiflib(bytes);
  if (!ours.ok && !theirs.ok) return "same";
  if (!ours.ok || !theirs.ok)
    return std::string(ours.ok ? "read" : "refused") + "/giflib " + (theirs.ok ? "read" : "refused");
  if (ours.frames.size() != theirs.frames.size()) return "frame count";
  for (size_t i = 0; i < ours.frames.size(); ++i)
    if (!(ours.frames[i] == theirs.frames[i])) return "pixels of frame " + std::to_string(i);
  return "same";
}

test::ImageOptions RandomImageOptions(uint32_t seed) {
  const Bytes dice = test::NoisePixels(6, 256, seed);
  test::ImageOptions options;
  options.minimumCodeSize = 2 + dice[0] % 7;
  options.interlaced = dice[1] % 2 == 0;
  options.subBlockSize = dice[2] % 3 == 0 ? 1 + dice[3] % 254 : 255;
  options.lzw.clearWhenFull = dice[4] % 4 != 0;
  options.localColors = dice[5] % 3 == 0 ? 1 << options.minimumCodeSize : 0;
  options.left = dice[3] % 5;
  options.top = dice[2] % 3;
  return options;
}

TEST(GiflibCrossCheckTest, GeneratedCorpusDecodesAsGiflibDoes) {
  for (uint32_t seed = 1; seed <= 80; ++seed) {
    SCOPED_TRACE(seed);
    const Bytes size = test::NoisePixels(3, 256, seed * 7919);
    const int frames = 1 + size[2] % 3;
    test::GifBuilder gif;
    gif.Header(320, 240, 256);
    if (frames > 1) gif.Application("NETSCAPE2.0", {{0x01, 0x00, 0x00}});
    for (int f = 0; f < frames; ++f) {
      const int width = 1 + (size[0] + 37 * f) % 300, height = 1 + (size[1] + 11 * f) % 200;
      test::ImageOptions options = RandomImageOptions(seed * 31 + f);
      // Smooth runs for some images (long strings), noise for others (a full table soon).
      const int colors = 1 << options.minimumCodeSize;
      Bytes pixels = test::NoisePixels(static_cast<size_t>(width) * height, colors, seed + f);
      if (seed % 2 == 0)
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i / 97 + i % 5) % colors);
      if (f % 2 == 1) gif.GraphicControl(static_cast<int>(seed % colors), 5, 1);
      gif.Image(width, height, pixels, options);
    }
    gif.Trailer();
    EXPECT_EQ(Compare(gif.Get()), "same");
  }
}

TEST(GiflibCrossCheckTest, ImageMagickPicturesDecodeAsGiflibDoes) {
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
  test::TempDir dir;
  const std::map<std::string, std::string> recipes = {
      {"plasma.gif", "-seed 4 -size 211x157 plasma:fractal -colors 256"},
      {"rose16.gif", "rose: -colors 16"},
      {"mono.gif", "rose: -monochrome"},
      {"interlaced.gif", "-size 160x120 gradient:navy-gold -colors 200 -interlace GIF"},
      {"animation.gif",
       "-delay 5 -loop 0 -size 90x70 xc:red \\( rose: -resize 60x \\) \\( -size 40x30 gradient:white-black \\) "
       "-dispose Background -colors 64"},
      {"transparent.gif", "-size 80x60 xc:none -fill blue -draw \"circle 40,30 40,5\""},
  };
  for (const auto& [name, recipe] : recipes) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(name);
    ASSERT_EQ(std::system(("convert " + recipe + " '" + path + "' 2>/dev/null").c_str()), 0);
    EXPECT_EQ(Compare(test::ReadAll(path)), "same");
  }
}

TEST(GiflibCrossCheckTest, PublicTestFilesDecodeAsGiflibDoesExceptWhereWeAreTolerant) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(shared);
  // Where giflib and we part, by design (see docs/gif.md).
  const std::map<std::string, std::string> expected = {
      // Codes beyond the table decode as the next free code; giflib stops.
      {"pygif/invalid-code.gif", "read/giflib refused"},
      // A full table used without a clear code; our pixels equal the suite's reference.
      {"pygif/max-codes.gif", "read/giflib refused"},
      // Files without images, or with a screen of no area, read as such.
      {"pygif/no-data.gif", "read/giflib refused"},
      {"pygif/zero-height.gif", "read/giflib refused"},
      {"pygif/zero-size.gif", "read/giflib refused"},
      {"pygif/zero-width.gif", "read/giflib refused"},
      {"wuffs/artificial-gif/no-frames.gif", "read/giflib refused"},
      // Data that stops early leaves the rest of the image at its fill.
      {"wuffs/artificial-gif/pixel-data-none.gif", "read/giflib refused"},
      {"wuffs/artificial-gif/pixel-data-not-enough.gif", "read/giflib refused"},
      {"wuffs/hippopotamus.interlaced.truncated.gif", "read/giflib refused"},
      // A zero-width image takes the screen's size.
      {"wuffs/artificial-gif/zero-width-frame.gif", "read/giflib refused"},
      // Extension labels we do not know end the read; giflib passes over them.
      {"pygif/unknown-extension.gif", "refused/giflib read"},
  };
  std::map<std::string, std::string> differences;
  const std::vector<std::string> files = test::FilesBelow(shared + "/gif", {".gif"});
  ASSERT_FALSE(files.empty());
  for (const std::string& path : files) {
    const std::string verdict = Compare(test::ReadAll(path));
    if (verdict != "same") differences[std::filesystem::relative(path, shared + "/gif").string()] = verdict;
  }
  EXPECT_EQ(differences, expected);
}

}  // namespace
}  // namespace tapestro
