// Files that are not what their names promise: FIFOs, devices and folders as inputs or
// outputs, reads and writes the system refuses, and the temporaries of an atomic write.
#include <gtest/gtest.h>

#ifdef __linux__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/file_system.h"
#include "base/stream.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

template <typename Error, typename Work>
std::string ErrorOf(Work work) {
  try {
    work();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(HostileFilesTest, InputsThatAreNotRegularFilesAreRefusedWithoutWaiting) {
  test::TempDir dir;
  const std::string fifo = dir.File("x.bmp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Opening a FIFO for reading would wait for a writer; it is refused at once instead.
  EXPECT_EQ(ErrorOf<EFOpenError>([&] { TFileStream file(fifo, FileMode::OpenRead); }),
            "Cannot open file \"" + fifo + "\". Not a regular file");
  // A device that never ends is no picture either.
  EXPECT_EQ(ErrorOf<EFOpenError>([] { TFileStream file("/dev/zero", FileMode::OpenRead); }),
            "Cannot open file \"/dev/zero\". Not a regular file");
  EXPECT_EQ(ErrorOf<EFOpenError>([&] { TFileStream file(dir.Path(), FileMode::OpenRead); }),
            "Cannot open file \"" + dir.Path() + "\". Is a directory");
}

TEST(HostileFilesTest, OutputsThatAreNotRegularFilesAreRefusedAndLeftAsTheyAre) {
  test::TempDir dir;
  const std::string folder = dir.File("out.bmp");
  std::filesystem::create_directory(folder);
  const std::string fifo = dir.File("pipe.bmp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

  EXPECT_EQ(ErrorOf<EFCreateError>([&] { TAtomicFileWriter writer(folder); }),
            "Cannot create file \"" + folder + "\". Is a directory");
  EXPECT_EQ(ErrorOf<EFCreateError>([&] { CheckReplaceable(fifo); }),
            "Cannot create file \"" + fifo + "\". Not a regular file");
  EXPECT_EQ(ErrorOf<EFCreateError>([&] { TFileStream file(fifo, FileMode::Create); }),
            "Cannot create file \"" + fifo + "\". Not a regular file");
  EXPECT_EQ(ErrorOf<EFCreateError>([] { TAtomicFileWriter writer("/dev/full"); }),
            "Cannot create file \"/dev/full\". Not a regular file");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  EXPECT_EQ(NamesIn(dir.Path()), (std::vector<std::string>{"out.bmp", "pipe.bmp"}));
}

TEST(HostileFilesTest, ReadAndWriteFailuresAreErrorsThatNameTheFile) {
  test::TempDir dir;
  const std::string path = dir.Write("a.bmp", "some bytes");
  // A descriptor the system will not read from: the read fails, it does not end the file.
  TFileStream writeOnly(::open(path.c_str(), O_WRONLY | O_CLOEXEC), path);
  uint8_t byte = 0;
  EXPECT_EQ(ErrorOf<EReadError>([&] { writeOnly.Read(&byte, 1); }),
            "Stream read error: file \"" + path + "\". Bad file descriptor");
  // A full disk.
  TFileStream full(::open("/dev/full", O_WRONLY | O_CLOEXEC), "/dev/full");
  EXPECT_EQ(ErrorOf<EWriteError>([&] { full.WriteBuffer("x", 1); }),
            "Stream write error: file \"/dev/full\". No space left on device");
}

TEST(HostileFilesTest, ATemporaryIsInvisibleUntilCommittedWhereTheFileSystemAllows) {
  test::TempDir dir;
  const int probe = ::open(dir.Path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (probe < 0) GTEST_SKIP() << "no nameless files on this file system";
  ::close(probe);
  const std::string target = dir.Write("tempwp.bmp", "old");
  TAtomicFileWriter writer(target, TAtomicFileWriter::Durability::VisibleOnly);
  writer.Stream().WriteBuffer("new!", 4);
  EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"tempwp.bmp"});
  writer.Commit();
  EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"tempwp.bmp"});
  EXPECT_EQ(test::ReadAll(target).size(), 4u);
}

// A process id that runs nothing now.
int64_t UnusedProcessId() {
  for (int64_t pid = 4194000; pid > 1000; --pid)
    if (!fs::ProcessRunning(pid)) return pid;
  return 0;
}

TEST(HostileFilesTest, OnlyStaleTemporariesOfOurOwnNamingAreRemoved) {
  test::TempDir dir;
  const std::string target = dir.Write("tempwp.bmp", "old");
  const int64_t gone = UnusedProcessId();
  ASSERT_NE(gone, 0);
  const std::string stale = TemporaryNamePrefix(target, gone) + "a1B2c3";
  const std::string live = TemporaryNamePrefix(target, ::getppid()) + "a1B2c3";
  dir.Write(std::filesystem::path(stale).filename(), "left by a killed write");
  dir.Write(std::filesystem::path(live).filename(), "a write in progress");
  // Near misses: a user's own file, another target's temporary, a suffix too long.
  dir.Write(".tempwp.bmp.tapestro-notes", "mine");
  dir.Write(".other.bmp.tapestro-" + std::to_string(gone) + "-a1B2c3", "another target's");
  dir.Write(std::filesystem::path(stale).filename().string() + "x", "not our pattern");

  ReplaceFileContents(target, "new");
  const std::vector<std::string> names = NamesIn(dir.Path());
  EXPECT_EQ(std::count(names.begin(), names.end(), std::filesystem::path(stale).filename()), 0);
  EXPECT_EQ(names.size(), 5u);
  EXPECT_EQ(test::ReadAll(target).size(), 3u);
}

}  // namespace
}  // namespace tapestro
#endif
