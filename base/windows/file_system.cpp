#include "base/file_system.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "base/path.h"

namespace tapestro::fs {

namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

// The C runtime reads and writes at most INT_MAX bytes a call.
unsigned ChunkOf(size_t count) { return static_cast<unsigned>(std::min<size_t>(count, INT_MAX)); }

// Asks a call that fills a buffer of a given size again with the size it says it needs.
template <typename Fill>
std::string GrowingBuffer(Fill fill) {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return buffer.substr(0, length);
    buffer.resize(std::max<size_t>(length + 1, buffer.size() * 2));
  }
}

}  // namespace

// Other writers are refused while we read, as the program always did on Windows.
int OpenForReading(const std::string& path) {
  int fd = -1;
  if (::_sopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYWR, 0) != 0) return -1;
  return fd;
}

int CreateForWriting(const std::string& path) {
  int fd = -1;
  if (::_sopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _SH_DENYWR,
                 _S_IREAD | _S_IWRITE) != 0)
    return -1;
  return fd;
}

void CloseFile(int fd) { ::_close(fd); }

int64_t ReadAt(int fd, void* buffer, size_t count, int64_t position) {
  if (::_lseeki64(fd, position, SEEK_SET) < 0) return -1;
  return ::_read(fd, buffer, ChunkOf(count));
}

int64_t WriteAt(int fd, const void* buffer, size_t count, int64_t position) {
  if (::_lseeki64(fd, position, SEEK_SET) < 0) return -1;
  return ::_write(fd, buffer, ChunkOf(count));
}

int64_t FileSize(int fd) { return ::_filelengthi64(fd); }

bool FlushToDisk(int fd) { return ::_commit(fd) == 0; }

std::string CurrentDirectory() {
  return GrowingBuffer([](char* buffer, DWORD size) { return ::GetCurrentDirectoryA(size, buffer); });
}

bool ChangeDirectory(const std::string& path) { return ::SetCurrentDirectoryA(path.c_str()) != 0; }

std::string FullPathName(std::string_view path) {
  const std::string input(path.empty() ? std::string_view(".") : path);
  return GrowingBuffer(
      [&input](char* buffer, DWORD size) { return ::GetFullPathNameA(input.c_str(), size, buffer, nullptr); });
}

std::string RunningExecutable() {
  // GetModuleFileNameA returns the buffer's size, not the size it needs, when cut.
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return buffer.substr(0, length);
    buffer.resize(buffer.size() * 2);
  }
}

bool IsFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Links are rare on Windows: a file is replaced where its name is.
std::string FollowLinks(const std::string& path) { return path; }

bool IsWriteProtected(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::string CreateFileBeside(const std::string& target) {
  const std::string folder = ExtractFilePath(target);
  char name[MAX_PATH + 1] = {};
  // Creates the file under a name no other file has.
  if (::GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "tap", 0, name) == 0) {
    errno = EACCES;
    return std::string();
  }
  return name;
}

bool RenameOver(const std::string& temporary, const std::string& target) {
  return ::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// MOVEFILE_WRITE_THROUGH has made the rename durable already.
void FlushFolder(const std::string&) {}

void RemoveFile(const std::string& path) { ::DeleteFileA(path.c_str()); }

}  // namespace tapestro::fs
