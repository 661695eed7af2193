// The picture registry and loading a picture by its file's extension.
#include "imaging/picture.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "imaging/bitmap.h"
#include "tests/imaging/bmp_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

// Stands in for a picture module that registers itself at start-up: it "loads" any
// file, reporting progress, and records that it was used.
class TFakeJpeg : public TBitmap {
 public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
  void LoadFromStream(TStream&) override { Progress(TProgressStage::psEnding, 100, false, TRect{}, "done"); }
};
const TGraphicClass TFakeJpeg::Class{"TFakeJpeg", &TBitmap::Class,
                                     []() -> std::unique_ptr<TGraphic> { return std::make_unique<TFakeJpeg>(); }};

class TFakeGif : public TFakeJpeg {
 public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
};
const TGraphicClass TFakeGif::Class{"TFakeGif", &TFakeJpeg::Class,
                                    []() -> std::unique_ptr<TGraphic> { return std::make_unique<TFakeGif>(); }};

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterFileFormat("jpeg", "JPEG Image File", TFakeJpeg::Class);
    RegisterFileFormat("jpg", "JPEG Image File", TFakeJpeg::Class);
    RegisterFileFormat("GIF", "GIF Image", TFakeGif::Class);
  }
  void TearDown() override { UnregisterGraphicClass(TFakeJpeg::Class); }

  std::string WriteBmp(const std::string& name, int32_t width) {
    test::TBmpFile file;
    file.Width = width;
    file.Pixels.assign(((width * 3 + 3) / 4) * 4, 0x7F);
    const std::vector<uint8_t> bytes = file.Bytes();
    return dir_.Write(name, std::string(bytes.begin(), bytes.end()));
  }

  test::TempDir dir_;
};

TEST_F(PictureTest, RegistryHoldsTheBuiltInEntriesThenTheRegisteredOnes) {
  const std::vector<TFileFormat> entries = FileFormats().Entries();
  ASSERT_EQ(entries.size(), 7u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"wmf", "Metafiles"}, {"emf", "Enhanced Metafiles"}, {"ico", "Icons"},   {"bmp", "Bitmaps"},
      {"jpeg", "JPEG Image File"}, {"jpg", "JPEG Image File"}, {"gif", "GIF Image"}};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(entries[i].Extension, expected[i].first);
    EXPECT_EQ(entries[i].Description, expected[i].second);
    EXPECT_EQ(entries[i].DescriptionResource, 0);
  }
  EXPECT_EQ(entries[0].GraphicClass, &TMetafile::Class);
  EXPECT_EQ(entries[2].GraphicClass, &TIcon::Class);
  EXPECT_EQ(entries[3].GraphicClass, &TBitmap::Class);
}

TEST_F(PictureTest, ExtensionsMatchWithoutRegardToCaseLastEntryFirst) {
  EXPECT_EQ(FileFormats().FindExt("JPG"), &TFakeJpeg::Class);
  EXPECT_EQ(FileFormats().FindExt("Jpeg"), &TFakeJpeg::Class);
  EXPECT_EQ(FileFormats().FindExt("gif"), &TFakeGif::Class);
  EXPECT_EQ(FileFormats().FindExt("png"), nullptr);
  RegisterFileFormat("bmp", "Other bitmaps", TFakeJpeg::Class);
  EXPECT_EQ(FileFormats().FindExt("BMP"), &TFakeJpeg::Class);
}

TEST_F(PictureTest, UnregisteringAClassRemovesItsDescendantsToo) {
  UnregisterGraphicClass(TFakeJpeg::Class);
  EXPECT_EQ(FileFormats().FindExt("jpg"), nullptr);
  EXPECT_EQ(FileFormats().FindExt("gif"), nullptr);
  EXPECT_EQ(FileFormats().FindExt("bmp"), &TBitmap::Class);
  EXPECT_EQ(FileFormats().Entries().size(), 4u);
}

TEST(PictureFileExtensionTest, TakesTheTextAfterTheLastDotOfTheName) {
  EXPECT_EQ(PictureFileExtension("photo.JPG"), "JPG");
  EXPECT_EQ(PictureFileExtension("/home/me/a.b.gif"), "gif");
  EXPECT_EQ(PictureFileExtension("noext"), "");
  EXPECT_EQ(PictureFileExtension("trailing."), "");
  EXPECT_EQ(PictureFileExtension("/my.pics/sunset"), "");
  EXPECT_EQ(PictureFileExtension("C:\\my.pics\\sunset"), "");
  EXPECT_EQ(PictureFileExtension("C:sunset.bmp"), "bmp");
  EXPECT_EQ(PictureFileExtension("odd.name:stream"), "");
}

