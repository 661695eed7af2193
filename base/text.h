#pragma once
// Small text helpers shared by every module.
#include <string>
#include <string_view>

namespace tapestro {

// ASCII-only case changes: bytes of multi-byte UTF-8 characters are left alone.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
std::string Trim(std::string_view text);
bool Contains(std::string_view text, std::string_view part);

}  // namespace tapestro
