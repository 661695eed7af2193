#pragma once
// Replaces a file as a whole: the bytes go to a temporary file beside the target, are
// flushed to the disk and take the target's name in one step, so a reader (the
// desktop, a second instance) sees the old file or the new one, never a cut one.
// Dropped without Commit, the temporary is removed and the target is untouched.
//
// Where the file system allows, the temporary has no name until Commit, so a process
// killed part-way leaves nothing behind. Elsewhere it is named ".NAME.tapestro-PID-"
// and six random characters; a later write of the same target removes such files of
// processes that no longer run, and nothing else.
#include <memory>
#include <string>

#include "base/file_system.h"
#include "base/stream.h"

namespace tapestro {

class TAtomicFileWriter {
 public:
  // Durable writes also reach the disk before the rename (settings); others only need
  // readers never to see a cut file (the wallpaper pictures, rewritten at every change).
  enum class Durability { Durable, VisibleOnly };
  // EFCreateError "Cannot create file ..." (for target, with the system's reason) when
  // target is write-protected, is not a regular file, or no temporary can be made.
  explicit TAtomicFileWriter(const std::string& target, Durability durability = Durability::Durable);
  ~TAtomicFileWriter();
  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

  TStream& Stream() { return *stream_; }
  // Flush, keep the old file's permissions, rename. EWriteError "Cannot replace file
  // ..." on failure; then the target is untouched.
  void Commit();

 private:
  std::string target_;
  std::string prefix_;  // the temporary's name, up to its random characters
  fs::TTemporaryFile temporary_;
  std::unique_ptr<TFileStream> stream_;
  Durability durability_;
  bool committed_ = false;
};

// EFCreateError "Cannot create file ..." with the reason when target exists and is not a
// regular file (a folder, a device, a FIFO) or is write-protected: the writer's own
// refusal, for callers that check before they do the work whose result goes there.
void CheckReplaceable(const std::string& target);
// The start of the names our temporaries for target take: ".NAME.tapestro-PID-".
std::string TemporaryNamePrefix(const std::string& target, int64_t pid);
// Removes the temporaries of target that processes which no longer run left behind.
void RemoveStaleTemporaries(const std::string& target);

// Writes bytes as the whole new content of target, durably.
void ReplaceFileContents(const std::string& target, const std::string& contents);

}  // namespace tapestro
