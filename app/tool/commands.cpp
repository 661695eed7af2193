#include "app/tool/command.h"

namespace tapestro::tool {

extern const Command kApplyCommand;

// One line per subcommand; each is defined in its own file.
const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      kApplyCommand,
  };
  return commands;
}

}  // namespace tapestro::tool
