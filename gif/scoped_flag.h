#pragma once
// A flag set for the length of a scope: the guards against re-entrant palette requests
// and paints.

namespace tapestro {

class TScopedFlag {
 public:
  explicit TScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~TScopedFlag() { flag_ = false; }
  TScopedFlag(const TScopedFlag&) = delete;
  TScopedFlag& operator=(const TScopedFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace tapestro
