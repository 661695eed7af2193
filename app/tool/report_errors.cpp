#include "app/tool/report_errors.h"

#include <cstdio>
#include <new>

#include "base/errors.h"

namespace tapestro::tool {

int ReportErrors(const std::function<void()>& work) {
  try {
    work();
    return 0;
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s\n", msg::kOutOfMemory);
  }
  return 1;
}

}  // namespace tapestro::tool
