// The autostart entry on Linux, against a configuration folder of the test's own.
#include "platform/autostart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/errors.h"
#include "base/path.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

class AutostartTest : public ::testing::Test {
 protected:
  AutostartTest() { environment.Set("XDG_CONFIG_HOME", config.Path()); }

  std::unique_ptr<TAutostart> Entry(const std::string& program) {
    return CreateAutostart({"org.example.Test", "Test", "Tests the entry", program});
  }
  std::string File() const { return config.File("autostart/org.example.Test.desktop"); }
  std::string Text() const {
    const auto bytes = test::ReadAll(File());
    return std::string(bytes.begin(), bytes.end());
  }

  test::TempDir config;
  test::ScopedEnvironment environment;
};

TEST_F(AutostartTest, OnWritesAValidEntryAndOffRemovesIt) {
  const auto entry = Entry("/usr/bin/test");
  EXPECT_FALSE(entry->Enabled());
  entry->SetEnabled(true);
  EXPECT_TRUE(entry->Enabled());
  EXPECT_EQ(Text(),
            "[Desktop Entry]\nType=Application\nName=Test\nComment=Tests the entry\nExec=/usr/bin/test\n"
            "Icon=org.example.Test\nTerminal=false\n");
  EXPECT_EQ(std::system(("desktop-file-validate '" + File() + "'").c_str()), 0);
  entry->SetEnabled(false);
  EXPECT_FALSE(FileExists(File()));
  EXPECT_FALSE(entry->Enabled());
  entry->SetEnabled(false);  // already off: nothing to do, nothing to report
}

TEST_F(AutostartTest, APathWithReservedCharactersIsQuotedAsTheExecRulesSay) {
  Entry("/opt/my apps/100% \"new\" $x\\tapestro")->SetEnabled(true);
  // Quoted, '"' '$' '\' escaped inside the quotes, '%' doubled; then the backslashes
  // escaped once more as the string rules say.
  EXPECT_NE(Text().find("\nExec=\"/opt/my apps/100%% \\\\\"new\\\\\" \\\\$x\\\\\\\\tapestro\"\n"), std::string::npos);
  EXPECT_EQ(std::system(("desktop-file-validate '" + File() + "'").c_str()), 0);
}

TEST_F(AutostartTest, AnEntryThatSaysHiddenIsOff) {
  std::filesystem::create_directories(config.File("autostart"));
  config.Write("autostart/org.example.Test.desktop", "[Desktop Entry]\nHidden = true\nExec=/usr/bin/test\n");
  EXPECT_FALSE(Entry("/usr/bin/test")->Enabled());
}

TEST_F(AutostartTest, AFolderThatCannotBeMadeIsAnErrorWithItsPath) {
  config.Write("autostart", "a file where the folder belongs");
  const auto entry = Entry("/usr/bin/test");
  EXPECT_THROW(entry->SetEnabled(true), EStreamError);
  EXPECT_FALSE(entry->Enabled());
}

}  // namespace
}  // namespace tapestro
