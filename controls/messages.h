#pragma once
// The fixed texts of the shell controls' errors.

namespace tapestro::msg {

inline constexpr char kDirectoryNotExist[] = "The %s directory does not exist";

}  // namespace tapestro::msg
