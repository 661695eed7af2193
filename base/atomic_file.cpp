#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"

namespace tapestro {

namespace {
// A symbolic link is replaced at the file it points to, so the link survives.
std::string ResolveTarget(const std::string& target) {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::realpath(target.c_str(), buffer.data()) != nullptr) return std::string(buffer.data());
  return target;
}
}  // namespace

TAtomicFileWriter::TAtomicFileWriter(const std::string& target, Durability durability)
    : target_(ResolveTarget(target)), durability_(durability) {
  // A file the user made read-only stays as it is, as the system's own writer would.
  struct stat st {};
  if (::stat(target_.c_str(), &st) == 0 &&
      (::access(target_.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
    throw EFCreateError(Format(msg::kFCreateError, target, std::strerror(EACCES)));
  }
  std::string pattern = ExtractFilePath(target_) + "." + ExtractFileName(target_) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) throw EFCreateError(Format(msg::kFCreateError, target, std::strerror(errno)));
  ::close(fd);
  temporary_ = name.data();
  stream_ = std::make_unique<TFileStream>(temporary_, FileMode::Create);
}

TAtomicFileWriter::~TAtomicFileWriter() {
  stream_.reset();
  if (!committed_) ::unlink(temporary_.c_str());
}

void TAtomicFileWriter::Commit() {
  if (durability_ == Durability::Durable) stream_->Sync();
  struct stat st {};
  const mode_t mode = ::stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  ::chmod(temporary_.c_str(), mode);
  stream_.reset();
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) throw EWriteError(msg::kStreamWriteError);
  committed_ = true;
  if (durability_ != Durability::Durable) return;
  // Make the rename itself durable: a crash right after must not bring back the old name.
  const int dir = ::open(ExtractFilePath(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
}

void ReplaceFileContents(const std::string& target, const std::string& contents) {
  TAtomicFileWriter writer(target);
  writer.Stream().WriteBuffer(contents.data(), contents.size());
  writer.Commit();
}

}  // namespace tapestro
