#pragma once
// The folder tree's work on folders and paths, without widgets: which subfolders a
// folder has and when it changed (the disk is read in controls/linux/), the way down
// from a top-level folder to a folder, and the selected folder shortened for its label.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tapestro {

// ---- Subfolders ----
// The tree lists folders and links to folders (whether the user may open them or not); names
// starting with "." are hidden unless asked for.

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

// ---- The way down ----
// Top-level folders may lie inside one another (the home folder inside the root), so
// a folder belongs to the deepest one that holds it.

// Index of the deepest top-level path (each ending in the delimiter) that holds
// folder (absolute, without trailing delimiter except the root); none when no
// top-level folder holds it.
std::optional<size_t> HoldingTopLevel(const std::vector<std::string>& topLevels, const std::string& folder);
// folder when it exists, else its deepest existing ancestor, looking no higher than
// top (the holding top-level path); empty when none of them exists.
std::string DeepestExistingFolder(const std::string& folder, const std::string& top);
// Whether folder, missing, went with its volume: it lies below one of mountPlaces
// (where volumes are mounted), and existing, its deepest existing ancestor, is no part
// of a volume mounted there (it is the place itself, lies above it, or is a plain
// folder of the place's own file system, such as /media/me). Its ancestors then do not
// stand in for it.
bool GoneWithItsVolume(const std::string& folder, const std::string& existing,
                       const std::vector<std::string>& mountPlaces);
// The folder names from top down to folder: "/home/me/" and "/home/me/a/b" give a, b.
std::vector<std::string> NamesBelow(const std::string& top, const std::string& folder);

// Where the tree goes for folder (absolute, without trailing delimiter): folder itself,
// or what is left of it, below the deepest top-level path holding it (TopLevel: none
// when no top level holds it; Folder is then folder itself). EInOutError "The PATH
// directory does not exist", with path as the caller named it, when nothing of it is
// left or it went with its volume.
struct TFolderToOpen {
  std::string Folder;
  std::optional<size_t> TopLevel;
};
TFolderToOpen FolderToOpen(const std::string& folder, const std::string& path,
                           const std::vector<std::string>& topLevels, const std::vector<std::string>& mountPlaces);

// ---- The label ----

using TTextWidth = std::function<int(const std::string&)>;

// The folder (no trailing delimiter) is read as its top-level folder, which plays the
// part of a drive, the folders between, and its own name. While the text is wider
// than width, the folders between give way one by one from the left to "...", then
// the top-level folder goes, then the "...": for the top level /home/me,
//   /home/me/Pictures/Summer/Beach -> /home/me/.../Summer/Beach -> /home/me/.../Beach
//   -> .../Beach -> Beach
// The name alone is kept even when it is still too wide. A top-level folder itself
// is shortened as a plain path.
std::string ShortenFolderPath(const std::string& folder, const std::string& topLevel, int width,
                              const TTextWidth& textWidth);

}  // namespace tapestro
