#pragma once
// The arrow pair's own position. It is not bound to any edit: it only decides whether
// a press moved it, and the owner is told of a press only then. No toolkit here: the
// rotation's rules name the arrows without a widget.

namespace tapestro {

enum class TUDBtnType { btNext, btPrev };  // up, down

class TUpDownPosition {
 public:
  static constexpr int kMin = 0;
  static constexpr int kMax = 100;

  int Position() const { return position_; }
  // Moves one step without wrapping; false when the press cannot move it.
  bool Press(TUDBtnType button) {
    const int next = button == TUDBtnType::btNext ? position_ + 1 : position_ - 1;
    if (next < kMin || next > kMax) return false;
    position_ = next;
    return true;
  }

 private:
  int position_ = kMin;
};

}  // namespace tapestro
