// tapestro-tool: the command-line companion. It creates no GUI application for the
// commands that need none, because its start-up counts in every benchmark.
#include <cstdio>
#include <cstring>

#include "app/tool/command.h"
#include "core/picture_formats.h"
#include "imaging/canvas.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage:\n");
  for (const auto& command : tapestro::tool::Commands())
    std::fprintf(stderr, "  tapestro-tool %s %s\n", command.Name, command.Usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  // No display is opened: pictures are decoded for a true-colour screen.
  tapestro::RegisterPictureFormats(tapestro::DisplayBitsPerPixel());
  for (const auto& command : tapestro::tool::Commands()) {
    if (std::strcmp(argv[1], command.Name) == 0)
      return command.Run(tapestro::tool::Arguments(argv + 2, argv + argc));
  }
  return Usage();
}
