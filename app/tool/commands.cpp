#include "app/tool/command.h"

namespace tapestro::tool {

// One line per subcommand; each is defined in its own file.
const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
  };
  return commands;
}

}  // namespace tapestro::tool
