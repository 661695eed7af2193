#pragma once
// What a later start of the program asks of the copy that runs: the words on the
// command line ("--change-now") and between the copies. Free of Qt, so that the Windows
// build made without Qt shares them.
#include <optional>
#include <string_view>
#include <utility>

namespace tapestro {

enum class TInstanceCommand { Show, ChangeNow, Quit };

inline constexpr std::pair<TInstanceCommand, std::string_view> kInstanceCommandWords[] = {
    {TInstanceCommand::Show, "show"}, {TInstanceCommand::ChangeNow, "change-now"}, {TInstanceCommand::Quit, "quit"}};

inline std::string_view InstanceCommandWord(TInstanceCommand command) {
  for (const auto& [known, word] : kInstanceCommandWords)
    if (known == command) return word;
  return {};
}

inline std::optional<TInstanceCommand> InstanceCommandNamed(std::string_view word) {
  for (const auto& [command, known] : kInstanceCommandWords)
    if (known == word) return command;
  return std::nullopt;
}

}  // namespace tapestro
