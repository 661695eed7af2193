#include "base/errors.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "base/text.h"

namespace tapestro {

void ThrowListIndexError(long long index) { throw EListError(Format(msg::kListIndexError, index)); }

int StrToInt(const std::string& text) {
  // Leading blanks and a sign are accepted, as the standard integer conversion does;
  // anything after the digits, or a value outside 32 bits, is not a valid integer.
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(begin, &end, 10);
  if (end == begin || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX ||
      *begin == '\0') {
    throw EConvertError(Format(msg::kInvalidInteger, text));
  }
  return static_cast<int>(value);
}

}  // namespace tapestro
