// Every caption of the window is readable at the window's own font: no control covers
// another's text, no text is cut by its own box, and the status bar shows in full.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QStatusBar>
#include <QToolTip>
#include <utility>

#include "controls/status_pane.h"
#include "core/main_window.h"
#include "core/program_texts.h"
#include "tests/core/form_fixture.h"

namespace tapestro {
namespace {

QString CaptionText(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* box = qobject_cast<const QCheckBox*>(widget)) return box->text();
  return QString();
}
bool IsCaption(const QWidget* widget) { return !CaptionText(widget).isEmpty(); }

// The rows a widget's letters fill, relative to its top: its text line centred in its
// height, or standing on its bottom, as labels and check boxes draw it.
std::pair<int, int> InkRows(const QWidget* widget) {
  const QFontMetrics metrics = widget->fontMetrics();
  const QRect glyphs = metrics.tightBoundingRect(CaptionText(widget));
  const auto* label = qobject_cast<const QLabel*>(widget);
  const bool onBottom = label != nullptr && label->alignment().testFlag(Qt::AlignBottom);
  const int spare = widget->height() - metrics.height();
  const int baseline = (onBottom ? spare : spare / 2) + metrics.ascent();
  return {baseline + glyphs.top(), baseline + glyphs.bottom()};
}

// The room a control takes: a caption the width it asks for over the rows its letters
// fill (controls stand closer than their margins), any other its box.
QRect Room(const QWidget* widget) {
  if (!IsCaption(widget)) return widget->geometry();
  const auto [top, bottom] = InkRows(widget);
  return QRect(widget->x(), widget->y() + top, widget->sizeHint().width(), bottom - top + 1);
}

QString Describe(const QWidget* widget) {
  const QRect room = Room(widget);
  return QStringLiteral("%1 at %2,%3 %4x%5")
      .arg(widget->objectName())
      .arg(room.x())
      .arg(room.y())
      .arg(room.width())
      .arg(room.height());
}

// Checks each caption among parent's child controls against its box, its parent and
// every other control beside it.
void ExpectCaptionsClear(const QWidget* parent) {
  const QList<QWidget*> controls = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const QWidget* caption : controls) {
    if (!IsCaption(caption)) continue;
    EXPECT_GE(caption->width(), caption->sizeHint().width()) << caption->objectName().toStdString();
    EXPECT_TRUE(parent->rect().contains(Room(caption))) << Describe(caption).toStdString();
    for (const QWidget* other : controls) {
      if (other == caption || !other->isVisibleTo(parent->window())) continue;
      EXPECT_FALSE(Room(caption).intersects(Room(other)))
          << Describe(caption).toStdString() << " runs into " << Describe(other).toStdString();
    }
  }
}

class MainWindowLayoutTest : public test::FormFixture {
 protected:
  // Shown in its normal state, so that the status bar is laid out as the user sees it.
  TForm1& ShowForm() {
    TForm1& window = StartWith("");
    window.setWindowState(Qt::WindowNoState);
    window.show();
    QCoreApplication::processEvents();
    return window;
  }
};

TEST_F(MainWindowLayoutTest, SettingsPanelCaptionsAreClearOfOtherControls) {
  TForm1& window = ShowForm();
  ExpectCaptionsClear(window.pnlSettings);
  ExpectCaptionsClear(window.GroupBox1);
  // The check box on the placement list's row ends before it; the one above runs on
  // past its left edge, so the list stays below that one's letters.
  EXPECT_LT(Room(window.ckAutoSize).right(), window.cboAutoSize->x());
  EXPECT_GT(window.cboAutoSize->y(), Room(window.ckRandom).bottom());
}

TEST_F(MainWindowLayoutTest, LabelsAboveTheTreeKeepEveryLetterInTheirRows) {
  TForm1& window = ShowForm();
  // Capitals, brackets and descenders reach furthest up and down.
  window.lblDirectorySelected->setText(QStringLiteral("/home/jupyter/Pictures (July)"));
  for (const QLabel* label : {window.Label1, window.lblDirectorySelected}) {
    const auto [top, bottom] = InkRows(label);
    EXPECT_GE(top, 0) << label->objectName().toStdString();
    EXPECT_LT(bottom, label->height()) << label->objectName().toStdString();
  }
}

TEST_F(MainWindowLayoutTest, StatusBarShowsEveryPaneInFullBelowTheSettingsPanel) {
  TForm1& window = ShowForm();
  for (const QString& caption : {QString(text::kDisabled), QString(text::kEnabled)})
    EXPECT_LE(window.StatusPane2->fontMetrics().horizontalAdvance(caption), window.StatusPane2->contentsRect().width())
        << caption.toStdString();
  EXPECT_EQ(window.StatusPane3->Caption(), text::kNotice);
  EXPECT_LE(window.StatusPane3->fontMetrics().horizontalAdvance(text::kNotice),
            window.StatusPane3->contentsRect().width());
  window.StatusPane1->SetCaption(QStringLiteral("Beach (July) [qg].jpg"));
  for (const TStatusPane* pane : {window.StatusPane1, window.StatusPane2, window.StatusPane3}) {
    const auto [top, bottom] = InkRows(pane);
    EXPECT_GE(top, 0) << pane->objectName().toStdString();
    EXPECT_LT(bottom, pane->height()) << pane->objectName().toStdString();
    EXPECT_TRUE(window.StatusBar1->rect().contains(pane->geometry())) << pane->objectName().toStdString();
  }
  EXPECT_TRUE(window.rect().contains(window.StatusBar1->geometry()));
  // Nothing above it is squeezed into it.
  const QRect panel(window.pnlSettings->mapTo(&window, QPoint(0, 0)), window.pnlSettings->size());
  EXPECT_LE(panel.bottom(), window.StatusBar1->geometry().top());
  EXPECT_EQ(window.pnlSettings->height(), 151);
}

TEST_F(MainWindowLayoutTest, ALongNameIsCutInItsPaneAndNeverWidensTheWindow) {
  TForm1& window = ShowForm();
  const int width = window.width();
  const QString name = "Wallpaper updated at 12:34:56 (" + QString(205, 'w') + ".png)";
  window.StatusPane1->SetCaption(name);
  window.lblDirectorySelected->setText("/media/stick/" + QString(150, 'f'));
  QCoreApplication::processEvents();
  EXPECT_EQ(window.width(), width);
  // The pane shows what fits, cut with an ellipsis, and its tip the whole text.
  EXPECT_TRUE(window.StatusPane1->text().endsWith(QChar(0x2026)));
  QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), window.StatusPane1->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(window.StatusPane1, &tip);
  EXPECT_EQ(QToolTip::text(), name);
}

}  // namespace
}  // namespace tapestro
