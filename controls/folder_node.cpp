#include "controls/folder_node.h"

#include "base/path.h"

namespace tapestro {

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

}  // namespace tapestro
