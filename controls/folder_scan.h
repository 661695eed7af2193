#pragma once
// Which subfolders of a folder the folder tree lists: folders, and links to folders,
// that the user may enter; names starting with "." are hidden unless asked for.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tapestro {

// A folder holding more subfolders than this lists only this many, so that a hostile
// or broken file system cannot make the tree take unbounded memory.
inline constexpr size_t kMaxListedSubfolders = 100000;

// The names as stored on disk, in the order the file system gives them; empty when
// the folder cannot be read.
std::vector<std::string> ListSubfolders(const std::string& folder, bool showHidden);
// For each of the names, subfolders of folder, whether ListSubfolders would list
// anything in it; each look stops at the first such subfolder.
std::vector<bool> WhichHaveSubfolders(const std::string& folder, const std::vector<std::string>& names,
                                      bool showHidden);

// A folder's modification time in nanoseconds, which moves whenever an entry is added,
// removed or renamed: a node compares it to tell whether its subfolders need reading
// again. None when the folder cannot be read, or when it changed so recently that a
// further change could keep the same time (file systems keep coarse times: FAT two
// seconds), so that the next look reads the folder rather than trust it.
std::optional<int64_t> SettledFolderStamp(const std::string& folder);
// The same time read without the settling rule, to compare with a stored stamp.
std::optional<int64_t> FolderStamp(const std::string& folder);

}  // namespace tapestro
