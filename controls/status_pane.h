#pragma once
// One pane of a status bar: a caption, a hint and a fill colour; and the panes' look
// lent to a control's border.
#include <QColor>
#include <QLabel>

class QFrame;

namespace tapestro {

// The fill of the rotation pane while it runs.
inline const QColor kLime{0x00, 0xFF, 0x00};

// A caption never sizes the pane, nor through it the window: a caption wider than the
// pane is cut with an ellipsis, and the pane's tip then shows it whole.
class TStatusPane final : public QLabel {
  Q_OBJECT

 public:
  // width 0: the pane takes the width the others leave.
  TStatusPane(QWidget* parent, int width, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

  // The whole caption, as set; text() is what fits.
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QColor FillColor() const;
  void SetFillColor(const QColor& color);
  // The system's button-face colour, the panes' normal fill.
  void SetButtonFaceColor();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowFitting();

  QString caption_;
};

// The look of a status-bar pane for a control's border: flat, and sunken while the
// mouse is over the control.
void SinkFrameWhileHovered(QFrame* frame);

}  // namespace tapestro
