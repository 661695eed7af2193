#pragma once
// The items of the image file list: bare file names in list order, read by index.
#include <string>
#include <vector>

#include "base/errors.h"
#include "controls/file_listing.h"

namespace tapestro {

class TFileListItems {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  // EListError "List index out of bounds (%d)" outside 0 .. Count() - 1.
  const std::string& operator[](int index) const {
    if (index < 0 || index >= Count()) ThrowListIndexError(index);
    return entries_[static_cast<size_t>(index)].Name;
  }
  const TRzFileInfo& Info(int index) const { return entries_.at(static_cast<size_t>(index)); }

  void Assign(std::vector<TRzFileInfo> entries) { entries_ = std::move(entries); }

 private:
  std::vector<TRzFileInfo> entries_;
};

}  // namespace tapestro
