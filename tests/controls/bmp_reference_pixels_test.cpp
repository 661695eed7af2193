// Pixels of the public BMP suite against its reference renderings (read with Qt's PNG
// reader). Channels of fewer than 8 bits may be scaled differently by the reference, so
// those compare within a small tolerance. The bitmap shows no transparency: pixels a
// reference leaves wholly transparent have no colour to compare.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <string>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/canvas.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

struct TReference {
  const char* File;       // below bmpsuite/
  const char* Reference;  // below bmpsuite/reference/
  int Tolerance;          // per channel
};

// The largest channel difference between the decoded file and its reference; -1 when
// the sizes differ.
int LargestDifference(const std::string& suite, const TReference& entry) {
  TBitmap bitmap;
  bitmap.LoadFromFile(suite + "/" + entry.File);
  const TBgrxImage decoded = ToBgrxImage(bitmap);
  QImage reference(QString::fromStdString(suite + "/reference/" + entry.Reference));
  reference = reference.convertToFormat(QImage::Format_ARGB32);
  if (reference.width() != decoded.Width || reference.height() != decoded.Height) return -1;
  int largest = 0;
  for (int y = 0; y < decoded.Height; ++y) {
    const auto* expected = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
    for (int x = 0; x < decoded.Width; ++x) {
      if (qAlpha(expected[x]) == 0) continue;
      const uint8_t* got = decoded.Bytes.data() + (static_cast<size_t>(y) * decoded.Width + x) * 4;
      largest = std::max({largest, std::abs(got[2] - qRed(expected[x])), std::abs(got[1] - qGreen(expected[x])),
                          std::abs(got[0] - qBlue(expected[x]))});
    }
  }
  return largest;
}

void ExpectMatches(const std::vector<TReference>& entries) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(data);
  const std::string suite = data + "/bmpsuite";
  for (const TReference& entry : entries) {
    const int difference = LargestDifference(suite, entry);
    EXPECT_GE(difference, 0) << entry.File << ": size differs from " << entry.Reference;
    EXPECT_LE(difference, entry.Tolerance) << entry.File << " against " << entry.Reference;
  }
}

TEST(BmpReferencePixelsTest, GoodFilesMatchTheirReferences) {
  ExpectMatches({
      {"g/pal1.bmp", "pal1.png", 0},           {"g/pal1wb.bmp", "pal1.png", 0},
      {"g/pal1bg.bmp", "pal1bg.png", 0},       {"g/pal4.bmp", "pal4.png", 0},
      {"g/pal4gs.bmp", "pal4gs.png", 0},       {"g/pal4rle.bmp", "pal4.png", 0},
      {"g/pal8.bmp", "pal8.png", 0},           {"g/pal8-0.bmp", "pal8.png", 0},
      {"g/pal8gs.bmp", "pal8gs.png", 0},       {"g/pal8rle.bmp", "pal8.png", 0},
      {"g/pal8w126.bmp", "pal8w126.png", 0},   {"g/pal8w125.bmp", "pal8w125.png", 0},
      {"g/pal8w124.bmp", "pal8w124.png", 0},   {"g/pal8topdown.bmp", "pal8.png", 0},
      {"g/pal8nonsquare.bmp", "pal8nonsquare-e.png", 0},
      {"g/pal8os2.bmp", "pal8.png", 0},        {"g/pal8v4.bmp", "pal8.png", 0},
      {"g/pal8v5.bmp", "pal8.png", 0},         {"g/rgb16.bmp", "rgb16.png", 1},
      {"g/rgb16bfdef.bmp", "rgb16.png", 1},    {"g/rgb16-565.bmp", "rgb16-565.png", 1},
      {"g/rgb16-565pal.bmp", "rgb16-565.png", 1},
      {"g/rgb24.bmp", "rgb24.png", 0},         {"g/rgb24pal.bmp", "rgb24.png", 0},
      {"g/rgb32.bmp", "rgb24.png", 0},         {"g/rgb32bfdef.bmp", "rgb24.png", 0},
      {"g/rgb32bf.bmp", "rgb24.png", 0},
  });
}

TEST(BmpReferencePixelsTest, QuestionableFilesThatLoadMatchTheirReferences) {
  ExpectMatches({
      {"q/pal1p1.bmp", "pal1p1.png", 0},
      {"q/pal4rlecut.bmp", "pal4rlecut-b.png", 0},
      {"q/pal4rletrns.bmp", "pal4rletrns-b.png", 0},
      {"q/pal8rlecut.bmp", "pal8rlecut-b.png", 0},
      {"q/pal8rletrns.bmp", "pal8rletrns-b.png", 0},
      {"q/pal8os2-hs.bmp", "pal8.png", 0},
      {"q/pal8os2-sz.bmp", "pal8.png", 0},
      {"q/pal8os2v2.bmp", "pal8.png", 0},
      {"q/pal8os2v2-sz.bmp", "pal8.png", 0},
      {"q/pal8os2v2-40sz.bmp", "pal8.png", 0},
      {"q/rgb16faketrns.bmp", "rgb16.png", 1},
      {"q/rgb16-231.bmp", "rgb16-231.png", 1},
      {"q/rgb16-3103.bmp", "rgb16-3103.png", 1},
      {"q/rgb24prof.bmp", "rgb24.png", 0},
      {"q/rgb24lprof.bmp", "rgb24.png", 0},
      {"q/rgb32fakealpha.bmp", "rgb24.png", 0},
      {"q/rgb32-111110.bmp", "rgb24.png", 1},
      {"q/rgb32-7187.bmp", "rgb32-7187.png", 1},
      {"q/rgb32-xbgr.bmp", "rgb24.png", 0},
      {"q/rgb32h52.bmp", "rgb24.png", 0},
      {"q/rgba16-4444.bmp", "rgba16-4444.png", 1},
      {"q/rgba16-5551.bmp", "rgba16-5551.png", 1},
      {"q/rgba16-1924.bmp", "rgba16-1924.png", 1},
      {"q/rgba32-1.bmp", "rgba32.png", 0},
      {"q/rgba32-2.bmp", "rgba32.png", 0},
      {"q/rgba32h56.bmp", "rgba32.png", 0},
      {"q/rgba32-1010102.bmp", "rgba32-1010102.png", 1},
      {"q/rgba32-81284.bmp", "rgba32-81284.png", 1},
      {"q/rgba32-61754.bmp", "rgba32-61754.png", 1},
  });
}

// The reading rules place these pixels differently from their references: the pixels
// follow the colour table directly (bfOffBits is not used), an OS/2 1.x table always
// has 2^bits entries, and colour profiles are not applied.
TEST(BmpReferencePixelsTest, FilesTheRulesReadOtherwiseDifferFromTheirReferences) {
  TAPESTRO_REQUIRE_SHARED_TESTDATA(data);
  const std::string suite = data + "/bmpsuite";
  for (const TReference& entry : std::vector<TReference>{
           {"q/pal8offs.bmp", "pal8.png", 0}, {"q/pal8os2sp.bmp", "pal8.png", 0}, {"q/rgb24prof2.bmp", "rgb24.png", 0}})
    EXPECT_GT(LargestDifference(suite, entry), 0) << entry.File;
}

}  // namespace
}  // namespace tapestro
