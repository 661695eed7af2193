#pragma once
// A flag set for the length of a scope, also when the scope ends by an error: the
// guards against re-entrant palette requests and paints, and the running rotation step.

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
