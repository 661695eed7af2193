#pragma once
// The subcommands of tapestro-tool. Each lives in its own file, takes the words after
// its name, prints its result on standard output and returns the process exit code;
// failures print the program's own error text on standard error and return non-zero.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop_factory.h"

namespace tapestro::tool {

using Arguments = std::vector<std::string>;

struct Command {
  const char* Name;
  const char* Usage;
  int (*Run)(const Arguments& args);
};

// The table of every subcommand, in the order the usage text lists them.
const std::vector<Command>& Commands();

// For the commands that set the wallpaper (apply, restore): the session's back end or
// the one --backend names (EConvertError for a name this system has no back end of),
// and work run with the application object the D-Bus back ends need, its errors
// printed on standard error with exit status 1.
std::unique_ptr<desktop::TDesktopBackend> ChooseDesktopBackend(const std::optional<std::string>& forced,
                                                               const desktop::TDesktopSetup& setup);
int RunWithDesktop(const std::function<int()>& work);

}  // namespace tapestro::tool
