#include "platform/desktop/linux/command_backend.h"

#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/external_process.h"

namespace tapestro::desktop {

namespace {

// Fills %f, %m and %%; true when %f occurred.
bool Substitute(std::string& word, const std::string& file, const std::string& mode) {
  std::string out;
  bool hadFile = false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '%' || i + 1 == word.size()) {
      out += word[i];
      continue;
    }
    const char code = word[++i];
    if (code == 'f') {
      out += file;
      hadFile = true;
    } else if (code == 'm') {
      out += mode;
    } else if (code == '%') {
      out += '%';
    } else {
      out += '%';
      out += code;
    }
  }
  word = out;
  return hadFile;
}

}  // namespace

std::optional<std::vector<std::string>> CommandWords(const std::string& command) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (quote == '\'') {
      if (c == '\'')
        quote = 0;
      else
        word += c;
    } else if (quote == '"') {
      if (c == '"') {
        quote = 0;
      } else if (c == '\\' && i + 1 < command.size() && (command[i + 1] == '"' || command[i + 1] == '\\')) {
        word += command[++i];
      } else {
        word += c;
      }
    } else if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      inWord = true;
      if (c == '\'' || c == '"') {
        quote = c;
      } else if (c == '\\' && i + 1 < command.size()) {
        word += command[++i];
      } else {
        word += c;
      }
    }
  }
  if (quote != 0) return std::nullopt;
  if (inWord) words.push_back(word);
  return words;
}

std::vector<std::string> CommandArguments(const std::string& command, const TWallpaperRequest& request) {
  const std::optional<std::vector<std::string>> words = CommandWords(command);
  if (!words) ThrowReloadError(msg::kUnclosedQuote);
  if (words->empty()) ThrowReloadError(msg::kEmptyCommand);
  std::vector<std::string> arguments = *words;
  const std::string mode = LayoutWord(request);
  bool hadFile = false;
  for (size_t i = 1; i < arguments.size(); ++i) hadFile = Substitute(arguments[i], request.File, mode) || hadFile;
  if (!hadFile) arguments.push_back(request.File);
  return arguments;
}

void TCommandDesktopBackend::Apply(const TWallpaperRequest& request) {
  const std::vector<std::string> arguments = CommandArguments(command_, request);
  const TProcessOutcome outcome = RunProcess(arguments);
  if (!outcome.Succeeded()) ThrowReloadError(ProcessFailure(arguments.front(), outcome));
}

}  // namespace tapestro::desktop
