#include "base/stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "base/atomic_file.h"
#include "base/errors.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

TEST(StreamTest, ReadBufferRaisesStreamReadErrorWhenShort) {
  TMemoryStream stream(std::vector<uint8_t>{1, 2, 3});
  uint8_t buffer[4];
  try {
    stream.ReadBuffer(buffer, 4);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

TEST(StreamTest, FileStreamReadsAcrossItsBufferAndSeeks) {
  test::TempDir dir;
  std::vector<unsigned char> bytes(200000);
  std::iota(bytes.begin(), bytes.end(), 0);
  test::WriteAll(dir.File("f"), bytes);
  TFileStream file(dir.File("f"), FileMode::OpenRead);
  EXPECT_EQ(file.Size(), 200000);
  std::vector<uint8_t> got(bytes.size());
  size_t at = 0;
  // Odd-sized reads cross the read buffer's edges.
  while (at < got.size()) at += file.Read(got.data() + at, std::min<size_t>(777, got.size() - at));
  EXPECT_TRUE(std::equal(got.begin(), got.end(), bytes.begin()));
  EXPECT_EQ(file.Read(got.data(), 1), 0u);
  file.SetPosition(65535);
  uint8_t two[2];
  file.ReadBuffer(two, 2);
  EXPECT_EQ(two[0], static_cast<uint8_t>(65535 % 256));
  EXPECT_EQ(two[1], 0);
  file.Seek(-1, SeekOrigin::End);
  EXPECT_EQ(file.Remaining(), 1);
}

TEST(StreamTest, OpenAndCreateFailuresCarryThePathAndTheSystemText) {
  test::TempDir dir;
  try {
    TFileStream file(dir.File("missing"), FileMode::OpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + dir.File("missing") + "\". No such file or directory");
  }
  try {
    TFileStream file(dir.File("no/such/folder"), FileMode::Create);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file \"" + dir.File("no/such/folder") + "\". No such file or directory");
  }
  EXPECT_THROW(TFileStream(dir.Path(), FileMode::OpenRead), EFOpenError) << "a folder is no file";
}

TEST(AtomicFileTest, AnUncommittedWriterLeavesTheOldFileWhole) {
  test::TempDir dir;
  const std::string target = dir.Write("tempwp.bmp", "old contents");
  {
    TAtomicFileWriter writer(target, TAtomicFileWriter::Durability::VisibleOnly);
    writer.Stream().WriteBuffer("new", 3);
    // Destroyed without Commit, as when a save fails half-way.
  }
  EXPECT_EQ(test::ReadAll(target), std::vector<unsigned char>({'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'}));
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
  ReplaceFileContents(target, "new");
  EXPECT_EQ(test::ReadAll(target).size(), 3u);
}

}  // namespace
}  // namespace tapestro
