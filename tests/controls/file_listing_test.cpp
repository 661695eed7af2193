#include "controls/file_listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <random>

#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

std::vector<std::string> Names(const std::vector<TRzFileInfo>& entries) {
  std::vector<std::string> names;
  for (const TRzFileInfo& entry : entries) names.push_back(entry.Name);
  return names;
}

std::vector<std::string> List(const test::TempDir& dir, const std::string& mask = kDefaultImageMask,
                              TListingOptions options = {}) {
  return Names(ListFolder(dir.Path(), mask, options));
}

using Strings = std::vector<std::string>;

TEST(FileListingTest, OrdersByLocaleWithoutCaseAndDigitByDigit) {
  test::TempDir dir;
  for (const char* name : {"b.JPG", "A.bmp", "c.gif", "2.png", "10.png"}) dir.Write(name, "");
  EXPECT_EQ(List(dir), (Strings{"10.png", "2.png", "A.bmp", "b.JPG", "c.gif"}));
}

TEST(FileListingTest, NamesEqualButForCaseAreBothListedInAFixedOrder) {
  test::TempDir dir;
  dir.Write("a.jpg", "");
  dir.Write("A.jpg", "");
  dir.Write("B.jpg", "");
  EXPECT_EQ(List(dir), (Strings{"A.jpg", "a.jpg", "B.jpg"}));
}

TEST(FileListingTest, ListsOnlyRegularFilesThatAreNotHidden) {
  test::TempDir dir;
  dir.Write("shown.jpg", "");
  dir.Write(".hidden.jpg", "");
  dir.Write("locked.jpg", "");
  ::chmod(dir.File("locked.jpg").c_str(), 0);         // unreadable, still a file of the folder
  ::chmod(dir.File("shown.jpg").c_str(), 0444);       // read-only
  ::mkdir(dir.File("folder.jpg").c_str(), 0700);      // folders never show by default
  ::mkfifo(dir.File("pipe.jpg").c_str(), 0600);       // neither do pipes,
  ASSERT_EQ(::symlink("missing.jpg", dir.File("broken.jpg").c_str()), 0);  // nor broken links
  ASSERT_EQ(::symlink("shown.jpg", dir.File("link.jpg").c_str()), 0);      // a link to a picture is one
  EXPECT_EQ(List(dir), (Strings{"link.jpg", "locked.jpg", "shown.jpg"}));
}

TEST(FileListingTest, FileTypesChooseTheKindsOfEntries) {
  test::TempDir dir;
  dir.Write("b.jpg", "");
  dir.Write(".h.jpg", "");
  ::mkdir(dir.File("a.jpg").c_str(), 0700);
  ::mkdir(dir.File("z").c_str(), 0700);
  const auto with = [&](TFileTypes types) {
    TListingOptions options;
    options.FileTypes = types;
    return List(dir, "*", options);
  };
  EXPECT_EQ(with({TFileType::ftDirectory}), (Strings{"a.jpg", "z"}));
  // Folders come first, whatever their names.
  EXPECT_EQ(with({TFileType::ftNormal, TFileType::ftDirectory}), (Strings{"a.jpg", "z", "b.jpg"}));
  EXPECT_EQ(with({TFileType::ftNormal, TFileType::ftHidden}), (Strings{".h.jpg", "b.jpg"}));
}

TEST(FileListingTest, MaskPartsAreUsedAsWritten) {
  test::TempDir dir;
  for (const char* name : {"a.JPG", "b.jpeg", "c.gif", " d.gif", "e.png"}) dir.Write(name, "");
  // A file matched by two parts is listed once.
  EXPECT_EQ(List(dir, "*.jpg;a*"), (Strings{"a.JPG"}));
  // The blank after ";" belongs to the next part.
  EXPECT_EQ(List(dir, "*.jpg; *.gif"), (Strings{" d.gif", "a.JPG"}));
  // Empty parts match nothing.
  EXPECT_EQ(List(dir, "*.png;;"), (Strings{"e.png"}));
  EXPECT_EQ(List(dir, ""), Strings{});
  EXPECT_EQ(List(dir, "?.GIF"), (Strings{"c.gif"}));
  // ".jpeg" is not ".jpg": no short names here.
  EXPECT_EQ(List(dir, "*.jpg"), (Strings{"a.JPG"}));
}

