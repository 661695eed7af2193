#pragma once
// The image file list's reading of one folder, without widgets: the list box and
// `tapestro-tool list` share it. The result is the rotation order.
//  - the mask is split at every ";"; each part is used exactly as written (no blanks
//    trimmed) and an empty part matches nothing; matching is fnmatch without regard
//    to case ("*" any run of characters, "?" one character);
//  - an entry is listed once however many parts match it;
//  - entries are shown by kind as TFileTypes says (the default: regular files only,
//    no dot files; links are followed);
//  - folders come before files, each group in the locale's name order (name_order.h).
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "controls/file_type.h"

namespace tapestro {

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

// Folders first, then the locale's name order: a quicksort with the middle record as
// pivot over keys computed once per name.
void SortFileList(std::vector<TRzFileInfo>& entries);

// The same order for bare folder names (the folder tree's subfolders).
void SortNames(std::vector<std::string>& names);

}  // namespace tapestro
