#include "controls/directory_tree.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScopedValueRollback>
#include <algorithm>
#include <map>
#include <unordered_map>

#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"
#include "controls/busy_cursor.h"
#include "controls/file_listing.h"
#include "controls/folder_node.h"
#include "controls/folder_paths.h"
#include "platform/system_services.h"

namespace tapestro {

namespace {

class TFrozenPainting {
 public:
  explicit TFrozenPainting(QWidget* widget) : widget_(widget), wasEnabled_(widget->updatesEnabled()) {
    widget_->setUpdatesEnabled(false);
  }
  ~TFrozenPainting() { widget_->setUpdatesEnabled(wasEnabled_); }
  TFrozenPainting(const TFrozenPainting&) = delete;
  TFrozenPainting& operator=(const TFrozenPainting&) = delete;

 private:
  QWidget* widget_;
  bool wasEnabled_;
};

// Names on disk are bytes; the screen shows them by the system's decoding.
QString Caption(const std::string& text) { return QString::fromStdString(DisplayFileName(text)); }

// A label is measured by its own width only when that width does not follow its text.
bool SizesToText(const QLabel& label) {
  return label.minimumWidth() != label.maximumWidth() &&
         label.sizePolicy().horizontalPolicy() != QSizePolicy::Ignored;
}

// Whether item is ancestor or lies below it.
bool IsWithin(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
  for (; item != nullptr; item = item->parent())
    if (item == ancestor) return true;
  return false;
}

}  // namespace

TRzDirectoryTree::TRzDirectoryTree(QWidget* parent, std::unique_ptr<TVolumeSource> volumes)
    : QTreeWidget(parent), volumes_(std::move(volumes)) {
  setHeaderHidden(true);
  // The hidden header still measures its text when the selection moves; in the tree's
  // font it loads no face of its own (its class font is the desktop's).
  header()->setFont(font());
  setColumnCount(1);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(SingleSelection);
  // Rows of one height lay out a folder of thousands of subfolders without measuring each.
  setUniformRowHeights(true);
  resize(250, 150);
  connect(this, &QTreeWidget::itemExpanded, this, &TRzDirectoryTree::NodeExpanded);
  connect(this, &QTreeWidget::itemClicked, this, &TRzDirectoryTree::NodeClicked);
  connect(this, &QTreeWidget::currentItemChanged, this, &TRzDirectoryTree::SelectionChanged);
  connect(volumes_.get(), &TVolumeSource::Changed, this, &TRzDirectoryTree::RefreshDrives);
  ScanDrives();
  OpenStartFolder();
}

TRzDirectoryTree::~TRzDirectoryTree() {
  // The base class drops the nodes after this part is gone; no change step may run then.
  blockSignals(true);
}

std::string TRzDirectoryTree::SelectedFolder() const {
  const TFolderNode* node = TFolderNode::Of(currentItem());
  return node ? ExcludeTrailingPathDelimiter(node->Info().path) : std::string();
}

void TRzDirectoryTree::OpenFolder(const std::string& path) {
  if (path.empty()) return;
  const std::string folder = ExcludeTrailingPathDelimiter(ExpandFileName(path));
  if (SameFolder(SelectedFolder(), folder)) return;
  const std::vector<std::string> tops = TopLevelPaths();
  const TFolderToOpen target = FolderToOpen(folder, path, tops, volumes_->MountPlaces());
  if (!target.TopLevel) return;

  TBusyCursor busy;
  TFolderNode* node = TopLevelNode(static_cast<int>(*target.TopLevel));
  for (const std::string& name : NamesBelow(tops[*target.TopLevel], target.Folder)) {
    node = FindChild(node, name);
    if (node == nullptr) return;  // hidden, or not a folder the tree lists
  }
  SelectNode(node);
}

void TRzDirectoryTree::SetFileList(TFolderSink setCurrentFolder) {
  fileList_ = std::move(setCurrentFolder);
  if (fileList_ && currentItem() != nullptr) fileList_(SelectedFolder());
}

void TRzDirectoryTree::SetDirLabel(QLabel* label) {
  label_ = label;
  UpdateLabel();
}

void TRzDirectoryTree::SetShowHiddenDirs(bool show) {
  if (show == showHiddenDirs_) return;
  showHiddenDirs_ = show;
  const std::string selected = SelectedFolder();
  ScanDrives();
  OpenFolderOrStart(selected);
}

std::vector<std::string> TRzDirectoryTree::TopLevelPaths() const {
  std::vector<std::string> paths;
  for (int i = 0; i < topLevelItemCount(); ++i) paths.push_back(TopLevelNode(i)->Info().path);
  return paths;
}

TFolderNode* TRzDirectoryTree::TopLevelNode(int index) const { return TFolderNode::Of(topLevelItem(index)); }

TFolderNode* TRzDirectoryTree::TopLevelOf(QTreeWidgetItem* item) const {
  while (item != nullptr && item->parent() != nullptr) item = item->parent();
  return TFolderNode::Of(item);
}

TFolderNode* TRzDirectoryTree::MakeTopLevelNode(const TVolumeInfo& volume) {
  // Its button is given without a look (below).
  TFolderInfo info{volume.path};
  info.probed = true;
  auto* node = new TFolderNode(std::move(info), Caption(volume.caption), icons_.TopLevel(volume.path));
  node->SetSerial(volume.serial);
  GiveTopLevelPlaceholder(node);
  return node;
}

void TRzDirectoryTree::GiveTopLevelPlaceholder(TFolderNode* node) {
  // Volumes may be slow or removable: their button comes without touching the disk.
  if (node->Serial() != -1) node->AddPlaceholder();
}

void TRzDirectoryTree::ScanDrives() {
  TBusyCursor busy;
  TFrozenPainting frozen(this);
  QScopedValueRollback building(building_, true);
  clear();
  for (const TVolumeInfo& volume : volumes_->TopLevelFolders()) addTopLevelItem(MakeTopLevelNode(volume));
  lastTopLevel_.clear();
}

void TRzDirectoryTree::RefreshDrives() {
  const std::vector<TVolumeInfo> volumes = volumes_->TopLevelFolders();
  const auto listed = [&volumes](const TFolderNode* node) {
    return node != nullptr && std::any_of(volumes.begin(), volumes.end(),
                       [node](const TVolumeInfo& volume) { return volume.path == node->Info().path; });
  };
  {
    TFrozenPainting frozen(this);
    QScopedValueRollback building(building_, true);
    if (currentItem() != nullptr && !listed(TopLevelOf(currentItem()))) setCurrentItem(nullptr);
    for (int i = topLevelItemCount() - 1; i >= 0; --i)
      if (!listed(TopLevelNode(i))) delete takeTopLevelItem(i);
    // The nodes kept are in the new order already; new ones go where that order puts them.
    for (int i = 0; i < static_cast<int>(volumes.size()); ++i) {
      const TFolderNode* node = TopLevelNode(i);
      if (node == nullptr || node->Info().path != volumes[i].path) insertTopLevelItem(i, MakeTopLevelNode(volumes[i]));
    }
  }
  if (currentItem() == nullptr) OpenStartFolder();  // runs the change step itself
  else ChangeStep();
}

void TRzDirectoryTree::OpenStartFolder() {
  const std::vector<std::string> tops = TopLevelPaths();
  if (tops.empty()) return;
  const std::string current = GetCurrentDir();
  const std::optional<size_t> holder = current.empty() ? std::nullopt : HoldingTopLevel(tops, current);
  SelectNode(TopLevelNode(static_cast<int>(holder.value_or(0))));
}

void TRzDirectoryTree::OpenFolderOrStart(const std::string& folder) {
  try {
    OpenFolder(folder);
  } catch (const EInOutError&) {
    // Gone since it was selected: the start folder stands in.
  }
  if (currentItem() == nullptr) OpenStartFolder();
}

void TRzDirectoryTree::SelectNode(TFolderNode* node) {
  setCurrentItem(node);
  scrollToItem(node);  // also opens its parents
}

TFolderNode* TRzDirectoryTree::ChildNamed(TFolderNode* node, const std::string& name) {
  const std::string path = node->Info().path + name + kPathDelim;
  for (int i = 0; i < node->childCount(); ++i) {
    TFolderNode* child = TFolderNode::Of(node->child(i));
    if (child != nullptr && SameFolder(child->Info().path, path)) return child;
  }
  return nullptr;
}

TFolderNode* TRzDirectoryTree::FindChild(TFolderNode* node, const std::string& name) {
  const bool wasFilled = node->Info().filled;
  FillChildren(node);
  TFolderNode* child = ChildNamed(node, name);
  // Made since the node was read: one more read finds it.
  if (child == nullptr && wasFilled && DirectoryExists(node->Info().path + name)) {
    RefillChildren(node);
    child = ChildNamed(node, name);
  }
  return child;
}

std::vector<std::string> TRzDirectoryTree::ReadSubfolders(TFolderNode* node) const {
  // The stamp comes first: a change made while the folder is read shows at the next look.
  node->Info().stamp = SettledFolderStamp(node->Info().path);
  node->Info().filled = true;
  std::vector<std::string> names = ListSubfolders(node->Info().path, showHiddenDirs_);
  SortNames(names);
  return names;
}

TFolderNode* TRzDirectoryTree::MakeChild(TFolderNode* node, const std::string& name) {
  return new TFolderNode({node->Info().path + name + kPathDelim}, Caption(name), icons_.Folder());
}

void TRzDirectoryTree::FillChildren(TFolderNode* node) {
  if (node->Info().filled) return;
  TBusyCursor busy;
  node->DropChildren();
  const std::vector<std::string> names = ReadSubfolders(node);
  QList<QTreeWidgetItem*> children;
  children.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) children.append(MakeChild(node, name));
  node->addChildren(children);
}

