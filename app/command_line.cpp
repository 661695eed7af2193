#include "app/command_line.h"

#include <algorithm>
#include <cctype>

namespace tapestro {

namespace {

constexpr size_t kHelpColumn = 26;

const TOption* FindLong(const std::vector<TOption>& options, const std::string& name) {
  const auto found = std::find_if(options.begin(), options.end(), [&](const TOption& o) { return name == o.Long; });
  return found == options.end() ? nullptr : &*found;
}

const TOption* FindShort(const std::vector<TOption>& options, char letter) {
  const auto found = std::find_if(options.begin(), options.end(), [&](const TOption& o) { return o.Short == letter; });
  return found == options.end() ? nullptr : &*found;
}

// The option a word names ("--name", "--name=value" or "-x"), with the value it
// carries; EUsage for a word that names no option.
const TOption& OptionOf(const std::vector<TOption>& options, const std::string& word,
                        std::optional<std::string>& inlineValue) {
  const TOption* option = nullptr;
  if (word.rfind("--", 0) == 0) {
    const size_t equals = word.find('=');
    option = FindLong(options, word.substr(2, equals == std::string::npos ? std::string::npos : equals - 2));
    if (equals != std::string::npos) inlineValue = word.substr(equals + 1);
  } else if (word.size() == 2) {
    option = FindShort(options, word[1]);
  }
  if (option == nullptr) throw EUsage("unknown option '" + word + "'");
  return *option;
}

}  // namespace

std::optional<std::string> TCommandLine::Value(const std::string& option) const {
  const auto found = Options.find(option);
  if (found == Options.end()) return std::nullopt;
  return found->second;
}

TCommandLine ParseCommandLine(const std::vector<TOption>& options, const std::vector<std::string>& words,
                              TOperandRule rule) {
  TCommandLine line;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    // A lone "-" (standard input or output by custom) and a negative number such as
    // the origin "-5,-3" are operands.
    const bool operand = word.size() < 2 || word[0] != '-' || std::isdigit(static_cast<unsigned char>(word[1]));
    if (word == "--" || operand) {
      const size_t first = word == "--" ? i + 1 : i;
      if (word == "--" || rule == TOperandRule::StopFirst) {
        line.Operands.insert(line.Operands.end(), words.begin() + static_cast<std::ptrdiff_t>(first), words.end());
        return line;
      }
      line.Operands.push_back(word);
      continue;
    }
    std::optional<std::string> value;
    const TOption& option = OptionOf(options, word, value);
    const std::string name = std::string("--") + option.Long;
    if (option.ValueName == nullptr && value) throw EUsage("option '" + name + "' takes no value");
    if (option.ValueName != nullptr && !value) {
      if (i + 1 == words.size()) throw EUsage("option '" + name + "' needs a value");
      value = words[++i];
    }
    line.Options[option.Long] = value.value_or("");
  }
  return line;
}

std::string OptionsHelp(const std::vector<TOption>& options) {
  std::string help;
  for (const TOption& option : options) {
    std::string left = option.Short != 0 ? std::string("  -") + option.Short + ", " : std::string(6, ' ');
    left += std::string("--") + option.Long;
    if (option.ValueName != nullptr) left += std::string(" ") + option.ValueName;
    left.resize(std::max(left.size() + 2, kHelpColumn), ' ');
    help += left + option.Help + "\n";
  }
  return help;
}

}  // namespace tapestro
