#include "base/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "base/path.h"

namespace tapestro::fs {

int OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return -1;
  }
  // Writers that honour locks wait until we are done; nothing more is possible here.
  (void)::flock(fd, LOCK_SH | LOCK_NB);
  return fd;
}

int CreateForWriting(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

void CloseFile(int fd) { ::close(fd); }

int64_t ReadAt(int fd, void* buffer, size_t count, int64_t position) { return ::pread(fd, buffer, count, position); }

int64_t WriteAt(int fd, const void* buffer, size_t count, int64_t position) {
  ssize_t put = 0;
  do {
    put = ::pwrite(fd, buffer, count, position);
  } while (put < 0 && errno == EINTR);
  return put;
}

int64_t FileSize(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}

bool FlushToDisk(int fd) { return ::fsync(fd) == 0; }

std::string CurrentDirectory() {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return std::string();
  return std::string(buffer.data());
}

bool ChangeDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0; }

std::string FullPathName(std::string_view path) {
  std::string input(path);
  if (input.empty() || input.front() != '/') input = IncludeTrailingPathDelimiter(CurrentDirectory()) + input;
  // Fold "." and ".." textually, as the system's full-path call does.
  std::vector<std::string> parts;
  size_t start = 1;
  while (start <= input.size()) {
    size_t end = input.find('/', start);
    if (end == std::string::npos) end = input.size();
    const std::string part = input.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  if (out.empty()) out.push_back('/');
  if (input.size() > 1 && input.back() == '/' && out != "/") out += '/';
  return out;
}

std::string RunningExecutable() {
  std::vector<char> buffer(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return std::string();
  return std::string(buffer.data(), static_cast<size_t>(n));
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FollowLinks(const std::string& path) {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::realpath(path.c_str(), buffer.data()) != nullptr) return std::string(buffer.data());
  return path;
}

bool IsWriteProtected(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 &&
         (::access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0);
}

std::string CreateFileBeside(const std::string& target) {
  std::string pattern = ExtractFilePath(target) + "." + ExtractFileName(target) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return std::string();
  ::close(fd);
  return name.data();
}

bool RenameOver(const std::string& temporary, const std::string& target) {
  struct stat st {};
  const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  ::chmod(temporary.c_str(), mode);
  return ::rename(temporary.c_str(), target.c_str()) == 0;
}

void FlushFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  (void)::fsync(dir);
  ::close(dir);
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace tapestro::fs
