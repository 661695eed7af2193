#include "controls/status_pane.h"

#include <gtest/gtest.h>

#include <QPalette>

namespace tapestro {
namespace {

TEST(StatusPaneTest, FillSwitchesBetweenAColourAndTheButtonFace) {
  TStatusPane pane(nullptr, 64, Qt::AlignCenter);
  EXPECT_EQ(pane.width(), 64);
  const QColor buttonFace = QPalette().color(QPalette::Button);
  EXPECT_EQ(pane.FillColor(), buttonFace);
  pane.SetCaption("Enabled");
  pane.SetFillColor(kLime);
  EXPECT_EQ(pane.FillColor(), QColor(0x00, 0xFF, 0x00));
  EXPECT_EQ(pane.Caption(), "Enabled");
  pane.SetButtonFaceColor();
  EXPECT_EQ(pane.FillColor(), buttonFace);
}

}  // namespace
}  // namespace tapestro
