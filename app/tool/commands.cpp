#include "app/tool/command.h"

namespace tapestro::tool {

int RunInfo(const Arguments& args);
int RunConvert(const Arguments& args);

// One line per subcommand; each is defined in its own file.
const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      {"info", "FILE", RunInfo},
      {"convert", "IN OUT.bmp", RunConvert},
  };
  return commands;
}

}  // namespace tapestro::tool
