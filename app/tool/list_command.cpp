// tapestro-tool list FOLDER [MASK]: the image file list of a folder in rotation order,
// one bare name a line.
#include <cstdio>

#include "app/tool/command.h"
#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"
#include "controls/file_listing.h"

namespace tapestro::tool {

namespace {

constexpr char kUsage[] = "FOLDER [MASK]";

int RunList(const Arguments& args) {
  if (args.empty() || args.size() > 2) {
    std::fprintf(stderr, "usage: tapestro-tool list %s\n", kUsage);
    return 2;
  }
  const std::string& folder = args[0];
  if (!DirectoryExists(folder)) {
    std::fprintf(stderr, "%s\n", Format(msg::kDirectoryDoesNotExist, folder).c_str());
    return 1;
  }
  const std::string mask = args.size() == 2 ? args[1] : kDefaultImageMask;
  std::string out;
  for (const TRzFileInfo& entry : ListFolder(folder, mask)) {
    out += entry.Name;
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

extern const Command kListCommand{"list", kUsage, RunList};

}  // namespace tapestro::tool
