#pragma once
// The subcommands of tapestro-tool. Each lives in its own file, takes the words after
// its name, prints its result on standard output and returns the process exit code;
// failures print the program's own error text on standard error and return non-zero.
#include <string>
#include <vector>

namespace tapestro::tool {

using Arguments = std::vector<std::string>;

struct Command {
  const char* Name;
  const char* Usage;
  int (*Run)(const Arguments& args);
};

// The table of every subcommand, in the order the usage text lists them.
const std::vector<Command>& Commands();

}  // namespace tapestro::tool