TEST_F(PictureTest, FilesLoadThroughTheClassOfTheirExtension) {
  for (const std::string name : {"photo.JPG", "photo.Jpeg"}) {
    TPicture picture;
    picture.LoadFromFile(dir_.Write(name, "not really"));
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TFakeJpeg") << name;
  }
  TPicture gif;
  gif.LoadFromFile(dir_.Write("a.b.gif", "x"));
  EXPECT_EQ(gif.Graphic()->ClassName(), "TFakeGif");
  TPicture bitmap;
  bitmap.LoadFromFile(WriteBmp("real.Bmp", 5));
  EXPECT_EQ(bitmap.Graphic()->ClassName(), "TBitmap");
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 1);
}

void ExpectUnknownExtension(TPicture& picture, const std::string& file, const char* text) {
  try {
    picture.LoadFromFile(file);
    ADD_FAILURE() << file;
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), text);
  }
}

TEST_F(PictureTest, UnknownExtensionsFailWithTheExtensionAsTheNameHasIt) {
  TPicture picture;
  ExpectUnknownExtension(picture, dir_.Write("picture.png", ""), "Unknown picture file extension (.png)");
  ExpectUnknownExtension(picture, dir_.Write("PICTURE.PNG", ""), "Unknown picture file extension (.PNG)");
  ExpectUnknownExtension(picture, "C:\\my.pics\\sunset", "Unknown picture file extension (.)");
  ExpectUnknownExtension(picture, dir_.Write("sunset", ""), "Unknown picture file extension (.)");
  EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST_F(PictureTest, FailedLoadKeepsThePreviousGraphic) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TPicture&) { ++changes; };
  picture.LoadFromFile(WriteBmp("good.bmp", 3));
  TGraphic* shown = picture.Graphic();
  EXPECT_EQ(changes, 1);

  EXPECT_THROW(picture.LoadFromFile(dir_.Write("bad.bmp", "XXnot a bitmap at all")), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(dir_.File("missing.bmp")), EFOpenError);
  EXPECT_THROW(picture.LoadFromFile(dir_.Write("bad.ico", "")), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(dir_.Write("bad.png", "")), EInvalidGraphic);
  EXPECT_EQ(picture.Graphic(), shown);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(changes, 1);
}

TEST_F(PictureTest, MissingFileReportsTheFileStreamsError) {
  TPicture picture;
  try {
    picture.LoadFromFile(dir_.File("missing.bmp"));
    FAIL();
  } catch (const EFOpenError& e) {
    const std::string expected = "Cannot open file \"" + dir_.File("missing.bmp") + "\". No such file or directory";
    EXPECT_EQ(std::string(e.what()), expected);
  }
}

TEST_F(PictureTest, ChangesAndProgressOfTheGraphicReachThePicture) {
  TPicture picture;
  std::vector<std::string> progress;
  picture.OnProgress = [&](TGraphic& sender, TProgressStage, uint8_t percent, bool, const TRect&,
                           const std::string& message) {
    progress.push_back(sender.ClassName() + " " + std::to_string(percent) + " " + message);
  };
  picture.LoadFromFile(dir_.Write("p.jpg", ""));
  EXPECT_EQ(progress, (std::vector<std::string>{"TFakeJpeg 100 done"}));

  int changes = 0;
  picture.OnChange = [&](TPicture&) { ++changes; };
  static_cast<TBitmap*>(picture.Graphic())->SetWidth(4);
  EXPECT_EQ(changes, 1);
}

TEST_F(PictureTest, MetafilesAndIconsAreAcceptedButReportTheirFilesNotValid) {
  TPicture picture;
  const std::vector<std::pair<std::string, std::string>> files = {
      {"a.wmf", "Metafile is not valid"}, {"a.EMF", "Metafile is not valid"}, {"a.ico", "Icon image is not valid"}};
  for (const auto& [name, text] : files) {
    try {
      picture.LoadFromFile(dir_.Write(name, "data"));
      ADD_FAILURE() << name;
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.what(), text);
    }
  }
}

}  // namespace
}  // namespace tapestro
