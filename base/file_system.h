#pragma once
// The operating system's file calls that base/ builds on: open files as C runtime
// descriptors, positioned reads and writes, copies between files, the current folder,
// the running program's path, and the steps of an atomic replace. Linux and Windows
// each implement them in their subfolder; failures leave errno set, and ErrorText
// gives the reason in the system's own words.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tapestro::fs {

// The errno value of a path that exists but is not a regular file: a FIFO, a device,
// a socket. A folder gives EISDIR instead.
inline constexpr int kNotRegularFile = 0x10000;
// The system's text for an errno value; ours for kNotRegularFile.
std::string ErrorText(int code);

// A readable descriptor of a regular file; other writers are kept out while it is open
// where the system enforces that (a share mode on Windows, an advisory lock on Linux).
// Anything else is refused without waiting on it (a FIFO would block, a device never
// ends): -1 with errno EISDIR or kNotRegularFile.
int OpenForReading(const std::string& path);
// Creates or truncates a regular file for writing; -1 on failure, also when path is a
// folder or another kind of file.
int CreateForWriting(const std::string& path);
void CloseFile(int fd);
// A second descriptor of the same open file, with its own lifetime; -1 on failure.
int DuplicateFile(int fd);
// Bytes read or written at position, 0 at the end, -1 on failure.
int64_t ReadAt(int fd, void* buffer, size_t count, int64_t position);
int64_t WriteAt(int fd, const void* buffer, size_t count, int64_t position);
// Copies count bytes from position from of source to position to of target, inside the
// system where it can. Bytes copied: fewer when source ends first, -1 on failure.
int64_t CopyBetween(int source, int64_t from, int target, int64_t to, int64_t count);

// The same copy through memory, a chunk at a time: where the system has no copy of its
// own, or a file system refuses it.
inline int64_t CopyThroughBuffer(int source, int64_t from, int target, int64_t to, int64_t count) {
  constexpr int64_t kChunk = int64_t{1} << 20;
  std::vector<char> chunk(static_cast<size_t>(std::min(count, kChunk)));
  int64_t done = 0;
  while (done < count) {
    const int64_t got = ReadAt(source, chunk.data(), static_cast<size_t>(std::min(count - done, kChunk)), from + done);
    if (got <= 0) return got < 0 ? -1 : done;
    for (int64_t put = 0; put < got;) {
      const int64_t n = WriteAt(target, chunk.data() + put, static_cast<size_t>(got - put), to + done + put);
      if (n <= 0) return -1;
      put += n;
    }
    done += got;
  }
  return done;
}
// -1 when the size cannot be read.
int64_t FileSize(int fd);
// Written bytes on the disk; false when that fails.
bool FlushToDisk(int fd);

std::string CurrentDirectory();
bool ChangeDirectory(const std::string& path);
// Absolute form of path against the current folder, "." and ".." folded, links kept.
std::string FullPathName(std::string_view path);
std::string RunningExecutable();
bool IsFile(const std::string& path);
bool IsDirectory(const std::string& path);
// False with errno EISDIR or kNotRegularFile when path names something other than a
// regular file; true for a regular file and for a name nothing has yet.
bool IsRegularOrAbsent(const std::string& path);

// The file a link at path points to, or path itself.
std::string FollowLinks(const std::string& path);
// An existing file the user may not write to (its permissions or read-only attribute).
bool IsWriteProtected(const std::string& path);

// A new file for the next content of target, open for writing. Where the system can,
// it has no name until PublishTemporary gives it one (Path empty); otherwise it is
// created beside target under namePrefix followed by kTemporarySuffixLength random
// letters and digits. Fd -1 on failure.
inline constexpr size_t kTemporarySuffixLength = 6;
struct TTemporaryFile {
  int Fd = -1;
  std::string Path;
};
TTemporaryFile CreateTemporaryBeside(const std::string& target, const std::string& namePrefix);
// Closes the temporary and puts it in target's place in one step, with target's
// permissions; a nameless one is first linked under namePrefix. False on failure; the
// temporary is then closed and, when named, still there.
bool PublishTemporary(TTemporaryFile& temporary, const std::string& target, const std::string& namePrefix);
// Makes a rename inside folder survive a crash where the system needs a step for it.
void FlushFolder(const std::string& folder);
void RemoveFile(const std::string& path);

// The names in folder that start with prefix and are regular files of the user running
// us (on Windows: regular files).
std::vector<std::string> OwnFilesStartingWith(const std::string& folder, const std::string& prefix);
int64_t CurrentProcessId();
// False when no process with that id runs now.
bool ProcessRunning(int64_t pid);

}  // namespace tapestro::fs
