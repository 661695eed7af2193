#include "controls/file_list_box.h"

#include <QAbstractListModel>
#include <QEvent>
#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMenu>
#include <QMimeDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "controls/busy_cursor.h"
#include "platform/system_services.h"

namespace tapestro {

namespace {

constexpr int kMinGlyphRowHeight = 18;
constexpr int kGlyphIndent = 24;  // room left of the name for the icon
constexpr int kGlyphLeft = -20;   // icon position, relative to the name's rectangle
constexpr int kTextLeft = 2;
constexpr int kTextRight = 4;  // room after the widest name, so its last letter shows whole
constexpr int kSmallIconSize = 16;
// Names measured exactly when the widest is looked for; the rest are estimated.
constexpr size_t kNamesMeasured = 8;

// File system names are bytes; the screen shows them by the system's decoding.
QString DisplayName(const std::string& name) { return QString::fromStdString(DisplayFileName(name)); }

// Only the size the list draws: the theme's icons hold renderings up to 256 pixels.
QIcon Small(const QIcon& icon) {
  const QPixmap pixmap = icon.pixmap(kSmallIconSize);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

// The small icon of an entry's type: the icon theme's icon of the MIME type its name
// says (image-jpeg), else of the type's kind (image-x-generic), else the desktop's
// plain file icon. Told by the name alone, so no file is opened; one per lower-case
// extension, kept for the whole run: a folder of thousands of pictures asks a handful
// of times.
QIcon FileIcon(const TRzFileInfo& entry) {
  static QHash<QString, QIcon> byExtension;
  if (entry.IsDirectory) {
    static const QIcon folder = Small(QFileIconProvider().icon(QAbstractFileIconProvider::Folder));
    return folder;
  }
  const QString extension = DisplayName(LowerCase(ExtractFileExt(entry.Name)));
  auto found = byExtension.constFind(extension);
  if (found != byExtension.constEnd()) return *found;
  const QMimeType type = QMimeDatabase().mimeTypeForFile(DisplayName(entry.Name), QMimeDatabase::MatchExtension);
  QIcon icon = QIcon::fromTheme(type.iconName());
  if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
  if (icon.isNull()) icon = QFileIconProvider().icon(QAbstractFileIconProvider::File);
  icon = Small(icon);
  byExtension.insert(extension, icon);
  return icon;
}

// The width of the widest name, which every row takes so that the view lays out one
// row for all. Measuring each name costs about 10 microseconds, too much for a folder
// of thousands: the names are estimated from cached advances of their characters
// (kerning aside) and the widest few measured exactly.
int WidestNameWidth(const TFileListItems& items, const QFontMetrics& metrics) {
  std::array<int, 256> latin;
  latin.fill(-1);
  const auto advance = [&](QChar c) {
    if (c.unicode() >= latin.size()) return metrics.horizontalAdvance(c);
    int& known = latin[c.unicode()];
    if (known < 0) known = metrics.horizontalAdvance(c);
    return known;
  };
  std::vector<std::pair<int, int>> estimates;  // width, index
  estimates.reserve(static_cast<size_t>(items.Count()));
  for (int i = 0; i < items.Count(); ++i) {
    int width = 0;
    for (const QChar c : DisplayName(items[i])) width += advance(c);
    estimates.emplace_back(width, i);
  }
  const size_t measured = std::min(kNamesMeasured, estimates.size());
  std::partial_sort(estimates.begin(), estimates.begin() + static_cast<long>(measured), estimates.end(),
                    std::greater<>());
  int widest = 0;
  for (size_t i = 0; i < measured; ++i)
    widest = std::max(widest, metrics.horizontalAdvance(DisplayName(items[estimates[i].second])));
  return widest;
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
    widest_.reset();
    endResetModel();
  }

  // Measured when the view first lays the rows out, not at every read: a window that
  // stays in the tray never measures.
  int WidestName(const QFontMetrics& metrics) const {
    if (!widest_) widest_ = WidestNameWidth(items_, metrics);
    return *widest_;
  }
  void ForgetWidestName() { widest_.reset(); }

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
  mutable std::optional<int> widest_;
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

  // One size for every row, the widest name's: the view shows a horizontal scroll bar
  // only when a name does not fit, and rows still span the whole list.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const auto* model = static_cast<const TFileListModel*>(index.model());
    const int indent = showGlyphs_ ? kGlyphIndent : 0;
    const int width = model != nullptr ? indent + kTextLeft + model->WidestName(option.fontMetrics) + kTextRight : 0;
    return QSize(width, rowHeight_);
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
  // Kept as a path, never entered: the process's current directory would hold the
  // folder's volume busy. A folder that is not there leaves the list on the one it
  // lists, which is read again.
  const std::string path = ExcludeTrailingPathDelimiter(ExpandFileName(folder));
  if (DirectoryExists(path)) currentFolder_ = path;
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
  model_->ForgetWidestName();
  // Uniform rows are measured once; make the view measure again.
  scheduleDelayedItemsLayout();
}

void TRzFileListBox::mousePressEvent(QMouseEvent* event) {
  // The right button picks the file the menu then acts on: it is selected, but not
  // previewed, since OnClick does not fire (docs/file-list.md).
  if (event->button() == Qt::RightButton) {
    const QModelIndex under = indexAt(event->position().toPoint());
    if (under.isValid()) {
      SetItemIndex(under.row());
      RecordIndex();
    }
    event->accept();
    return;
  }
  QListView::mousePressEvent(event);
}

void TRzFileListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QListView::mouseReleaseEvent(event);
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
