#pragma once
// The way from a top-level folder of the folder tree down to a folder, in paths only.
// Top-level folders may lie inside one another (the home folder inside the root), so
// a folder belongs to the deepest one that holds it.
#include <optional>
#include <string>
#include <vector>

namespace tapestro {

// Index of the deepest top-level path (each ending in the delimiter) that holds
// folder (absolute, without trailing delimiter except the root); none when no
// top-level folder holds it.
std::optional<size_t> HoldingTopLevel(const std::vector<std::string>& topLevels, const std::string& folder);
// folder when it exists, else its deepest existing ancestor, looking no higher than
// top (the holding top-level path); empty when none of them exists.
std::string DeepestExistingFolder(const std::string& folder, const std::string& top);
// The folder names from top down to folder: "/home/me/" and "/home/me/a/b" give a, b.
std::vector<std::string> NamesBelow(const std::string& top, const std::string& folder);

}  // namespace tapestro
