// What the animation shows after each frame, against ImageMagick's -coalesce of the
// same file: for animations ImageMagick makes (every disposal method, transparency,
// frames at offsets, local colour tables), for hand-made sequences of disposals, and
// for the animations of the public test files.
//
// The preview starts from what its canvas showed (the backdrop), and with the default
// options areas restored to the background show that backdrop again; ImageMagick
// leaves both transparent. So a pixel ImageMagick leaves transparent must show the
// backdrop, and every opaque one must match exactly.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "gif/errors.h"
#include "gif/gif_image.h"
#include "gif/painter/painter.h"
#include "imaging/canvas.h"
#include "tests/gif/painter_fakes.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::Bytes;

constexpr TColor kBackdrop = RGBColor(12, 34, 56);
constexpr size_t kRgba = 4;

// The real ImageMagick: Debian's versioned name first, in case "convert" is a wrapper.
std::string ImageMagick() {
  for (const char* name : {"convert-im6.q16", "convert"})
    if (std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0) return name;
  return "";
}

using Frame = std::vector<TColor>;

// WholeBitmap after each of the first frameCount frames, painted over backdrop.
std::vector<Frame> PaintFrames(const Bytes& bytes, size_t frameCount, TColor backdrop) {
  test::FakeClock clock;
  test::RecordingDispatcher dispatcher;
  const std::unique_ptr<TGIFImage> gif = std::move(test::ReadGif(bytes).image);
  gif->Services = {&dispatcher, &clock};
  const int width = gif->Width(), height = gif->Height();
  TSurfaceCanvas canvas(width, height, 24);
  canvas.BrushColor = backdrop;
  canvas.FillRect(Rect(0, 0, width, height));
  std::vector<Frame> frames;
  // The handed-over work is the first frame's painting, then for every further frame
  // the building of its bitmap followed by its painting.
  int work = 0;
  dispatcher.AfterWork = [&] {
    if (work++ % 2 != 0) return;
    const TPixelView pixels = gif->WholeBitmap()->Pixels();
    Frame& frame = frames.emplace_back();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) frame.push_back(pixels.Get(pixels.Row(y), x));
  };
  gif->PaintInto(canvas, Rect(0, 0, width, height));
  EXPECT_TRUE(test::PumpUntil(dispatcher, [&] { return frames.size() >= frameCount || !gif->Animating(); }));
  gif->StopAnimation();
  EXPECT_EQ(gif->AnimationError(), nullptr);
  return frames;
}

std::string Hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

// The frames as raw RGBA bytes, one after the other: ImageMagick's -coalesce of the
// file, or when ImageMagick refuses the file, the reference frames a test suite keeps
// beside it (frames/NAME-0.png and on).
std::optional<Bytes> ReferenceFrames(const std::string& path, const test::TempDir& dir) {
  const std::string rgba = dir.File("reference.rgba");
  const auto run = [&](const std::string& input) {
    return std::system((ImageMagick() + " " + input + " rgba:'" + rgba + "' 2>/dev/null").c_str()) == 0;
  };
  if (run("'" + path + "' -coalesce")) return test::ReadAll(rgba);
  const std::filesystem::path gif(path);
  const std::string stem = (gif.parent_path() / "frames" / gif.stem()).string();
  std::string frames;
  for (int i = 0; std::filesystem::exists(stem + "-" + std::to_string(i) + ".png"); ++i)
    frames += " '" + stem + "-" + std::to_string(i) + ".png'";
  if (!frames.empty() && run(frames)) return test::ReadAll(rgba);
  return std::nullopt;
}

