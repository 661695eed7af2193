#pragma once
// Replaces a file as a whole: the bytes go to a hidden sibling, are flushed to the
// disk and renamed over the target, so a reader (the desktop, a second instance)
// sees the old file or the new one, never a cut one. Dropped without Commit, the
// sibling is removed and the target is untouched.
#include <memory>
#include <string>

#include "base/stream.h"

namespace tapestro {

class TAtomicFileWriter {
 public:
  // Durable writes also reach the disk before the rename (settings); others only need
  // readers never to see a cut file (the wallpaper pictures, rewritten at every change).
  enum class Durability { Durable, VisibleOnly };
  // EFCreateError "Cannot create file ..." (for target) when no sibling can be made.
  explicit TAtomicFileWriter(const std::string& target, Durability durability = Durability::Durable);
  ~TAtomicFileWriter();
  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

  TStream& Stream() { return *stream_; }
  // Flush, keep the old file's permissions, rename. EWriteError on failure; then the
  // target is untouched.
  void Commit();

 private:
  std::string target_;
  std::string temporary_;
  std::unique_ptr<TFileStream> stream_;
  Durability durability_;
  bool committed_ = false;
};

// Writes bytes as the whole new content of target, durably.
void ReplaceFileContents(const std::string& target, const std::string& contents);

}  // namespace tapestro
