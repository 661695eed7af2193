#include "app/tool/command.h"

namespace tapestro::tool {

int RunList(const Arguments& args);

// One line per subcommand; each is defined in its own file.
const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      {"list", "FOLDER [MASK]", RunList},
  };
  return commands;
}

}  // namespace tapestro::tool
