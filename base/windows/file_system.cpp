#include "base/file_system.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <vector>

namespace tapestro::fs {

namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;
constexpr char kNotRegularFileText[] = "Not a regular file";

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

// A file the descriptor reaches that is not on a disk: a pipe, a console, a device.
bool OnDisk(int fd) { return ::GetFileType(reinterpret_cast<HANDLE>(::_get_osfhandle(fd))) == FILE_TYPE_DISK; }

// Creates path + six random characters exclusively; -1 on failure.
int CreateNamed(std::string& path, const std::string& prefix) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (size_t i = 0; i < kTemporarySuffixLength; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    int fd = -1;
    const int error = ::_sopen_s(&fd, name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                 _SH_DENYWR, _S_IREAD | _S_IWRITE);
    if (error == 0) {
      path = name;
      return fd;
    }
    if (error != EEXIST) return -1;
  }
  return -1;
}

}  // namespace

std::string ErrorText(int code) { return code == kNotRegularFile ? kNotRegularFileText : std::strerror(code); }

// Other writers are refused while we read, as the program always did on Windows.
int OpenForReading(const std::string& path) {
  if (IsDirectory(path)) {
    errno = EISDIR;
    return -1;
  }
  int fd = -1;
  if (::_sopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYWR, 0) != 0) return -1;
  if (!OnDisk(fd)) {
    ::_close(fd);
    errno = kNotRegularFile;
    return -1;
  }
  return fd;
}

int CreateForWriting(const std::string& path) {
  if (!IsRegularOrAbsent(path)) return -1;
  int fd = -1;
  if (::_sopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _SH_DENYWR,
                 _S_IREAD | _S_IWRITE) != 0)
    return -1;
  return fd;
}

void CloseFile(int fd) { ::_close(fd); }

int DuplicateFile(int fd) { return ::_dup(fd); }

int64_t ReadAt(int fd, void* buffer, size_t count, int64_t position) {
  if (::_lseeki64(fd, position, SEEK_SET) < 0) return -1;
  return ::_read(fd, buffer, ChunkOf(count));
}

int64_t WriteAt(int fd, const void* buffer, size_t count, int64_t position) {
  if (::_lseeki64(fd, position, SEEK_SET) < 0) return -1;
  return ::_write(fd, buffer, ChunkOf(count));
}

int64_t CopyBetween(int source, int64_t from, int target, int64_t to, int64_t count) {
  return CopyThroughBuffer(source, from, target, to, count);
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

// Devices (NUL, CON, COM1) have no attributes of a file; a folder is the one kind of
// thing besides files that has them.
bool IsRegularOrAbsent(const std::string& path) {
  if (IsDirectory(path)) {
    errno = EISDIR;
    return false;
  }
  HANDLE handle = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return true;
  const bool disk = ::GetFileType(handle) == FILE_TYPE_DISK;
  ::CloseHandle(handle);
  if (!disk) errno = kNotRegularFile;
  return disk;
}

// Links are rare on Windows: a file is replaced where its name is.
std::string FollowLinks(const std::string& path) { return path; }

bool IsWriteProtected(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Windows has no nameless files: the temporary is named from the start.
TTemporaryFile CreateTemporaryBeside(const std::string&, const std::string& namePrefix) {
  TTemporaryFile temporary;
  temporary.Fd = CreateNamed(temporary.Path, namePrefix);
  return temporary;
}

bool PublishTemporary(TTemporaryFile& temporary, const std::string& target, const std::string&) {
  ::_close(temporary.Fd);
  temporary.Fd = -1;
  if (::MoveFileExA(temporary.Path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
    return true;
  errno = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
  return false;
}

// MOVEFILE_WRITE_THROUGH has made the rename durable already.
void FlushFolder(const std::string&) {}

void RemoveFile(const std::string& path) { ::DeleteFileA(path.c_str()); }

std::vector<std::string> OwnFilesStartingWith(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const std::string pattern = (folder.empty() ? std::string(".\\") : folder) + prefix + "*";
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    // The pattern also matches short 8.3 names; the long name must start with prefix.
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        std::strncmp(found.cFileName, prefix.c_str(), prefix.size()) == 0)
      names.emplace_back(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

int64_t CurrentProcessId() { return ::GetCurrentProcessId(); }

bool ProcessRunning(int64_t pid) {
  if (pid <= 0 || pid > UINT32_MAX) return false;
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

}  // namespace tapestro::fs
