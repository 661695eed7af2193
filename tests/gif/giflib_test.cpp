// Our reader and frame bitmaps against giflib's decode of the same bytes: every image's
// colour indices, for a generated corpus, for pictures ImageMagick makes, and for the
// public test files; and every frame bitmap's colours, looked up in giflib's colour
// table, for a generated corpus and the public test files.
#include <gif_lib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/gif_image.h"
#include "tests/gif/bitmap_probe.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/giflib_memory.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::IndicesOf;

// giflib's decode of the same bytes, the reference we are compared with.
struct GiflibFrame {
  int width = 0;
  int height = 0;
  Bytes pixels;                   // colour indices, rows top to bottom
  std::vector<TGIFColor> colors;  // the frame's own table, else the global one
};

struct GiflibDecode {
  bool ok = false;
  std::vector<GiflibFrame> frames;
};

std::vector<TGIFColor> ColorsOf(const ColorMapObject* map) {
  std::vector<TGIFColor> colors;
  if (map == nullptr) return colors;
  for (int i = 0; i < map->ColorCount; ++i)
    colors.push_back({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
  return colors;
}

GiflibDecode DecodeWithGiflib(const Bytes& bytes) {
  GiflibDecode result;
  test::GiflibMemoryInput input{&bytes};
  int error = 0;
  GifFileType* file = DGifOpen(&input, test::ReadGiflibMemory, &error);
  if (file == nullptr) return result;
  result.ok = DGifSlurp(file) == GIF_OK;
  for (int i = 0; result.ok && i < file->ImageCount; ++i) {
    const SavedImage& image = file->SavedImages[i];
    const int w = image.ImageDesc.Width, h = image.ImageDesc.Height;
    result.frames.push_back(
        {w, h, Bytes(image.RasterBits, image.RasterBits + static_cast<size_t>(w) * h),
         ColorsOf(image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : file->SColorMap)});
  }
  DGifCloseFile(file, &error);
  return result;
}

// Our reader's images, as sizes and colour indices.
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
    result.frames.push_back({sub.Width(), sub.Height(), IndicesOf(sub)});
  }
  return result;
}

// "same", or how the two decoders part.
std::string Compare(const Bytes& bytes) {
  const Decode ours = DecodeWithOurs(bytes);
  const GiflibDecode reference = DecodeWithGiflib(bytes);
  Decode theirs{reference.ok, {}};
  for (const GiflibFrame& frame : reference.frames) theirs.frames.push_back({frame.width, frame.height, frame.pixels});
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
  // Where giflib and we part, on purpose (see docs/gif.md).
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
      // A screen of any size reads: only the buffers taken are bounded.
      {"pygif/max-size.gif", "read/giflib refused"},
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

// An index past giflib's table has no colour; our bitmap shows it black.
TGIFColor ReferenceColor(const GiflibFrame& frame, size_t at) {
  const uint8_t index = frame.pixels[at];
  return index < frame.colors.size() ? frame.colors[index] : TGIFColor{};
}

// "" when every frame giflib decodes has a bitmap of its size and colours; else where
// they part. Files that either decoder refuses, or that they split into different
// frames, are the reader's cross-check's business and count as compared.
std::string CompareFrames(const Bytes& bytes, int& framesCompared) {
  const GiflibDecode reference = DecodeWithGiflib(bytes);
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
    const GiflibFrame& expected = reference.frames[f];
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