bool TRzDirectoryTree::ChangedSinceFilled(const TFolderNode& node) {
  const TFolderInfo& info = node.Info();
  return info.filled && (!info.stamp || FolderStamp(info.path) != info.stamp);
}

// Reads a filled node's subfolders again, keeping the nodes of folders that remain
// (their own subfolders, buttons and the selection among them).
void TRzDirectoryTree::RefillChildren(TFolderNode* node) {
  TBusyCursor busy;
  const std::vector<std::string> names = ReadSubfolders(node);
  std::unordered_map<std::string, TFolderNode*> kept;
  for (const std::string& name : names) kept.emplace(name, nullptr);
  for (int i = node->childCount() - 1; i >= 0; --i) {
    TFolderNode* child = TFolderNode::Of(node->child(i));
    const auto found = child != nullptr ? kept.find(child->Name()) : kept.end();
    if (found != kept.end()) {
      found->second = child;
      continue;
    }
    // The selected folder is gone: its parent stands in, as for a folder that went
    // before it was opened.
    if (IsWithin(currentItem(), node->child(i))) SelectNode(node);
    delete node->takeChild(i);
  }
  // The kept nodes are in the names' order already; new ones go where that order puts
  // them, each run in one insertion.
  int at = 0;
  QList<QTreeWidgetItem*> fresh;
  const auto insertFresh = [&] {
    node->insertChildren(at, fresh);
    at += static_cast<int>(fresh.size());
    fresh.clear();
  };
  for (const std::string& name : names) {
    TFolderNode* same = kept[name];
    if (same == nullptr) {
      fresh.append(MakeChild(node, name));
      continue;
    }
    insertFresh();
    at = node->child(at) == same ? at + 1 : node->indexOfChild(same) + 1;
  }
  insertFresh();
}