// "same", or the first pixel where ours, painted over backdrop, parts from the reference.
std::string CompareWithReference(const std::string& path, const test::TempDir& dir, TColor backdrop = kBackdrop) {
  const Bytes bytes = test::ReadAll(path);
  const auto gif = test::ReadGif(bytes);
  const int width = gif.image->Width(), height = gif.image->Height();
  const std::optional<Bytes> theirs = ReferenceFrames(path, dir);
  if (!theirs) return "no reference";
  const size_t frameBytes = static_cast<size_t>(width) * height * kRgba;
  if (frameBytes == 0 || theirs->size() % frameBytes != 0) return "the reference's frames have another size";
  const std::vector<Frame> ours = PaintFrames(bytes, theirs->size() / frameBytes, backdrop);
  if (ours.size() != theirs->size() / frameBytes) return "frame count " + std::to_string(ours.size());
  for (size_t f = 0; f < ours.size(); ++f) {
    for (size_t i = 0; i < ours[f].size(); ++i) {
      const uint8_t* pixel = &(*theirs)[f * frameBytes + i * kRgba];
      const TColor expected = pixel[3] == 0 ? backdrop : RGBColor(pixel[0], pixel[1], pixel[2]);
      if (ours[f][i] == expected) continue;
      return "frame " + std::to_string(f) + " at (" + std::to_string(i % width) + ", " + std::to_string(i / width) +
             "): ours " + Hex(ours[f][i], 6) + ", reference " +
             Hex(pixel[0] << 24 | pixel[1] << 16 | pixel[2] << 8 | pixel[3], 8);
    }
  }
  return "same";
}

class PainterCompositingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ImageMagick().empty()) GTEST_SKIP() << "ImageMagick is not installed";
  }
  test::TempDir dir;
};

TEST_F(PainterCompositingTest, AnimationsImageMagickMakesLookAsItCoalescesThem) {
  const std::string sprites =
      "-seed 3 -size 48x36 plasma:fractal -write mpr:bg +delete rose: -resize 20x -write mpr:r +delete "
      "wizard: -resize 16x -fuzz 8% -transparent white -write mpr:w +delete -delay 5 -loop 0 ";
  // Each recipe's frames after a full first one: disposal methods, places, sprites.
  const std::map<std::string, std::string> recipes = {
      {"keep", "-dispose None -page 48x36+0+0 mpr:bg -page +3+2 mpr:w -page +20+10 mpr:r -page +30+5 mpr:w"},
      {"unspecified", "-dispose Undefined -page 48x36+0+0 mpr:bg -page +3+2 mpr:r -page +30+20 mpr:w"},
      {"background",
       "-dispose Background -page 48x36+0+0 mpr:bg -page +3+2 mpr:w -page +20+10 mpr:r -page +2+15 mpr:w"},
      {"previous",
       "-dispose None -page 48x36+0+0 mpr:bg -dispose Previous -page +3+2 mpr:w -page +20+10 mpr:r "
       "-page +25+12 mpr:w"},
      {"cycling",
       "-dispose None -page 48x36+0+0 mpr:bg -dispose Background -page +3+2 mpr:w -dispose Previous -page +20+10 mpr:r "
       "-dispose Undefined -page +30+5 mpr:w -dispose None -page +1+20 mpr:r -dispose Previous -page +25+18 mpr:w "
       "-dispose Background -page +10+12 mpr:r -dispose Previous -page +12+10 mpr:w -page +14+12 mpr:w"},
      // Nothing covers the whole screen; the first frame has holes.
      {"sprites only",
       "-dispose None -page 48x36+10+8 mpr:w -page +20+10 mpr:r -dispose Background -page +5+5 mpr:w "
       "-dispose None -page +28+14 mpr:w"},
  };
  for (const auto& [name, frames] : recipes) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(name + ".gif");
    ASSERT_EQ(std::system((ImageMagick() + " " + sprites + frames + " '" + path + "' 2>/dev/null").c_str()), 0);
    EXPECT_EQ(CompareWithReference(path, dir), "same");
  }
}

