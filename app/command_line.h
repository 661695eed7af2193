#pragma once
// The command-line parser of both programs. Plain C++, because tapestro-tool also
// builds for Windows without Qt. It knows long options ("--name", "--name=VALUE",
// "--name VALUE"), one-letter ones ("-h") and "--", after which every word is an
// operand; words that are not options are operands, kept in order.
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tapestro {

struct TOption {
  const char* Long;                 // without the dashes
  char Short = 0;                   // 0 when the option has no one-letter form
  const char* ValueName = nullptr;  // set when the option takes a value: its name in the help
  const char* Help = "";
};

// A command line the parser refuses; the text names the word.
class EUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TCommandLine {
  std::vector<std::string> Operands;
  std::map<std::string, std::string> Options;  // long name -> value ("" for a flag)

  bool Has(const std::string& option) const { return Options.count(option) != 0; }
  std::optional<std::string> Value(const std::string& option) const;
};

enum class TOperandRule {
  Anywhere,   // options and operands mix: "apply a.jpg --backend x11 tile"
  StopFirst,  // the first operand and every word after it are left unparsed (a command)
};

// EUsage for an unknown option, a value missing or given to a flag.
TCommandLine ParseCommandLine(const std::vector<TOption>& options, const std::vector<std::string>& words,
                              TOperandRule rule = TOperandRule::Anywhere);

// One line per option, aligned: "  -h, --help              this help".
std::string OptionsHelp(const std::vector<TOption>& options);

}  // namespace tapestro
