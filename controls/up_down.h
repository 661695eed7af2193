#pragma once
// An arrow pair (up above down) beside an edit. The arrow keys press it while it has
// the focus.
#include <QWidget>
#include <functional>

#include "controls/up_down_position.h"

class QToolButton;

namespace tapestro {

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
