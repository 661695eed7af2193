#pragma once
// A node of the folder tree, the folder it stands for, and the nodes' icons.
#include <QIcon>
#include <QTreeWidgetItem>
#include <cstdint>
#include <optional>
#include <string>

namespace tapestro {

struct TFolderInfo {
  std::string path;     // always ends in the delimiter
  bool filled = false;  // its subfolders have been read
  bool probed = false;  // it was looked into for an expand button
  // The folder's stamp when they were read (SettledFolderStamp); none: read them again
  // at the next look.
  std::optional<int64_t> stamp = std::nullopt;
};

class TFolderNode final : public QTreeWidgetItem {
 public:
  static constexpr int kType = QTreeWidgetItem::UserType + 1;

  TFolderNode(TFolderInfo info, const QString& caption, const QIcon& icon);

  // The node behind an item, or nullptr for a placeholder.
  static TFolderNode* Of(QTreeWidgetItem* item);

  TFolderInfo& Info() { return info_; }
  const TFolderInfo& Info() const { return info_; }
  const QIcon& Icon() const { return icon_; }
  // The folder's own name as stored on disk; empty for the root.
  std::string Name() const;

  // A child captioned ":" that gives the node its expand button until the subfolders
  // are read in its place.
  void AddPlaceholder();
  // Drops every child and marks the node unread.
  void DropChildren();

  // Top-level nodes: the volume serial read when the node was last captioned.
  int64_t Serial() const { return serial_; }
  void SetSerial(int64_t serial) { serial_ = serial; }

 private:
  TFolderInfo info_;
  QIcon icon_;
  int64_t serial_ = -1;
};

// The icons of the nodes, from the desktop's icon provider.
class TFolderIcons {
 public:
  TFolderIcons();
  // The icon of a top-level folder (the root shows as a drive).
  QIcon TopLevel(const std::string& path) const;
  // Every other folder shares one icon, so that large folders open fast.
  const QIcon& Folder() const { return folder_; }
  // The selected folder's icon: the folder icon's open state where it has one.
  const QIcon& OpenFolder() const { return openFolder_; }

 private:
  QIcon folder_;
  QIcon openFolder_;
};

}  // namespace tapestro
