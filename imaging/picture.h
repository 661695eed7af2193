#pragma once
// TPicture: holds at most one graphic, loaded from a file by the class the format
// registry gives for the file's extension. A failed load keeps the graphic it had.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "imaging/graphic.h"

namespace tapestro {

class TPicture {
 public:
  TPicture() = default;
  ~TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Called after a successful load and whenever the held graphic changes.
  std::function<void(TPicture& sender)> OnChange;
  // The held graphic's progress notifications, passed on.
  TProgressEvent OnProgress;

  TGraphic* Graphic() const { return graphic_.get(); }
  int32_t Width() const { return graphic_ ? graphic_->Width() : 0; }
  int32_t Height() const { return graphic_ ? graphic_->Height() : 0; }

  // Creates a graphic of the class registered for the file's extension, lets it load
  // the file and, on success, replaces the held graphic with it. Raises EInvalidGraphic
  // "Unknown picture file extension (.%s)" (the extension as the name has it) when no
  // class is registered, and passes on the graphic's own error when loading fails.
  void LoadFromFile(const std::string& fileName);
  // Holds graphic (none: nothing) in place of the graphic held before, as a load does:
  // a picture kept in the program rather than in a file.
  void SetGraphic(std::unique_ptr<TGraphic> graphic);

 private:
  void Changed();
  void ForwardProgress(TGraphic& graphic);

  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace tapestro
