#include "controls/file_list_box.h"

#include <QEvent>
#include <QMenu>
#include <algorithm>

#include "base/path.h"
#include "controls/busy_cursor.h"
#include "controls/file_list_delegate.h"
#include "controls/file_list_model.h"
#include "controls/same_folder.h"

namespace tapestro {

namespace {

constexpr int kMinGlyphRowHeight = 18;

}  // namespace

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
