// Reading a filled node's subfolders again, keeping the nodes of folders that remain
// (their own subfolders, buttons and the selection among them).
#include <QTreeWidgetItem>
#include <unordered_map>

#include "controls/busy_cursor.h"
#include "controls/directory_tree.h"
#include "controls/folder_node.h"
#include "controls/folder_scan.h"

namespace tapestro {

namespace {

bool IsWithin(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
  for (; item != nullptr; item = item->parent())
    if (item == ancestor) return true;
  return false;
}

}  // namespace

bool TRzDirectoryTree::ChangedSinceFilled(const TFolderNode& node) {
  const TFolderInfo& info = node.Info();
  return info.filled && (!info.stamp || FolderStamp(info.path) != info.stamp);
}

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

}  // namespace tapestro
