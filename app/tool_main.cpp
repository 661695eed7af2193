// tapestro-tool: the command-line companion. It creates no GUI application for the
// commands that need none, because its start-up counts in every benchmark. Help and
// the version go to standard output with exit 0; a word it does not know is named on
// standard error with exit 2.
#include <cctype>
#include <cstdio>
#include <new>

#include "app/tool/command.h"
#include "base/errors.h"
#include "core/wallpaper_conversions.h"
#include "imaging/canvas.h"
#include "imaging/jpeg/jpeg_errors.h"

namespace tapestro::tool {

int ReportErrors(const std::function<int()>& work) {
  try {
    return work();
  } catch (const EJPEG& e) {
    // The code the program shows, with the library's words for it.
    if (e.LibraryText().empty())
      std::fprintf(stderr, "%s\n", e.what());
    else
      std::fprintf(stderr, "%s (%s)\n", e.what(), e.LibraryText().c_str());
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s\n", msg::kOutOfMemory);
  }
  return 1;
}

}  // namespace tapestro::tool

namespace {

using tapestro::EUsage;
using tapestro::TCommandLine;
using tapestro::TOption;
using tapestro::tool::Command;
using tapestro::tool::kUsageError;

constexpr char kProgram[] = "tapestro-tool";
const TOption kHelp{"help", 'h', nullptr, "print this help and exit"};
const TOption kVersion{"version", 0, nullptr, "print the version and exit"};

void PrintToolHelp(std::FILE* out, const std::vector<Command>& commands) {
  std::fprintf(out, "usage: %s COMMAND [WORDS...]\n       %s COMMAND --help\n       %s --help | --version\n\n",
               kProgram, kProgram, kProgram);
  std::fprintf(out, "Lists, inspects, converts and applies wallpaper pictures as Tapestro does.\n\ncommands:\n");
  for (const Command& command : commands) std::fprintf(out, "  %-10s%s\n", command.Name, command.Summary);
  std::fprintf(out, "\noptions:\n%s", tapestro::OptionsHelp({kHelp, kVersion}).c_str());
}

std::vector<TOption> OptionsOf(const Command& command) {
  std::vector<TOption> options = command.Options;
  options.push_back(kHelp);
  return options;
}

void PrintCommandUsage(std::FILE* out, const Command& command) {
  std::fprintf(out, "usage: %s %s %s\n", kProgram, command.Name, command.Usage.c_str());
}

int RunCommand(const Command& command, const std::vector<std::string>& words) {
  const std::vector<TOption> options = OptionsOf(command);
  TCommandLine line;
  try {
    line = tapestro::ParseCommandLine(options, words);
  } catch (const EUsage& refused) {
    std::fprintf(stderr, "%s %s: %s\n", kProgram, command.Name, refused.what());
    PrintCommandUsage(stderr, command);
    return kUsageError;
  }
  if (line.Has(kHelp.Long)) {
    PrintCommandUsage(stdout, command);
    // The summary as a sentence.
    std::printf("\n%c%s.\n\noptions:\n%s", std::toupper(static_cast<unsigned char>(command.Summary[0])),
                command.Summary + 1, tapestro::OptionsHelp(options).c_str());
    return 0;
  }
  const int status = command.Run(line);
  if (status == kUsageError) PrintCommandUsage(stderr, command);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<Command> commands{tapestro::tool::ListCommand(), tapestro::tool::InfoCommand(),
                                      tapestro::tool::ConvertCommand(), tapestro::tool::ApplyCommand(),
                                      tapestro::tool::RestoreCommand()};
  TCommandLine line;
  try {
    line = tapestro::ParseCommandLine({kHelp, kVersion}, std::vector<std::string>(argv + 1, argv + argc),
                                      tapestro::TOperandRule::StopFirst);
  } catch (const EUsage& refused) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", kProgram, refused.what(), kProgram);
    return kUsageError;
  }
  if (line.Has(kHelp.Long)) {
    PrintToolHelp(stdout, commands);
    return 0;
  }
  if (line.Has(kVersion.Long)) {
    std::printf("%s %s\n", kProgram, TAPESTRO_VERSION);
    return 0;
  }
  if (line.Operands.empty()) {
    PrintToolHelp(stderr, commands);
    return kUsageError;
  }
  // No display is opened: pictures are decoded for a true-colour screen.
  tapestro::RegisterPictureFormats(tapestro::DisplayBitsPerPixel());
  for (const Command& command : commands) {
    if (line.Operands[0] == command.Name)
      return RunCommand(command, std::vector<std::string>(line.Operands.begin() + 1, line.Operands.end()));
  }
  std::fprintf(stderr, "%s: unknown command '%s'\nTry '%s --help'.\n", kProgram, line.Operands[0].c_str(), kProgram);
  return kUsageError;
}
