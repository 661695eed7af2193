#include "app/tool/command.h"

namespace tapestro::tool {

// Each subcommand is defined in its own file.
extern const Command kListCommand;
extern const Command kInfoCommand;
extern const Command kConvertCommand;
extern const Command kApplyCommand;
extern const Command kRestoreCommand;

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      kListCommand, kInfoCommand, kConvertCommand, kApplyCommand, kRestoreCommand,
  };
  return commands;
}

}  // namespace tapestro::tool
