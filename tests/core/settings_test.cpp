#include "core/settings.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "core/program_texts.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using settings::kSection;

class SettingsTest : public ::testing::Test {
 protected:
  std::string Read(const std::string& key) {
    store.ReadSetting(kSection, key);
    return store.SettingValue;
  }
  std::string Contents() {
    const auto bytes = test::ReadAll(dir.File("Tapestro.ini"));
    return std::string(bytes.begin(), bytes.end());
  }

  test::TempDir dir;
  TSettings store{dir.File("Tapestro.ini")};
};

TEST_F(SettingsTest, AnythingMissingReadsNotAvailable) {
  EXPECT_EQ(Read("cycle"), "n/a");  // no file
  dir.Write("Tapestro.ini", "[Settings]\nrandom=y\n");
  EXPECT_EQ(Read("cycle"), "n/a");  // no key
  EXPECT_EQ(Read("random"), "y");
}

TEST_F(SettingsTest, ValuesAreReadAsStoredWithTheirCase) {
  dir.Write("Tapestro.ini", "[settings]\nRANDOM=Y\n");
  EXPECT_EQ(Read("random"), "Y");
  EXPECT_NE(store.SettingValue, settings::kYes);
}

TEST_F(SettingsTest, KeysInTwoLetterCasesAreOneKey) {
  store.WriteSetting(kSection, settings::kAutoSizeAtStart, "y");
  EXPECT_EQ(Read(settings::kAutoSizeBox), "y");
  store.DeleteSetting(kSection, settings::kAutoSizeBox);
  EXPECT_EQ(Read(settings::kAutoSizeAtStart), "n/a");
}

TEST_F(SettingsTest, WritesReplaceInPlaceAndEditsFromOutsideAreSeen) {
  store.WriteSetting(kSection, "cycle", "300000");
  store.WriteSetting(kSection, "walldir", "/pics");
  store.WriteSetting(kSection, "cycle", "600000");
  EXPECT_EQ(Contents(), "[Settings]\ncycle=600000\nwalldir=/pics\n");
  dir.Write("Tapestro.ini", "[Settings]\ncycle=60000\n");
  EXPECT_EQ(Read("cycle"), "60000");
}

TEST_F(SettingsTest, DeletingAMissingKeyChangesNothingAndReportsNothing) {
  dir.Write("Tapestro.ini", "[Settings]\r\nrandom=y\r\n");
  store.DeleteSetting(kSection, "minstartup");
  store.DeleteSetting("Other", "random");
  EXPECT_EQ(Contents(), "[Settings]\r\nrandom=y\r\n");
  TSettings nowhere("/nonexistent-folder/Tapestro.ini");
  nowhere.DeleteSetting(kSection, "random");
}

TEST_F(SettingsTest, ARefusedWriteNamesTheFile) {
  TSettings nowhere("/nonexistent-folder/Tapestro.ini");
  try {
    nowhere.WriteSetting(kSection, "random", "y");
    FAIL() << "no error";
  } catch (const EIniFileException& error) {
    EXPECT_STREQ(error.what(), "Unable to write to /nonexistent-folder/Tapestro.ini");
  }
}

TEST_F(SettingsTest, TheFileFollowsPathChanges) {
  test::TempDir other;
  store.WriteSetting(kSection, "random", "y");
  store.RzRegIni.SetPath(other.File("Tapestro.ini"));
  EXPECT_EQ(Read("random"), "n/a");
  store.WriteSetting(kSection, "cycle", "60000");
  store.RzRegIni.SetPath(dir.File("Tapestro.ini"));
  EXPECT_EQ(Read("random"), "y");
  EXPECT_EQ(Read("cycle"), "n/a");
}

TEST_F(SettingsTest, EmptyPathMeansTheExecutablesIniFile) {
  const std::string beside = test::BinaryDir() + "/tests/core/test_core.ini";
  test::WriteAll(beside, {'[', 'S', 'e', 't', 't', 'i', 'n', 'g', 's', ']', '\n', 'x', '=', '1', '\n'});
  store.RzRegIni.SetPath("");
  const std::string value = Read("x");
  std::remove(beside.c_str());
  EXPECT_EQ(value, "1");
}

}  // namespace
}  // namespace tapestro
