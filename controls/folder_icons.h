#pragma once
// The icons of the folder tree's nodes, from the desktop's icon provider.
#include <QFileIconProvider>
#include <QIcon>
#include <string>

namespace tapestro {

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
