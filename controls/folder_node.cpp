#include "controls/folder_node.h"

#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>

#include "base/path.h"

namespace tapestro {

namespace {

constexpr int kSmallIconSize = 16;

// The provider's icons hold renderings up to 128 pixels, which the tree never draws;
// only the small one it draws is kept, so the large ones are freed at once.
QIcon Small(const QIcon& icon, QIcon::State state) {
  const QPixmap pixmap = icon.pixmap(kSmallIconSize, QIcon::Normal, state);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace

TFolderNode::TFolderNode(TFolderInfo info, const QString& caption, const QIcon& icon)
    : QTreeWidgetItem(kType), info_(std::move(info)), icon_(icon) {
  setText(0, caption);
  setIcon(0, icon);
}

TFolderNode* TFolderNode::Of(QTreeWidgetItem* item) {
  return item != nullptr && item->type() == kType ? static_cast<TFolderNode*>(item) : nullptr;
}

std::string TFolderNode::Name() const { return ExtractFileName(ExcludeTrailingPathDelimiter(info_.path)); }

void TFolderNode::AddPlaceholder() {
  auto* placeholder = new QTreeWidgetItem(this, QStringList{QStringLiteral(":")});
  // Never selected: it is replaced as soon as the node opens.
  placeholder->setFlags(Qt::NoItemFlags);
}

void TFolderNode::DropChildren() {
  qDeleteAll(takeChildren());
  info_.filled = false;
}

// A provider keeps what it has rendered for as long as it lives: one is made per look.
TFolderIcons::TFolderIcons() {
  const QIcon folder = QFileIconProvider().icon(QAbstractFileIconProvider::Folder);
  folder_ = Small(folder, QIcon::Off);
  const QIcon open = Small(folder, QIcon::On);
  openFolder_ = open.isNull() ? folder_ : open;
}

QIcon TFolderIcons::TopLevel(const std::string& path) const {
  return Small(QFileIconProvider().icon(QFileInfo(QFile::decodeName(path.c_str()))), QIcon::Off);
}

}  // namespace tapestro