TEST(FileListingTest, EmptyOrMissingFolderListsNothing) {
  test::TempDir dir;
  EXPECT_TRUE(List(dir).empty());
  EXPECT_TRUE(ListFolder(dir.File("missing"), "*").empty());
}

TEST(FileListingTest, ManyEntriesAreAnnouncedOnceAtTheHundredAndFirst) {
  test::TempDir dir;
  int announced = 0;
  TListingOptions options;
  options.OnManyEntries = [&] { ++announced; };
  for (int i = 0; i < 100; ++i) dir.Write(std::to_string(i) + ".jpg", "");
  EXPECT_EQ(List(dir, "*.jpg", options).size(), 100u);
  EXPECT_EQ(announced, 0);
  for (int i = 100; i < 150; ++i) dir.Write(std::to_string(i) + ".jpg", "");
  EXPECT_EQ(List(dir, "*.jpg", options).size(), 150u);
  EXPECT_EQ(announced, 1);
}

// The quicksort must agree with a plain sort by the same comparison on inputs that
// defeat simple pivots: sorted, reversed, all equal but for case, and shuffled.
TEST(FileListingTest, SortAgreesWithTheNameOrderOnAwkwardInputs) {
  std::mt19937 random(7);
  std::vector<std::string> base;
  const char* stems[] = {"IMG_", "img_", "Café ", "cafe ", "фото_", "写真", "_", "photo-", "Photo "};
  for (int i = 0; i < 3000; ++i)
    base.push_back(stems[random() % std::size(stems)] + std::to_string(random() % 500) + ".jpg");
  std::sort(base.begin(), base.end());
  base.erase(std::unique(base.begin(), base.end()), base.end());

  std::vector<std::string> expected = base;
  std::sort(expected.begin(), expected.end(),
            [](const std::string& a, const std::string& b) { return CompareNames(a, b) < 0; });

  std::vector<std::string> reversed(expected.rbegin(), expected.rend());
  std::vector<std::string> shuffled = base;
  std::shuffle(shuffled.begin(), shuffled.end(), random);
  for (std::vector<std::string> input : {base, expected, reversed, shuffled}) {
    SortNames(input);
    EXPECT_EQ(input, expected);
  }
}

// Names of printable ASCII alone are ordered without the collator, under the English
// collation (and the C locale, which stands for it): the order must be the collator's.
TEST(FileListingTest, AsciiNamesSortAsTheCollatorOrdersThem) {
  const QLocale system = QLocale::system();
  if (system.language() != QLocale::C && system.language() != QLocale::English)
    GTEST_SKIP() << "the ASCII order stands only for the English collation";
  QCollator collator(QLocale(QLocale::English, QLocale::UnitedStates));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(false);
  const auto sign = [](int order) { return (order > 0) - (order < 0); };
  const auto byCollator = [&](const std::string& a, const std::string& b) {
    const int order = collator.compare(QString::fromLatin1(a), QString::fromLatin1(b));
    return sign(order != 0 ? order : a.compare(b));
  };

  std::mt19937 random(11);
  std::vector<std::string> names;
  for (int i = 0; i < 20000; ++i) {
    std::string name;
    for (size_t length = random() % 6; length > 0; --length) name += static_cast<char>(0x20 + random() % 95);
    names.push_back(name);
  }
  for (size_t i = 0; i + 1 < names.size(); ++i)
    ASSERT_EQ(sign(CompareNames(names[i], names[i + 1])), byCollator(names[i], names[i + 1]))
        << "[" << names[i] << "] [" << names[i + 1] << "]";

  names.resize(3000);
  std::vector<std::string> expected = names;
  std::sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) { return byCollator(a, b) < 0; });
  SortNames(names);
  EXPECT_EQ(names, expected);
}

TEST(FolderNameOrder, FolderNamesSortAsTheFileListIgnoringCaseWithCaseTwinsInAFixedOrder) {
  std::vector<std::string> names{"gamma", "Beta", "alpha", "beta", "10", "2", "Alpha"};
  SortNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"10", "2", "Alpha", "alpha", "Beta", "beta", "gamma"}));
}

}  // namespace
}  // namespace tapestro
