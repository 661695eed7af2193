#pragma once
// Small text helpers shared by every module, and the printf-style filling of the
// program's fixed message texts.
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tapestro {

// ASCII-only case changes: bytes of multi-byte UTF-8 characters are left alone.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
std::string Trim(std::string_view text);
bool Contains(std::string_view text, std::string_view part);
// The parts between separators, empty ones included: "a;;b" gives a, "", b.
std::vector<std::string> SplitAt(std::string_view text, char separator);

namespace detail {
std::string FormatWith(std::string_view pattern, const std::vector<std::string>& args);

inline std::string ToText(std::string_view s) { return std::string(s); }
inline std::string ToText(const char* s) { return s ? std::string(s) : std::string(); }
inline std::string ToText(const std::string& s) { return s; }
template <typename T>
requires std::is_arithmetic_v<T> std::string ToText(T v) { return std::to_string(v); }
}  // namespace detail

// Fills a message text. Only %s and %d occur in them; each takes the next argument
// whatever its type, so a text can never read past its arguments.
template <typename... Args>
std::string Format(std::string_view pattern, const Args&... args) {
  return detail::FormatWith(pattern, {detail::ToText(args)...});
}

}  // namespace tapestro
