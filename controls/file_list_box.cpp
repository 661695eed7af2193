#include "controls/file_list_box.h"

#include <QAbstractListModel>
#include <QEvent>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "base/path.h"
#include "base/text.h"
#include "controls/busy_cursor.h"

namespace tapestro {

namespace {

constexpr int kMinGlyphRowHeight = 18;
constexpr int kGlyphIndent = 24;  // room left of the name for the icon
constexpr int kGlyphLeft = -20;   // icon position, relative to the name's rectangle
constexpr int kTextLeft = 2;
constexpr int kSmallIconSize = 16;

// File system names are bytes; the screen shows them in the locale's encoding.
QString DisplayName(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

// The small icon of an entry of the process's current directory. One per lower-case
// extension, kept for the whole run: a folder of thousands of pictures asks the icon
// provider a handful of times.
QIcon FileIcon(const TRzFileInfo& entry) {
  static QFileIconProvider provider;
  static QHash<QString, QIcon> byExtension;
  if (entry.IsDirectory) {
    static const QIcon folder = provider.icon(QAbstractFileIconProvider::Folder);
    return folder;
  }
  const QString extension = DisplayName(LowerCase(ExtractFileExt(entry.Name)));
  auto found = byExtension.constFind(extension);
  if (found != byExtension.constEnd()) return *found;
  QIcon icon = provider.icon(QFileInfo(DisplayName(entry.Name)));
  if (icon.isNull()) icon = provider.icon(QAbstractFileIconProvider::File);
  byExtension.insert(extension, icon);
  return icon;
}

}  // namespace

// The rows of the list for its view; the items stay the one copy of the listed names.
class TFileListModel final : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  const TFileListItems& Items() const { return items_; }

  void Assign(std::vector<TRzFileInfo> entries) {
    beginResetModel();
    items_.Assign(std::move(entries));
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : items_.Count();
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= items_.Count()) return {};
    const TRzFileInfo& entry = items_.Info(index.row());
    switch (role) {
      case Qt::DisplayRole: return DisplayName(entry.Name);
      case Qt::DecorationRole:
        // Asked only for rows on screen, so the icons cost nothing for a long list.
        return FileIcon(entry);
      default: return {};
    }
  }

 private:
  TFileListItems items_;
};

// Draws one row: the small icon, then the name, on rows of a fixed height.
class TFileListDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void SetRowHeight(int height) { rowHeight_ = height; }
  void SetShowGlyphs(bool show) { showGlyphs_ = show; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
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

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(option.rect.width(), rowHeight_);
  }

 private:
  int rowHeight_ = kMinGlyphRowHeight;
  bool showGlyphs_ = true;
};

TRzFileListBox::TRzFileListBox(QWidget* parent, std::string mask)
    : QListView(parent),
      mask_(std::move(mask)),
      currentFolder_(GetCurrentDir()),
      model_(new TFileListModel(this)),
      delegate_(new TFileListDelegate(this)) {
  setModel(model_);
  setItemDelegate(delegate_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, &TRzFileListBox::ShowPopupMenu);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TRzFileListBox::SelectionChanged);
  UpdateItemHeight();
  RefreshFiles();
}

void TRzFileListBox::SetMask(const std::string& mask) {
  if (mask == mask_) return;
  mask_ = mask;
  RefreshFiles();
}

void TRzFileListBox::SetFileType(TFileTypes fileType) {
  if (fileType == fileType_) return;
  fileType_ = fileType;
  RefreshFiles();
}

void TRzFileListBox::SetCurrentFolder(const std::string& folder) {
  if (SameFolder(currentFolder_, folder)) return;
  // The outcome is not checked: a refused change re-reads the folder we are still in.
  SetCurrentDir(folder);
  currentFolder_ = GetCurrentDir();
  RefreshFiles();
}

void TRzFileListBox::SetShowGlyphs(bool show) {
  if (show == showGlyphs_) return;
  showGlyphs_ = show;
  delegate_->SetShowGlyphs(show);
  UpdateItemHeight();
  if (show) RefreshFiles();
  viewport()->update();
}

const TFileListItems& TRzFileListBox::Items() const { return model_->Items(); }

int TRzFileListBox::ItemIndex() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.front().row();
}

void TRzFileListBox::SetItemIndex(int index) {
  selectingInCode_ = true;
  if (index >= 0 && index < Items().Count()) {
    const QModelIndex row = model_->index(index);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
  } else {
    selectionModel()->clearSelection();
  }
  selectingInCode_ = false;
}

std::string TRzFileListBox::SelectedPath() const {
  const int index = ItemIndex();
  if (index < 0) return std::string();
  return IncludeTrailingPathDelimiter(currentFolder_) + Items()[index];
}

void TRzFileListBox::RefreshFiles() {
  SetCurrentDir(currentFolder_);
  TBusyCursor busy(TBusyCursor::kWhenShown);
  TListingOptions options;
  options.FileTypes = fileType_;
  options.OnManyEntries = [&busy] { busy.Show(); };
  model_->Assign(ListFolder(currentFolder_, mask_, options));
  RecordIndex();
}

void TRzFileListBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) UpdateItemHeight();
  QListView::changeEvent(event);
}

void TRzFileListBox::UpdateItemHeight() {
  itemHeight_ = fontMetrics().height() - 1;
  if (showGlyphs_) itemHeight_ = std::max(itemHeight_, kMinGlyphRowHeight);
  delegate_->SetRowHeight(itemHeight_);
  // Uniform rows are measured once; make the view measure again.
  scheduleDelayedItemsLayout();
}

void TRzFileListBox::SelectionChanged() {
  if (selectingInCode_) return;
  if (OnClick) OnClick();
  RecordIndex();
}

void TRzFileListBox::RecordIndex() {
  const int index = ItemIndex();
  if (index == recordedIndex_) return;
  recordedIndex_ = index;
  if (OnChange) OnChange();
}

void TRzFileListBox::ShowPopupMenu(const QPoint& position) {
  if (popupMenu_) popupMenu_->popup(viewport()->mapToGlobal(position));
}

}  // namespace tapestro
