// The public JPEG conformance files: each decodes, or fails with the library's error,
// as the corpus's notes say; none may crash.
#include <gtest/gtest.h>
#include <jerror.h>

#include <map>

#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_errors.h"
#include "imaging/jpeg/jpeg_image.h"
#include "tests/imaging/jpeg_references.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

std::unique_ptr<TJPEGImage> Decoded(const std::string& path) {
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->LoadFromFile(path);
  jpeg->Bitmap();
  return jpeg;
}

TEST(JpegTestDataTest, EveryFileDecodesOrFailsAsNoted) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(shared);
  // 12-bit samples need another build of the library.
  const std::map<std::string, int> failing = {{"monkey12.jpg", JERR_BAD_PRECISION},
                                              {"testorig12.jpg", JERR_BAD_PRECISION}};
  const std::vector<std::string> files = test::FilesBelow(shared + "/jpeg", {".jpg", ".jpeg"});
  ASSERT_EQ(files.size(), 34u);
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    const std::string name = path.substr(path.rfind('/') + 1);
    const auto failure = failing.find(name);
    if (failure == failing.end()) {
      const auto jpeg = Decoded(path);
      EXPECT_GT(jpeg->Bitmap().Width(), 0);
      EXPECT_EQ(jpeg->Bitmap().Width(), jpeg->Width());
      continue;
    }
    try {
      Decoded(path);
      ADD_FAILURE() << "decoded";
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Message(), "JPEG error #" + std::to_string(failure->second));
    }
  }
}

TEST(JpegTestDataTest, SizesAndFormatsComeFromTheirHeaders) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(shared);
  const std::string turbo = shared + "/jpeg/libjpeg-turbo/";
  const std::string wuffs = shared + "/jpeg/wuffs/";
  struct TExpected {
    std::string Path;
    int32_t Width, Height;
    TPixelFormat Format;
  };
  for (const TExpected& file : {TExpected{turbo + "testorig.jpg", 227, 149, TPixelFormat::pf24bit},
                                TExpected{turbo + "testimgcrop.jpg", 124, 92, TPixelFormat::pf24bit},
                                TExpected{turbo + "testimggray.jpg", 227, 149, TPixelFormat::pf8bit},
                                TExpected{wuffs + "peacock.s-very-weird.jpeg", 100, 75, TPixelFormat::pf24bit},
                                TExpected{wuffs + "peacock.progressive.truncated.jpeg", 100, 75, TPixelFormat::pf24bit},
                                TExpected{wuffs + "mona-lisa.21x32.q50.jpeg", 21, 32, TPixelFormat::pf24bit}}) {
    SCOPED_TRACE(file.Path);
    TJPEGImage jpeg;
    jpeg.LoadFromFile(file.Path);
    EXPECT_EQ(jpeg.Width(), file.Width);
    EXPECT_EQ(jpeg.Height(), file.Height);
    EXPECT_EQ(jpeg.PixelFormat(), file.Format);
    EXPECT_EQ(jpeg.Bitmap().PixelFormat(), file.Format);
  }
}

TEST(JpegTestDataTest, PixelsMatchTheReferenceDecodes) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(shared);
  const std::string turbo = shared + "/jpeg/libjpeg-turbo/";
  // The floating-point reference was made by this library with our DCT: exact.
  EXPECT_EQ(test::MaxChannelDifference(Decoded(turbo + "testorig.jpg")->Bitmap(),
                                       test::ReadPpm(turbo + "reference/testimgflt.ppm")),
            0);
  // The same coefficients coded three ways give the same picture; the reference was
  // made with the integer DCT, a rounding away.
  const auto integer = Decoded(turbo + "testimgint.jpg");
  EXPECT_EQ(test::MaxChannelDifference(Decoded(turbo + "testimgari.jpg")->Bitmap(), integer->Bitmap()), 0);
  EXPECT_EQ(test::MaxChannelDifference(Decoded(turbo + "testimgp.jpg")->Bitmap(), integer->Bitmap()), 0);
  const int difference =
      test::MaxChannelDifference(integer->Bitmap(), test::ReadPpm(turbo + "reference/testimgint.djpeg-default.ppm"));
  EXPECT_GE(difference, 0);
  EXPECT_LE(difference, 3);
}

}  // namespace
}  // namespace tapestro
