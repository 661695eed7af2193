#pragma once
// An arrow pair (up above down) beside an edit. The arrow keys press it while it has
// the focus.
#include <QWidget>
#include <functional>

class QToolButton;

namespace tapestro {

enum class TUDBtnType { btNext, btPrev };  // up, down

// The arrow pair's own position. It is not bound to any edit: it only decides whether
// a press moved it, and the owner is told of a press only then.
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

class TUpDown final : public QWidget {
  Q_OBJECT

 public:
  explicit TUpDown(QWidget* parent = nullptr);

  int Position() const { return position_.Position(); }
  // One press of an arrow, as the user's click.
  void Press(TUDBtnType button);

  // Runs when a press moved the position.
  std::function<void(TUDBtnType)> OnClick;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TUpDownPosition position_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace tapestro
