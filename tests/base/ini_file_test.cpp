#include "base/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

#include "base/errors.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class IniFileTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string path = dir.File("Tapestro.ini");
  TIniFile ini{path};
  std::string Read(const std::string& key) { return ini.ReadString("Settings", key, "n/a"); }
};

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsTheDefault) {
  EXPECT_EQ(Read("cycle"), "n/a");
  dir.Write("Tapestro.ini", "[Other]\ncycle=5\n");
  EXPECT_EQ(Read("cycle"), "n/a");
  dir.Write("Tapestro.ini", "[Settings]\nrandom=y\n");
  EXPECT_EQ(Read("cycle"), "n/a");
  EXPECT_EQ(Read("random"), "y");
}

TEST_F(IniFileTest, NamesMatchWithoutRegardToCaseButValuesAreKept) {
  ini.WriteString("Settings", "ckAutoSize", "y");
  EXPECT_EQ(Read("ckAutosize"), "y");
  EXPECT_EQ(ini.ReadString("SETTINGS", "CKAUTOSIZE", "n/a"), "y");
  ini.WriteString("settings", "ckautosize", "Y");
  EXPECT_EQ(Read("ckAutoSize"), "Y");
  // One key, replaced in place, not a second line.
  EXPECT_EQ(Slurp(path), "[Settings]\nckAutoSize=Y\n");
}

TEST_F(IniFileTest, WritesReplaceInPlaceAndAppendToTheirSection) {
  dir.Write("Tapestro.ini", "; comment\n[Settings]\ncycle=1\nwalldir=/a\n\n[Other]\nx=1\n");
  ini.WriteString("Settings", "cycle", "300000");
  ini.WriteString("Settings", "random", "y");
  EXPECT_EQ(Slurp(path), "; comment\n[Settings]\ncycle=300000\nwalldir=/a\nrandom=y\n\n[Other]\nx=1\n");
}

TEST_F(IniFileTest, DeleteRemovesTheKeyAndAMissingKeyChangesNothing) {
  dir.Write("Tapestro.ini", "[Settings]\nrandom=y\nminstartup=y\n");
  ini.DeleteKey("Settings", "RANDOM");
  EXPECT_EQ(Read("random"), "n/a");
  EXPECT_EQ(Slurp(path), "[Settings]\nminstartup=y\n");
  struct stat before {};
  ::stat(path.c_str(), &before);
  ini.DeleteKey("Settings", "random");
  ini.DeleteKey("Nowhere", "minstartup");
  struct stat after {};
  ::stat(path.c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino) << "a delete of nothing must not rewrite the file";
  EXPECT_EQ(Slurp(path), "[Settings]\nminstartup=y\n");
}

TEST_F(IniFileTest, OutsideEditsBetweenTwoReadsAreSeen) {
  ini.WriteString("Settings", "cycle", "60000");
  EXPECT_EQ(Read("cycle"), "60000");
  dir.Write("Tapestro.ini", "[Settings]\ncycle=120000\n");
  EXPECT_EQ(Read("cycle"), "120000");
}

TEST_F(IniFileTest, ValuesAreSeenThroughThe2048CharacterBuffer) {
  ini.WriteString("Settings", "walldir", std::string(3000, 'x'));
  EXPECT_EQ(Read("walldir"), std::string(2047, 'x'));
}

#ifndef _WIN32
// Folder permissions that refuse new files are a POSIX matter.

