// tapestro-tool: the command-line companion. It creates no GUI application for the
// commands that need none, because its start-up counts in every benchmark.
#include <cstdio>
#include <cstring>
#include <new>

#include "app/tool/command.h"
#include "base/errors.h"
#include "core/wallpaper_conversions.h"
#include "imaging/canvas.h"

namespace tapestro::tool {

int ReportErrors(const std::function<int()>& work) {
  try {
    return work();
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s\n", msg::kOutOfMemory);
  }
  return 1;
}

}  // namespace tapestro::tool

namespace {

using tapestro::tool::Command;

int Usage(const std::vector<Command>& commands) {
  std::fprintf(stderr, "usage:\n");
  for (const Command& command : commands)
    std::fprintf(stderr, "  tapestro-tool %s %s\n", command.Name, command.Usage.c_str());
  return tapestro::tool::kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<Command> commands{tapestro::tool::ListCommand(), tapestro::tool::InfoCommand(),
                                      tapestro::tool::ConvertCommand(), tapestro::tool::ApplyCommand(),
                                      tapestro::tool::RestoreCommand()};
  if (argc < 2) return Usage(commands);
  // No display is opened: pictures are decoded for a true-colour screen.
  tapestro::RegisterPictureFormats(tapestro::DisplayBitsPerPixel());
  for (const Command& command : commands) {
    if (std::strcmp(argv[1], command.Name) != 0) continue;
    const int status = command.Run(tapestro::tool::Arguments(argv + 2, argv + argc));
    if (status == tapestro::tool::kUsageError)
      std::fprintf(stderr, "usage: tapestro-tool %s %s\n", command.Name, command.Usage.c_str());
    return status;
  }
  return Usage(commands);
}
