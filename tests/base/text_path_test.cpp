#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"

namespace tapestro {
namespace {

TEST(FormatTest, FillsPlaceholdersInOrderAndNeverReadsPastTheArguments) {
  EXPECT_EQ(Format("List index out of bounds (%d)", -1), "List index out of bounds (-1)");
  EXPECT_EQ(Format("Cannot open file \"%s\". %s", "/a", "gone"), "Cannot open file \"/a\". gone");
  EXPECT_EQ(Format("%s and %s", "one"), "one and ");
  EXPECT_EQ(Format("100%% %x"), "100% %x");
}

TEST(StrToIntTest, AcceptsWholeNumbersOnly) {
  EXPECT_EQ(StrToInt("300000"), 300000);
  EXPECT_EQ(StrToInt("-20"), -20);
  EXPECT_EQ(StrToInt(" 7"), 7);
  for (const char* bad : {"", " ", "5x", "1.5", "99999999999", "x"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
    }
  }
}

TEST(PathTest, BareNamesExtensionsAndFolders) {
  EXPECT_EQ(ExtractFileName("photo.jpg"), "photo.jpg");
  EXPECT_EQ(ExtractFileExt("a.b.GIF"), ".GIF");
#ifdef _WIN32
  // Either separator, and a drive's colon, end a folder part.
  EXPECT_EQ(ExtractFileName("C:\\pics\\photo.jpg"), "photo.jpg");
  EXPECT_EQ(ExtractFileName("C:photo.jpg"), "photo.jpg");
  EXPECT_EQ(ExtractFilePath("C:/pics/x\\photo.jpg"), "C:/pics/x\\");
  EXPECT_EQ(ExtractFileExt("C:\\my.pics\\sunset"), "");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\pics"), "C:\\pics\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:/pics/"), "C:/pics/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\pics\\"), "C:\\pics");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\"), "C:\\");
  EXPECT_EQ(ExpandFileName("C:\\a\\.\\b\\..\\c"), "C:\\a\\c");
  EXPECT_EQ(ExpandFileName("C:\\.."), "C:\\");
#else
  EXPECT_EQ(ExtractFileName("/tmp/x/photo.jpg"), "photo.jpg");
  EXPECT_EQ(ExtractFilePath("/tmp/x/photo.jpg"), "/tmp/x/");
  EXPECT_EQ(ExtractFileExt("/tmp/my.pics/sunset"), "");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/"), "/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp/"), "/tmp");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
  EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
  EXPECT_EQ(ExpandFileName("/.."), "/");
#endif
}

TEST(TextTest, CaseHelpersTouchOnlyAscii) {
  EXPECT_EQ(UpperCase("pic.gif"), "PIC.GIF");
  EXPECT_EQ(LowerCase("\xC3\x89T\xC3\x89.JPG"), "\xC3\x89t\xC3\x89.jpg");
  EXPECT_TRUE(SameText("ckAutoSize", "ckAutosize"));
  EXPECT_FALSE(SameText("a", "ab"));
}

}  // namespace
}  // namespace tapestro
