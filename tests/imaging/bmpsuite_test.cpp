// The public BMP suite: good files load with their size and format, bad files fail with
// the program's error (or load where the reading rules allow them), questionable files
// fare as recorded in docs/bitmap.md, and every file that loads saves and reloads to the
// same pixels. Skipped when the shared test data are absent.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/errors.h"
#include "imaging/bitmap.h"
#include "tests/imaging/bmp_builder.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

struct TExpected {
  int32_t Width;
  int32_t Height;
  TPixelFormat Format;
};

constexpr TPixelFormat pfDevice = TPixelFormat::pfDevice, pf1bit = TPixelFormat::pf1bit,
                       pf4bit = TPixelFormat::pf4bit, pf8bit = TPixelFormat::pf8bit, pf15bit = TPixelFormat::pf15bit,
                       pf16bit = TPixelFormat::pf16bit, pf24bit = TPixelFormat::pf24bit,
                       pf32bit = TPixelFormat::pf32bit, pfCustom = TPixelFormat::pfCustom;

// What each file of a folder gives: a picture, or (nullopt) "Bitmap image is not valid".
using TOutcomes = std::map<std::string, std::optional<TExpected>>;

void ExpectRoundTrip(TBitmap& bitmap, const std::string& name) {
  TBitmap reloaded;
  test::LoadFromBytes(reloaded, test::SaveToBytes(bitmap));
  ASSERT_EQ(reloaded.Width(), bitmap.Width()) << name;
  ASSERT_EQ(reloaded.Height(), bitmap.Height()) << name;
  EXPECT_EQ(reloaded.PixelFormat(), bitmap.PixelFormat()) << name;
  for (int32_t y = 0; y < bitmap.Height(); ++y)
    for (int32_t x = 0; x < bitmap.Width(); ++x)
      ASSERT_EQ(test::PixelAt(reloaded, x, y), test::PixelAt(bitmap, x, y)) << name << " at " << x << "," << y;
}

void ExpectOutcomes(const std::string& folder, const TOutcomes& outcomes) {
  const std::vector<std::string> files = test::FilesBelow(folder, {".bmp"});
  EXPECT_EQ(files.size(), outcomes.size()) << folder;
  for (const std::string& path : files) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const auto expected = outcomes.find(name);
    ASSERT_NE(expected, outcomes.end()) << name;
    TBitmap bitmap;
    if (!expected->second) {
      try {
        bitmap.LoadFromFile(path);
        ADD_FAILURE() << name << " loaded";
      } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid") << name;
      }
      continue;
    }
    bitmap.LoadFromFile(path);
    EXPECT_EQ(bitmap.Width(), expected->second->Width) << name;
    EXPECT_EQ(bitmap.Height(), expected->second->Height) << name;
    EXPECT_EQ(bitmap.PixelFormat(), expected->second->Format) << name;
    ExpectRoundTrip(bitmap, name);
  }
}

TEST(BmpSuiteTest, GoodFilesLoadWithTheirSizeAndFormat) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(data);
  const TExpected paletted1{127, 64, pf1bit}, paletted4{127, 64, pf4bit}, paletted8{127, 64, pf8bit};
  ExpectOutcomes(data + "/bmpsuite/g",
                 {{"pal1.bmp", paletted1},       {"pal1wb.bmp", paletted1},
                  {"pal1bg.bmp", paletted1},     {"pal4.bmp", paletted4},
                  {"pal4gs.bmp", paletted4},     {"pal4rle.bmp", TExpected{127, 64, pfDevice}},
                  {"pal8.bmp", paletted8},       {"pal8-0.bmp", paletted8},
                  {"pal8gs.bmp", paletted8},     {"pal8rle.bmp", TExpected{127, 64, pfDevice}},
                  {"pal8w126.bmp", TExpected{126, 63, pf8bit}},
                  {"pal8w125.bmp", TExpected{125, 62, pf8bit}},
                  {"pal8w124.bmp", TExpected{124, 61, pf8bit}},
                  {"pal8topdown.bmp", paletted8},
                  {"pal8nonsquare.bmp", TExpected{127, 32, pf8bit}},
                  {"pal8os2.bmp", paletted8},    {"pal8v4.bmp", paletted8},
                  {"pal8v5.bmp", paletted8},     {"rgb16.bmp", TExpected{127, 64, pf15bit}},
                  // Bit fields of 5-5-5 and of 32 bits are custom formats.
                  {"rgb16bfdef.bmp", TExpected{127, 64, pfCustom}},
                  {"rgb16-565.bmp", TExpected{127, 64, pf16bit}},
                  {"rgb16-565pal.bmp", TExpected{127, 64, pf16bit}},
                  {"rgb24.bmp", TExpected{127, 64, pf24bit}},
                  {"rgb24pal.bmp", TExpected{127, 64, pf24bit}},
                  {"rgb32.bmp", TExpected{127, 64, pf32bit}},
                  {"rgb32bfdef.bmp", TExpected{127, 64, pfCustom}},
                  {"rgb32bf.bmp", TExpected{127, 64, pfCustom}}});
}