// Frames at offsets with transparent pixels, each sequence of disposals hand-made.
Bytes DisposalSequence(const std::vector<int>& disposals) {
  const std::vector<TGIFColor> colors = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 0}, {255, 255, 255}};
  test::GifBuilder gif;
  gif.Header(12, 10, colors).Application("NETSCAPE2.0", {{0x01, 0x00, 0x00}});
  test::ImageOptions options;
  options.minimumCodeSize = 3;
  for (size_t i = 0; i < disposals.size(); ++i) {
    const int width = 5 + static_cast<int>(i % 3), height = 4 + static_cast<int>(i % 2);
    options.left = static_cast<int>(i * 3 % 8);
    options.top = static_cast<int>(i * 2 % 6);
    // Index 4 is transparent: a hole in every frame's middle row.
    Bytes pixels(static_cast<size_t>(width * height), static_cast<uint8_t>(i % 4));
    for (int x = 1; x < width - 1; ++x) pixels[static_cast<size_t>(width + x)] = 4;
    gif.GraphicControl(4, 5, disposals[i]).Image(width, height, pixels, options);
  }
  return gif.Trailer().Get();
}

TEST_F(PainterCompositingTest, EverySequenceOfDisposalsLooksAsImageMagickCoalescesIt) {
  const std::vector<std::vector<int>> sequences = {{1, 1, 1, 1},    {0, 2, 0, 2}, {2, 3, 3, 1, 3},
                                                   {1, 3, 2, 3, 0}, {3, 3, 3, 2}, {2, 2, 3, 1, 2, 3}};
  for (const auto& sequence : sequences) {
    std::string name = "sequence";
    for (int disposal : sequence) name.append("-").append(std::to_string(disposal));
    SCOPED_TRACE(name);
    const std::string path = dir.File(name + ".gif");
    test::WriteAll(path, DisposalSequence(sequence));
    EXPECT_EQ(CompareWithReference(path, dir), "same");
  }
}

TEST_F(PainterCompositingTest, PublicAnimationsLookAsImageMagickCoalescesThem) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(data);
  // ImageMagick paints an opaque animation's background colour where no frame has
  // been yet and where disposal 2 restores; the preview shows what it showed before
  // (its panel). Painted over that colour, ours is the same.
  const std::set<std::string> backgroundColorFilled = {"pygif/dispose-restore-background.gif",
                                                       "pygif/high-color.gif",
                                                       "pygif/images-combine.gif",
                                                       "wuffs/artificial-gif/background-color.gif",
                                                       "wuffs/artificial-gif/frame-out-of-bounds.gif",
                                                       "wuffs/artificial-gif/multiple-loop-counts.gif"};
  // A frame without any colour table takes the first frame's (docs/gif.md); ImageMagick
  // paints it black.
  const std::map<std::string, std::string> otherDifferences = {
      {"wuffs/artificial-gif/empty-palette.gif", "frame 1 at (0, 0): ours FF0000, reference 000000FF"}};
  int animations = 0;
  for (const std::string& path : test::FilesBelow(data + "/gif", {".gif"})) {
    const Bytes bytes = test::ReadAll(path);
    std::unique_ptr<TGIFImage> gif;
    try {
      gif = std::move(test::ReadGif(bytes).image);
    } catch (const GIFException&) {
      continue;
    }
    int images = 0;
    for (int i = 0; i < gif->SubImageCount(); ++i) images += gif->SubImage(i).Empty() ? 0 : 1;
    if (images < 2) continue;
    ++animations;
    const std::string name = path.substr(data.size() + 5);
    SCOPED_TRACE(name);
    const auto other = otherDifferences.find(name);
    if (backgroundColorFilled.count(name) != 0) {
      EXPECT_NE(CompareWithReference(path, dir), "same");
      EXPECT_EQ(CompareWithReference(path, dir, AnimationBackgroundColor(*gif)), "same");
    } else {
      EXPECT_EQ(CompareWithReference(path, dir), other == otherDifferences.end() ? "same" : other->second);
    }
  }
  EXPECT_GT(animations, 20);
}

}  // namespace
}  // namespace tapestro
