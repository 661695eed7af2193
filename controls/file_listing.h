#pragma once
// The image file list without widgets: which entries of a folder are listed, in which
// order (the rotation order), the items read by index, and whether a folder named is
// the one listed already. The list box and `tapestro-tool list` share it; the folder
// tree orders its subfolders and compares its folders the same way.
//  - the mask is split at every ";"; each part is used exactly as written (no blanks
//    trimmed) and an empty part matches nothing; matching is fnmatch without regard
//    to case ("*" any run of characters, "?" one character);
//  - an entry is listed once however many parts match it;
//  - entries are shown by kind as TFileTypes says (the default: regular files only,
//    no dot files; links are followed);
//  - folders come before files, each group in the locale's name order (CompareNames).
// The header names no toolkit type, so that a build without Qt can give its own
// reading and collation behind it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/errors.h"

namespace tapestro {

// Which kinds of folder entries are listed. On Linux an entry's kinds come from its
// name and type: a dot name is hidden, a folder is a directory, and anything that is
// neither a regular file nor a folder (device, socket, pipe, broken link) counts as a
// system entry, so the default [ftNormal] lists regular files only.
enum class TFileType : uint8_t { ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive, ftNormal };

// The attribute bits the members stand for; ftNormal stands for none.
inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrSystem = 0x04;
inline constexpr uint32_t kAttrVolumeID = 0x08;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;

class TFileTypes {
 public:
  constexpr TFileTypes() = default;
  constexpr TFileTypes(std::initializer_list<TFileType> members) {
    for (TFileType member : members) bits_ |= Bit(member);
  }
  constexpr bool Contains(TFileType member) const { return (bits_ & Bit(member)) != 0; }
  // The OR of the attribute bits of every member but ftNormal.
  constexpr uint32_t AttributeFilter() const { return bits_ & 0x3F; }
  constexpr bool operator==(const TFileTypes&) const = default;

 private:
  static constexpr uint32_t Bit(TFileType member) { return 1u << static_cast<unsigned>(member); }
  uint32_t bits_ = 0;
};

inline constexpr char kDefaultImageMask[] = "*.jpg;*.bmp;*.gif;*.png";

// One listed entry. Nothing in the program reads sizes, times or attributes of the
// listed files, so none are taken (that would cost one stat per file).
struct TRzFileInfo {
  std::string Name;  // as the file system stores it, without folder
  bool IsDirectory = false;
};

// Index of the entry whose arrival makes the list show the busy cursor: reading a
// folder of more than this many matches takes long enough to say so.
inline constexpr size_t kBusyCursorIndex = 100;

struct TListingOptions {
  TFileTypes FileTypes{TFileType::ftNormal};
  // Called once, when the entry at kBusyCursorIndex is accepted.
  std::function<void()> OnManyEntries;
};

// The matching entries of folder, ordered. A folder that cannot be read gives none.
std::vector<TRzFileInfo> ListFolder(const std::string& folder, const std::string& mask,
                                    const TListingOptions& options = {});

// The order of file and folder names: the user locale's linguistic order without
// regard to case (digits compared one by one, so "10" comes before "2"). Under the
// C/POSIX locale the root collation stands in, so that a.jpg still sorts before B.jpg.
// Negative, zero or positive. Names the collation finds equal (such as a.jpg and A.jpg,
// which a Linux folder can hold both) are told apart by their bytes, so the order is
// total and never depends on the order the names were found in.
int CompareNames(std::string_view a, std::string_view b);

// Folders first, then the locale's name order: a quicksort with the middle record as
// pivot over keys computed once per name.
void SortFileList(std::vector<TRzFileInfo>& entries);

// The same order for bare folder names (the folder tree's subfolders).
inline void SortNames(std::vector<std::string>& names) {
  std::vector<TRzFileInfo> entries;
  entries.reserve(names.size());
  for (std::string& name : names) entries.push_back(TRzFileInfo{std::move(name), true});
  SortFileList(entries);
  names.clear();
  for (TRzFileInfo& entry : entries) names.push_back(std::move(entry.Name));
}

// The items of the image file list: bare file names in list order, read by index.
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

// The one test of "is this the folder we are in already", shared by the image file list
// and the folder tree so that both treat a name in other letter case alike: true when
// requested names the folder current names. Names that differ only in letter case
// stand for one folder, as on Windows, unless requested leads to another existing
// folder (which a Linux file system allows): only then is it a different one.
bool SameFolder(const std::string& current, const std::string& requested);

}  // namespace tapestro
