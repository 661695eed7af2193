#include "base/atomic_file.h"

#include <cerrno>
#include <cstring>

#include "base/errors.h"
#include "base/file_system.h"
#include "base/path.h"
#include "base/text.h"

namespace tapestro {

// A symbolic link is replaced at the file it points to, so the link survives.
TAtomicFileWriter::TAtomicFileWriter(const std::string& target, Durability durability)
    : target_(fs::FollowLinks(target)), durability_(durability) {
  // A file the user made read-only stays as it is, as the system's own writer would.
  if (fs::IsWriteProtected(target_)) throw EFCreateError(Format(msg::kFCreateError, target, std::strerror(EACCES)));
  temporary_ = fs::CreateFileBeside(target_);
  if (temporary_.empty()) throw EFCreateError(Format(msg::kFCreateError, target, std::strerror(errno)));
  stream_ = std::make_unique<TFileStream>(temporary_, FileMode::Create);
}

TAtomicFileWriter::~TAtomicFileWriter() {
  stream_.reset();
  if (!committed_) fs::RemoveFile(temporary_);
}

void TAtomicFileWriter::Commit() {
  if (durability_ == Durability::Durable) stream_->Sync();
  stream_.reset();
  if (!fs::RenameOver(temporary_, target_)) throw EWriteError(msg::kStreamWriteError);
  committed_ = true;
  // Make the rename itself durable: a crash right after must not bring back the old name.
  if (durability_ == Durability::Durable) fs::FlushFolder(ExtractFilePath(target_));
}

void ReplaceFileContents(const std::string& target, const std::string& contents) {
  TAtomicFileWriter writer(target);
  writer.Stream().WriteBuffer(contents.data(), contents.size());
  writer.Commit();
}

}  // namespace tapestro
