#pragma once
// Draws one row of the image file list: the small icon, then the name, on rows of a
// fixed height.
#include <QStyledItemDelegate>

namespace tapestro {

class TFileListDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void SetRowHeight(int height) { rowHeight_ = height; }
  void SetShowGlyphs(bool show) { showGlyphs_ = show; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int rowHeight_ = 18;
  bool showGlyphs_ = true;
};

}  // namespace tapestro