void TRzDirectoryTree::NodeExpanded(QTreeWidgetItem* item) {
  TFolderNode* node = TFolderNode::Of(item);
  if (node == nullptr) return;
  if (ChangedSinceFilled(*node)) RefillChildren(node);
  else
    FillChildren(node);
}

void TRzDirectoryTree::paintEvent(QPaintEvent* event) {
  ProbeRowsOnScreen();
  QTreeWidget::paintEvent(event);
}

// Gives each node on screen that was never looked into an expand button when it holds
// a listable subfolder. Only the rows shown are looked at: a folder of thousands of
// subfolders opens without opening each of them, and a button is there by the time
// its row is drawn.
void TRzDirectoryTree::ProbeRowsOnScreen() {
  std::map<TFolderNode*, std::vector<TFolderNode*>> unprobedByParent;
  const int bottom = viewport()->height();
  for (QTreeWidgetItem* item = itemAt(0, 0); item != nullptr && visualItemRect(item).top() < bottom;
       item = itemBelow(item)) {
    TFolderNode* node = TFolderNode::Of(item);
    TFolderNode* parent = node != nullptr ? TFolderNode::Of(node->parent()) : nullptr;
    if (parent != nullptr && !node->Info().probed) unprobedByParent[parent].push_back(node);
  }
  if (unprobedByParent.empty()) return;
  TBusyCursor busy;
  for (const auto& [parent, nodes] : unprobedByParent) {
    std::vector<std::string> names;
    for (const TFolderNode* node : nodes) names.push_back(node->Name());
    // Each subfolder is opened relative to its parent, opened once.
    const std::vector<bool> have = WhichHaveSubfolders(parent->Info().path, names, showHiddenDirs_);
    for (size_t i = 0; i < nodes.size(); ++i) {
      nodes[i]->Info().probed = true;
      if (have[i] && nodes[i]->childCount() == 0) nodes[i]->AddPlaceholder();
    }
  }
}

