#include "imaging/shared_image.h"

namespace tapestro {

std::mutex& ImageExchangeLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace tapestro
