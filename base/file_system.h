#pragma once
// The operating system's file calls that base/ builds on: open files as C runtime
// descriptors, positioned reads and writes, the current folder, the running program's
// path, and the steps of an atomic replace. Linux and Windows each implement them in
// their subfolder; failures leave errno set, so callers report them with strerror.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tapestro::fs {

// A readable descriptor; other writers are kept out while it is open where the system
// enforces that (a share mode on Windows, an advisory lock on Linux). -1 on failure,
// also for a folder (errno EISDIR or EACCES).
int OpenForReading(const std::string& path);
// Creates or truncates path for writing; -1 on failure.
int CreateForWriting(const std::string& path);
void CloseFile(int fd);
// Bytes read or written at position, 0 at the end, -1 on failure.
int64_t ReadAt(int fd, void* buffer, size_t count, int64_t position);
int64_t WriteAt(int fd, const void* buffer, size_t count, int64_t position);
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

// The file a link at path points to, or path itself.
std::string FollowLinks(const std::string& path);
// An existing file the user may not write to (its permissions or read-only attribute).
bool IsWriteProtected(const std::string& path);
// Creates an empty file with a fresh name beside target and returns its path; "" on
// failure.
std::string CreateFileBeside(const std::string& target);
// Renames temporary over target in one step, giving it target's permissions.
bool RenameOver(const std::string& temporary, const std::string& target);
// Makes a rename inside folder survive a crash where the system needs a step for it.
void FlushFolder(const std::string& folder);
void RemoveFile(const std::string& path);

}  // namespace tapestro::fs
