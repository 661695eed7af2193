#include "controls/file_list_delegate.h"

#include <QIcon>
#include <QPainter>

namespace tapestro {

namespace {
constexpr int kGlyphIndent = 24;   // room left of the name for the icon
constexpr int kGlyphLeft = -20;    // icon position, relative to the name's rectangle
constexpr int kTextLeft = 2;
constexpr int kSmallIconSize = 16;
}  // namespace

void TFileListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  const QPalette& palette = option.palette;
  painter->save();
  painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());

  QRect rect = option.rect;
  if (showGlyphs_) rect.setLeft(rect.left() + kGlyphIndent);
  const int offset = (rect.height() - option.fontMetrics.height()) / 2;

  painter->setFont(option.font);
  painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
  painter->setClipRect(rect);
  painter->drawText(QPoint(rect.left() + kTextLeft, rect.top() + offset + option.fontMetrics.ascent()),
                    index.data(Qt::DisplayRole).toString());
  painter->setClipping(false);

  if (showGlyphs_) {
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    const QPixmap glyph = icon.pixmap(kSmallIconSize, selected ? QIcon::Selected : QIcon::Normal);
    painter->drawPixmap(rect.left() + kGlyphLeft, rect.top() + offset - 1, glyph);
  }
  if (option.state.testFlag(QStyle::State_HasFocus)) {
    painter->setPen(QPen(palette.text().color(), 1, Qt::DotLine));
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
  }
  painter->restore();
}

QSize TFileListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return QSize(option.rect.width(), rowHeight_);
}

}  // namespace tapestro