TEST(BmpSuiteTest, BadFilesFailWithTheProgramsErrorUnlessTheRulesReadThem) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(data);
  const TExpected monochrome{127, 64, pf1bit};
  ExpectOutcomes(data + "/bmpsuite/b",
                 {{"badbitcount.bmp", std::nullopt},
                  // Sizes of the file and of the pixels are bounded by the bytes there are.
                  {"badbitssize.bmp", monochrome},
                  {"badfilesize.bmp", monochrome},
                  // The resolution is recorded, never used.
                  {"baddens1.bmp", monochrome},
                  {"baddens2.bmp", monochrome},
                  // A 66-byte header is read as an info header with extra bytes.
                  {"badheadersize.bmp", monochrome},
                  {"badpalettesize.bmp", std::nullopt},
                  {"badplanes.bmp", std::nullopt},
                  {"badrle.bmp", std::nullopt},
                  {"badrle4.bmp", std::nullopt},
                  {"badrle4bis.bmp", std::nullopt},
                  {"badrle4ter.bmp", std::nullopt},
                  {"badrlebis.bmp", std::nullopt},
                  {"badrleter.bmp", std::nullopt},
                  {"badwidth.bmp", std::nullopt},
                  // Indices past the colour table show black.
                  {"pal8badindex.bmp", TExpected{127, 64, pf8bit}},
                  {"reallybig.bmp", std::nullopt},
                  {"rgb16-880.bmp", std::nullopt},
                  {"rletopdown.bmp", std::nullopt},
                  // A short file loads; its missing rows stay zero.
                  {"shortfile.bmp", monochrome}});
}

TEST(BmpSuiteTest, QuestionableFilesFareAsRecorded) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(data);
  const TExpected paletted8{127, 64, pf8bit}, custom{127, 64, pfCustom}, device{127, 64, pfDevice};
  ExpectOutcomes(data + "/bmpsuite/q",
                 {{"pal1huffmsb.bmp", std::nullopt},  {"pal1p1.bmp", TExpected{127, 64, pf1bit}},
                  {"pal2.bmp", std::nullopt},         {"pal2color.bmp", std::nullopt},
                  {"pal4rlecut.bmp", device},         {"pal4rletrns.bmp", device},
                  {"pal8offs.bmp", paletted8},        {"pal8os2-hs.bmp", paletted8},
                  {"pal8os2-sz.bmp", paletted8},      {"pal8os2sp.bmp", paletted8},
                  {"pal8os2v2-16.bmp", std::nullopt}, {"pal8os2v2-40sz.bmp", paletted8},
                  {"pal8os2v2-sz.bmp", paletted8},    {"pal8os2v2.bmp", paletted8},
                  {"pal8oversizepal.bmp", std::nullopt},
                  {"pal8rlecut.bmp", device},         {"pal8rletrns.bmp", device},
                  {"rgb16-231.bmp", custom},          {"rgb16-3103.bmp", custom},
                  {"rgb16faketrns.bmp", TExpected{127, 64, pf15bit}},
                  {"rgb24jpeg.bmp", std::nullopt},    {"rgb24largepal.bmp", std::nullopt},
                  {"rgb24lprof.bmp", TExpected{127, 64, pf24bit}},
                  {"rgb24png.bmp", std::nullopt},
                  {"rgb24prof.bmp", TExpected{127, 64, pf24bit}},
                  {"rgb24prof2.bmp", TExpected{127, 64, pf24bit}},
                  {"rgb24rle24.bmp", std::nullopt},   {"rgb32-111110.bmp", custom},
                  {"rgb32-7187.bmp", custom},         {"rgb32-xbgr.bmp", custom},
                  {"rgb32fakealpha.bmp", TExpected{127, 64, pf32bit}},
                  {"rgb32h52.bmp", custom},           {"rgba16-1924.bmp", custom},
                  {"rgba16-4444.bmp", custom},        {"rgba16-5551.bmp", custom},
                  {"rgba32-1.bmp", custom},           {"rgba32-1010102.bmp", custom},
                  {"rgba32-2.bmp", custom},           {"rgba32-61754.bmp", custom},
                  {"rgba32-81284.bmp", custom},       {"rgba32abf.bmp", std::nullopt},
                  {"rgba32h56.bmp", custom},          {"rgba64.bmp", std::nullopt}});
}

TEST(BmpSuiteTest, BitmapArrayContainerIsNotABitmap) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(data);
  ExpectOutcomes(data + "/bmpsuite/x", {{"ba-bm.bmp", std::nullopt}});
}

TEST(BmpSuiteTest, RealWorldFilesLoad) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(data);
  ExpectOutcomes(data + "/bmp-extra/libjpeg-turbo", {{"shira_bird8.bmp", TExpected{192, 144, pf24bit}},
                                                     {"testimg.bmp", TExpected{227, 149, pf8bit}},
                                                     {"vgl_5674_0098.bmp", TExpected{120, 96, pf24bit}},
                                                     {"vgl_6434_0018a.bmp", TExpected{119, 96, pf24bit}},
                                                     {"vgl_6548_0026a.bmp", TExpected{128, 95, pf24bit}}});
  ExpectOutcomes(data + "/bmp-extra/wuffs", {{"bricks-dither.bmp", TExpected{160, 120, pfDevice}},
                                             {"bricks-gray.bmp", TExpected{160, 120, pfDevice}},
                                             {"bricks-nodither.bmp", TExpected{160, 120, pfDevice}},
                                             {"hat.bmp", TExpected{90, 112, pf24bit}},
                                             {"hippopotamus.bmp", TExpected{36, 28, pf24bit}},
                                             {"pjw-thumbnail.bmp", TExpected{32, 32, pf1bit}}});
}

}  // namespace
}  // namespace tapestro
