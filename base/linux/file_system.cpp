#include "base/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "base/path.h"

namespace tapestro::fs {

namespace {

constexpr char kNotRegularFileText[] = "Not a regular file";

// errno for a file of mode that is not a regular one, 0 for a regular file.
int NotRegularError(mode_t mode) {
  if (S_ISREG(mode)) return 0;
  return S_ISDIR(mode) ? EISDIR : kNotRegularFile;
}

// A name no file has yet: prefix followed by six random characters, created empty.
int CreateNamed(std::string& path, const std::string& prefix) {
  static_assert(kTemporarySuffixLength == 6, "mkostemp fills six characters");
  std::string pattern = prefix + "XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd >= 0) path = pattern;
  return fd;
}

// Links a nameless file (O_TMPFILE) under prefix and six random characters.
bool LinkNameless(TTemporaryFile& temporary, const std::string& prefix) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  const std::string self = "/proc/self/fd/" + std::to_string(temporary.Fd);
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (size_t i = 0; i < kTemporarySuffixLength; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporary.Path = name;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

}  // namespace

std::string ErrorText(int code) { return code == kNotRegularFile ? kNotRegularFileText : std::strerror(code); }

int OpenForReading(const std::string& path) {
  // Looked at before opening: opening a FIFO waits for a writer, and opening a device
  // may do something.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  if (const int error = NotRegularError(st.st_mode)) {
    errno = error;
    return -1;
  }
  // Non-blocking, in case the name was switched to a FIFO meanwhile; checked again below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  const int error = ::fstat(fd, &st) != 0 ? errno : NotRegularError(st.st_mode);
  if (error != 0 || ::fcntl(fd, F_SETFL, 0) != 0) {
    ::close(fd);
    errno = error != 0 ? error : errno;
    return -1;
  }
  // Writers that honour locks wait until we are done; nothing more is possible here.
  (void)::flock(fd, LOCK_SH | LOCK_NB);
  return fd;
}

int CreateForWriting(const std::string& path) {
  if (!IsRegularOrAbsent(path)) return -1;
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0644);
}

void CloseFile(int fd) { ::close(fd); }

int DuplicateFile(int fd) { return ::fcntl(fd, F_DUPFD_CLOEXEC, 0); }

int64_t ReadAt(int fd, void* buffer, size_t count, int64_t position) {
  ssize_t got = 0;
  do {
    got = ::pread(fd, buffer, count, position);
  } while (got < 0 && errno == EINTR);
  return got;
}

int64_t WriteAt(int fd, const void* buffer, size_t count, int64_t position) {
  ssize_t put = 0;
  do {
    put = ::pwrite(fd, buffer, count, position);
  } while (put < 0 && errno == EINTR);
  return put;
}

int64_t CopyBetween(int source, int64_t from, int target, int64_t to, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    loff_t in = from + done, out = to + done;
    const ssize_t n = ::copy_file_range(source, &in, target, &out, static_cast<size_t>(count - done), 0);
    if (n == 0) return done;
    if (n > 0) {
      done += n;
      continue;
    }
    if (errno == EINTR) continue;
    // Across file systems on older kernels, and on file systems that cannot.
    if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
      const int64_t rest = CopyThroughBuffer(source, from + done, target, to + done, count - done);
      return rest < 0 ? -1 : done + rest;
    }
    return -1;
  }
  return done;
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

bool IsRegularOrAbsent(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return true;
  errno = NotRegularError(st.st_mode);
  return errno == 0;
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

TTemporaryFile CreateTemporaryBeside(const std::string& target, const std::string& namePrefix) {
  TTemporaryFile temporary;
  // Nameless until published: a crash part-way leaves nothing behind.
  // It is published through /proc.
  const std::string folder = ExtractFilePath(target);
  if (::access("/proc/self/fd", X_OK) == 0)
    temporary.Fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
  if (temporary.Fd >= 0) return temporary;
  // File systems without nameless files; a stale one of ours is removed at a later write.
  temporary.Fd = CreateNamed(temporary.Path, namePrefix);
  return temporary;
}

bool PublishTemporary(TTemporaryFile& temporary, const std::string& target, const std::string& namePrefix) {
  struct stat st {};
  const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  ::fchmod(temporary.Fd, mode);
  // A nameless file gets a name of its own first: linkat cannot replace target, rename can.
  const bool named = !temporary.Path.empty() || LinkNameless(temporary, namePrefix);
  const int error = errno;
  ::close(std::exchange(temporary.Fd, -1));
  if (!named) {
    errno = error;
    return false;
  }
  return ::rename(temporary.Path.c_str(), target.c_str()) == 0;
}

void FlushFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  (void)::fsync(dir);
  ::close(dir);
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

std::vector<std::string> OwnFilesStartingWith(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        st.st_uid == ::getuid())
      names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

int64_t CurrentProcessId() { return ::getpid(); }

bool ProcessRunning(int64_t pid) {
  if (pid <= 0 || pid > INT_MAX) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace tapestro::fs