void TRzDirectoryTree::NodeClicked(QTreeWidgetItem* item) {
  // A click on the selected node picks up other media in its volume.
  TFolderNode* top = TopLevelOf(item);
  if (item == currentItem() && top != nullptr && volumes_->Describe(top->Info().path).serial != top->Serial())
    ChangeStep();
}

void TRzDirectoryTree::SelectionChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (TFolderNode* old = TFolderNode::Of(previous)) old->setIcon(0, old->Icon());
  TFolderNode* now = TFolderNode::Of(current);
  if (now != nullptr && now->parent() != nullptr) now->setIcon(0, icons_.OpenFolder());
  if (!building_) ChangeStep();
}

void TRzDirectoryTree::ChangeStep() {
  TFolderNode* top = TopLevelOf(currentItem());
  if (top == nullptr) return;
  MediaCheck(top);
  if (top->Info().path != lastTopLevel_) {
    lastTopLevel_ = top->Info().path;
    emit OnDriveChange();
  }
  if (fileList_) fileList_(SelectedFolder());
  UpdateLabel();
}

void TRzDirectoryTree::MediaCheck(TFolderNode* top) {
  const TVolumeInfo now = volumes_->Describe(top->Info().path);
  if (now.serial == top->Serial()) return;
  QScopedValueRollback building(building_, true);
  // The subfolders read from the old media go, and the selection with them.
  if (currentItem() != top) setCurrentItem(top);
  top->setExpanded(false);
  top->DropChildren();
  top->setText(0, Caption(now.caption));
  top->SetSerial(now.serial);
  GiveTopLevelPlaceholder(top);
}

void TRzDirectoryTree::UpdateLabel() {
  if (!label_) return;
  const int width = SizesToText(*label_) ? this->width() : label_->width();
  const QFontMetrics metrics(label_->font());
  const TFolderNode* top = TopLevelOf(currentItem());
  const std::string text =
      ShortenFolderPath(SelectedFolder(), top ? top->Info().path : std::string(), width,
                        [&metrics](const std::string& candidate) { return metrics.horizontalAdvance(Caption(candidate)); });
  label_->setText(Caption(text));
}

}  // namespace tapestro
