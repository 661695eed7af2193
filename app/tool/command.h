#pragma once
// The subcommands of tapestro-tool. Each takes its parsed words, prints its result on
// standard output and returns the process exit code: 0 when it is done, 1 after the
// program's own error text on standard error, kUsageError for words it does not take,
// upon which the entry prints the command's usage.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/desktop/desktop_factory.h"

namespace tapestro::tool {

inline constexpr int kUsageError = 2;

struct Command {
  const char* Name;
  std::string Usage;             // the words after the name
  const char* Summary;           // what it does, one line
  std::vector<TOption> Options;  // besides --help
  int (*Run)(const TCommandLine& line);
};

// The --backend option of the commands that reach the desktop.
inline const TOption kBackendOption{"backend", 0, "NAME", "use this desktop back end instead of the session's"};

// list, info and convert read files only and open no display (file_commands.cpp).
Command ListCommand();
Command InfoCommand();
Command ConvertCommand();
// apply and restore reach the desktop (apply_command.cpp, restore_command.cpp).
Command ApplyCommand();
Command RestoreCommand();

// Runs a command's work and returns its exit code; an error of the program instead
// prints its text on standard error and returns 1.
int ReportErrors(const std::function<int()>& work);

// For the commands that reach the desktop: the session's back end or the one --backend
// names (EConvertError for a name this system has no back end of), and their work run
// with the application object the D-Bus back ends need, through ReportErrors.
std::unique_ptr<desktop::TDesktopBackend> ChooseDesktopBackend(const std::optional<std::string>& forced,
                                                               const desktop::TDesktopSetup& setup);
int RunWithDesktop(const std::function<int()>& work);

}  // namespace tapestro::tool
