// "Start with the session" against the registry of the system it runs on (Wine here):
// the Run value as the shell reads it at logon.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "platform/autostart.h"

namespace tapestro {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kName[] = "Tapestro autostart test";
constexpr char kProgram[] = "C:\\Program Files\\Tapestro\\tapestro.exe";

// The value's text when it is a REG_SZ string.
std::optional<std::string> RunValue() {
  char data[MAX_PATH * 2] = {};
  DWORD type = 0;
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, kRunKey, kName, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  return std::string(data);
}

class WindowsAutostartTest : public ::testing::Test {
 protected:
  void TearDown() override { RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kName); }

  std::unique_ptr<TAutostart> autostart = CreateAutostart({"org.example.Test", kName, "Tests the entry", kProgram});
};

TEST_F(WindowsAutostartTest, OnWritesTheQuotedPathAndOffRemovesIt) {
  autostart->SetEnabled(false);
  EXPECT_FALSE(autostart->Enabled());
  EXPECT_EQ(RunValue(), std::nullopt);

  autostart->SetEnabled(true);
  EXPECT_EQ(RunValue(), "\"C:\\Program Files\\Tapestro\\tapestro.exe\"");
  EXPECT_TRUE(autostart->Enabled());

  autostart->SetEnabled(false);
  EXPECT_EQ(RunValue(), std::nullopt);
  EXPECT_FALSE(autostart->Enabled());
  EXPECT_NO_THROW(autostart->SetEnabled(false)) << "off twice";
}

TEST_F(WindowsAutostartTest, TheMarkFollowsTheValueWhoeverChangesIt) {
  const std::string command = "\"D:\\Elsewhere\\tapestro.exe\"";
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, kName, REG_SZ, command.c_str(),
                            static_cast<DWORD>(command.size() + 1)),
            ERROR_SUCCESS);
  EXPECT_TRUE(autostart->Enabled());
  ASSERT_EQ(RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kName), ERROR_SUCCESS);
  EXPECT_FALSE(autostart->Enabled());
}

}  // namespace
}  // namespace tapestro