// Runs fn in a child process without root's right to write anywhere; true when fn
// returned true there.
bool InUnprivilegedChild(const std::function<bool()>& fn) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(2);
    ::_exit(fn() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(IniFileTest, ARefusedWriteRaisesAndKeepsTheOldFile) {
  ini.WriteString("Settings", "cycle", "60000");
  ::chmod(path.c_str(), 0666);
  ::chmod(dir.Path().c_str(), 0555);
  const bool refused = InUnprivilegedChild([&] {
    try {
      ini.WriteString("Settings", "cycle", "120000");
    } catch (const EIniFileException& e) {
      return std::string(e.what()) == "Unable to write to " + path;
    }
    return false;
  });
  ::chmod(dir.Path().c_str(), 0700);
  EXPECT_TRUE(refused) << "a write into a read-only folder raises \"Unable to write to\" with the path";
  EXPECT_EQ(Slurp(path), "[Settings]\ncycle=60000\n");
}
#endif

// Read-only is a permission on Linux and an attribute on Windows.
void MakeReadOnly(const std::string& path, bool readOnly) {
  using std::filesystem::perms;
  std::filesystem::permissions(path, readOnly ? perms::owner_read : perms::owner_read | perms::owner_write);
}

TEST_F(IniFileTest, AReadOnlyFileIsNotReplaced) {
  ini.WriteString("Settings", "cycle", "60000");
  MakeReadOnly(path, true);
  EXPECT_THROW(ini.WriteString("Settings", "cycle", "1"), EIniFileException);
  MakeReadOnly(path, false);
  EXPECT_EQ(Read("cycle"), "60000");
}

TEST_F(IniFileTest, ARefusedWriteLeavesNoTemporaryFileBehind) {
  ini.WriteString("Settings", "cycle", "60000");
  MakeReadOnly(path, true);
  EXPECT_THROW(ini.WriteString("Settings", "cycle", "1"), EIniFileException);
  MakeReadOnly(path, false);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST_F(IniFileTest, DamagedFilesReadWithoutHarmAndKeepWhatTheyCan) {
  dir.Write("Tapestro.ini",
            "\xEF\xBB\xBF[Settings]\r\n"
            "garbage line without equals\r\n"
            "\x01\x02\xff=\r\n"
            "=no key\r\n"
            "cycle = 300000 \r\n"
            "[Settings]\r\n"
            "random=y\r\n"
            "[unterminated\r\n");
  EXPECT_EQ(Read("cycle"), "300000");
  EXPECT_EQ(Read("random"), "y") << "a repeated section is read as one";
  ini.WriteString("Settings", "random", "n");
  ini.WriteString("Settings", "minstartup", "y");
  const std::string after = Slurp(path);
  EXPECT_EQ(after.substr(0, 3), "\xEF\xBB\xBF") << "the byte-order mark is kept";
  EXPECT_NE(after.find("garbage line without equals\r\n"), std::string::npos);
  EXPECT_NE(after.find("minstartup=y\r\n"), std::string::npos) << "new lines follow the file's line ends";
  EXPECT_EQ(Read("random"), "n");
  EXPECT_EQ(Read("cycle"), "300000");
}

// Found by fuzzing (tests/data/bad/ini-lone-carriage-return-at-the-end.txt): a file
// whose only line ended in a lone "\r" had new keys joined to it with "\r", which no
// reader takes for a line break, so a written value could not be read back.
TEST_F(IniFileTest, ALoneCarriageReturnIsNoLineEnd) {
  dir.Write("Tapestro.ini", "[Options]\rInterval=17\r");
  ini.WriteString("Settings", "cycle", "60000");
  EXPECT_EQ(Read("cycle"), "60000");
  EXPECT_EQ(Slurp(path), "[Options]\rInterval=17\r\n[Settings]\ncycle=60000\n");
}

TEST_F(IniFileTest, ALineBreakInAValueCannotStartANewKey) {
  ini.WriteString("Settings", "walldir", "/tmp/a\nrandom=y");
  EXPECT_EQ(Read("random"), "n/a");
  EXPECT_EQ(Read("walldir"), "/tmp/a random=y");
}

TEST_F(IniFileTest, AFileWithoutAFinalLineEndGetsOneBeforeANewKey) {
  dir.Write("Tapestro.ini", "[Settings]\ncycle=1");
  ini.WriteString("Settings", "random", "y");
  EXPECT_EQ(Slurp(path), "[Settings]\ncycle=1\nrandom=y\n");
}

}  // namespace
}  // namespace tapestro
