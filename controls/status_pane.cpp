#include "controls/status_pane.h"

#include <QPalette>

namespace tapestro {

TStatusPane::TStatusPane(QWidget* parent, int width, Qt::Alignment alignment) : QLabel(parent) {
  setAlignment(alignment);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  if (width > 0) setFixedWidth(width);
}

QColor TStatusPane::FillColor() const { return palette().color(backgroundRole()); }

void TStatusPane::SetFillColor(const QColor& color) {
  QPalette fill = palette();
  fill.setColor(QPalette::Window, color);
  setPalette(fill);
  setBackgroundRole(QPalette::Window);
}

void TStatusPane::SetButtonFaceColor() {
  setPalette(QPalette());
  setBackgroundRole(QPalette::Button);
}

}  // namespace tapestro
