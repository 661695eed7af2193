#include "base/atomic_file.h"

#include <cctype>
#include <cerrno>
#include <string_view>

#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"

namespace tapestro {

namespace {

constexpr char kTemporaryMark[] = ".tapestro-";

[[noreturn]] void RefuseTarget(const std::string& target, int error) {
  throw EFCreateError(Format(msg::kFCreateError, target, fs::ErrorText(error)));
}

// The process id in what follows the mark of one of our temporaries' names (digits, a
// dash, then kTemporarySuffixLength letters and digits); 0 for any other name.
int64_t WriterOf(std::string_view rest) {
  const size_t dash = rest.find('-');
  if (dash == 0 || dash > 18 || dash == std::string_view::npos) return 0;
  if (rest.size() != dash + 1 + fs::kTemporarySuffixLength) return 0;
  int64_t pid = 0;
  for (const char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  for (const char c : rest.substr(dash + 1))
    if (!std::isalnum(static_cast<unsigned char>(c))) return 0;
  return pid;
}

}  // namespace

void CheckReplaceable(const std::string& target) {
  const std::string resolved = fs::FollowLinks(target);
  // Renaming over a folder, a device or a FIFO would replace it with a plain file.
  if (!fs::IsRegularOrAbsent(resolved)) RefuseTarget(target, errno);
  // A file the user made read-only stays as it is, as the system's own writer would.
  if (fs::IsWriteProtected(resolved)) RefuseTarget(target, EACCES);
}

std::string TemporaryNamePrefix(const std::string& target, int64_t pid) {
  return ExtractFilePath(target) + "." + ExtractFileName(target) + kTemporaryMark + std::to_string(pid) + "-";
}

void RemoveStaleTemporaries(const std::string& target) {
  const std::string folder = ExtractFilePath(target);
  // Appended rather than "." + name: GCC 12 at -O3 warns falsely (-Wrestrict) on that
  // insert at the front (GCC bug 105329).
  std::string start = ".";
  start.append(ExtractFileName(target)).append(kTemporaryMark);
  for (const std::string& name : fs::OwnFilesStartingWith(folder, start)) {
    const int64_t writer = WriterOf(std::string_view(name).substr(start.size()));
    if (writer == 0 || writer == fs::CurrentProcessId() || fs::ProcessRunning(writer)) continue;
    fs::RemoveFile(folder + name);
  }
}

// A symbolic link is replaced at the file it points to, so the link survives.
TAtomicFileWriter::TAtomicFileWriter(const std::string& target, Durability durability)
    : target_(fs::FollowLinks(target)), durability_(durability) {
  CheckReplaceable(target);
  RemoveStaleTemporaries(target_);
  prefix_ = TemporaryNamePrefix(target_, fs::CurrentProcessId());
  temporary_ = fs::CreateTemporaryBeside(target_, prefix_);
  if (temporary_.Fd < 0) RefuseTarget(target, errno);
  stream_ = std::make_unique<TFileStream>(temporary_.Fd, target);
}

TAtomicFileWriter::~TAtomicFileWriter() {
  if (committed_) return;
  stream_.reset();
  if (!temporary_.Path.empty()) fs::RemoveFile(temporary_.Path);
}

void TAtomicFileWriter::Commit() {
  if (durability_ == Durability::Durable) stream_->Sync();
  stream_->Release();
  if (!fs::PublishTemporary(temporary_, target_, prefix_)) {
    const int error = errno;
    throw EWriteError(Format(msg::kFReplaceError, target_, fs::ErrorText(error)));
  }
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
