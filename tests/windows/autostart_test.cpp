// "Start with the session" against the registry of the system it runs on (Wine here).
#include "platform/autostart.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace tapestro {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kName[] = "Tapestro autostart test";

std::optional<std::string> RunValue() {
  char data[MAX_PATH] = {};
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, kRunKey, kName, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(data);
}

TEST(WindowsAutostartTest, OnWritesTheQuotedPathOffRemovesItAndTheMarkReadsTheValue) {
  const auto autostart =
      CreateAutostart({"org.example.Test", kName, "Tests the entry", "C:\\Program Files\\Tapestro\\tapestro.exe"});
  autostart->SetEnabled(false);
  EXPECT_FALSE(autostart->Enabled());
  autostart->SetEnabled(true);
  EXPECT_EQ(RunValue(), "\"C:\\Program Files\\Tapestro\\tapestro.exe\"");
  EXPECT_TRUE(autostart->Enabled());
  autostart->SetEnabled(false);
  EXPECT_EQ(RunValue(), std::nullopt);
  EXPECT_FALSE(autostart->Enabled());
  EXPECT_NO_THROW(autostart->SetEnabled(false)) << "off twice";

  constexpr char kElsewhere[] = "\"D:\\tapestro.exe\"";
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, kName, REG_SZ, kElsewhere, sizeof kElsewhere), ERROR_SUCCESS);
  EXPECT_TRUE(autostart->Enabled()) << "written by someone else";
  autostart->SetEnabled(false);
}

}  // namespace
}  // namespace tapestro
