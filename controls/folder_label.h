#pragma once
// The selected folder as the folder label shows it, shortened to fit its width.
#include <functional>
#include <string>

namespace tapestro {

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
