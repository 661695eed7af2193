#include "base/format.h"

namespace tapestro::detail {

std::string FormatWith(std::string_view pattern, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(pattern.size() + 16);
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size()) {
      const char kind = pattern[i + 1];
      if (kind == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (kind == 's' || kind == 'd') {
        if (next < args.size()) out += args[next++];
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace tapestro::detail
