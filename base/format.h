#pragma once
// printf-style filling of the program's fixed message texts. Only %s and %d occur in
// them; each takes the next argument whatever its type, so a text can never read
// past its arguments.
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tapestro {

namespace detail {
std::string FormatWith(std::string_view pattern, const std::vector<std::string>& args);

inline std::string ToText(std::string_view s) { return std::string(s); }
inline std::string ToText(const char* s) { return s ? std::string(s) : std::string(); }
inline std::string ToText(const std::string& s) { return s; }
template <typename T>
  requires std::is_arithmetic_v<T>
std::string ToText(T v) {
  return std::to_string(v);
}
}  // namespace detail

template <typename... Args>
std::string Format(std::string_view pattern, const Args&... args) {
  return detail::FormatWith(pattern, {detail::ToText(args)...});
}

}  // namespace tapestro
