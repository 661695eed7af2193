#include "gif/painter/services.h"

#include <mutex>

namespace tapestro {

namespace {

std::mutex& DefaultLock() {
  static std::mutex lock;
  return lock;
}

TPainterServices& DefaultServices() {
  static TPainterServices services;
  return services;
}

TPainterServices Exchange(const TPainterServices& services) {
  const std::lock_guard lock(DefaultLock());
  const TPainterServices previous = DefaultServices();
  DefaultServices() = services;
  return previous;
}

}  // namespace

TPainterServices DefaultPainterServices() {
  const std::lock_guard lock(DefaultLock());
  return DefaultServices();
}

TScopedPainterServices::TScopedPainterServices(const TPainterServices& services) : previous_(Exchange(services)) {}

TScopedPainterServices::~TScopedPainterServices() { Exchange(previous_); }

}  // namespace tapestro
