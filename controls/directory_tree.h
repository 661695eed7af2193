#pragma once
// The folder tree: the top-level folders (root, home, mounted volumes) and their
// subfolders, read when a node first opens and again when it opens after its folder
// changed; whether a subfolder has subfolders of its own (its expand button) is looked
// at when its row is first shown. The selected folder drives the image file list and
// the folder label.
// Its nodes and icons are folder_node.h's; its work on folders and paths that needs no
// widget is folder_paths.h's.
#include <QLabel>
#include <QPointer>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/folder_node.h"
#include "platform/volume_source.h"

namespace tapestro {

class TRzDirectoryTree : public QTreeWidget {
  Q_OBJECT

 public:
  // Receives the selected folder at every change of the selection; the window binds
  // it to the image file list's SetCurrentFolder.
  using TFolderSink = std::function<void(const std::string& folder)>;

  // Lists the top-level folders and selects the one holding the current directory.
  explicit TRzDirectoryTree(QWidget* parent = nullptr,
                            std::unique_ptr<TVolumeSource> volumes = CreateVolumeSource());
  ~TRzDirectoryTree() override;

  // The selected folder without trailing delimiter ("/" for the root); empty when
  // nothing is selected.
  std::string SelectedFolder() const;
  // Selects folder, or its deepest existing ancestor. EInOutError "The %s directory
  // does not exist" when neither exists, or when the folder went with its volume (a
  // USB stick that is not plugged in: see TVolumeSource::MountPlaces); nothing changes
  // then, nor when the folder is selected already or cannot be reached through the
  // nodes (it lies below a hidden folder or outside every top-level folder).
  void OpenFolder(const std::string& path);

  // Binding also hands over the selected folder at once.
  void SetFileList(TFolderSink setCurrentFolder);
  // The label that shows the selected folder, shortened to fit; updated at once.
  void SetDirLabel(QLabel* label);
  QLabel* DirLabel() const { return label_; }

  bool ShowHiddenDirs() const { return showHiddenDirs_; }
  // Rebuilds the nodes and opens the selected folder again.
  void SetShowHiddenDirs(bool show);

 signals:
  // The selection moved to another top-level folder.
  void OnDriveChange();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<std::string> TopLevelPaths() const;
  TFolderNode* TopLevelNode(int index) const;
  TFolderNode* TopLevelOf(QTreeWidgetItem* item) const;
  TFolderNode* MakeTopLevelNode(const TVolumeInfo& volume);
  void GiveTopLevelPlaceholder(TFolderNode* node);

  void ScanDrives();
  void RefreshDrives();
  void OpenStartFolder();
  void OpenFolderOrStart(const std::string& folder);
  void SelectNode(TFolderNode* node);
  TFolderNode* ChildNamed(TFolderNode* node, const std::string& name);
  TFolderNode* FindChild(TFolderNode* node, const std::string& name);

  std::vector<std::string> ReadSubfolders(TFolderNode* node) const;
  TFolderNode* MakeChild(TFolderNode* node, const std::string& name);
  void FillChildren(TFolderNode* node);
  static bool ChangedSinceFilled(const TFolderNode& node);
  void RefillChildren(TFolderNode* node);
  void ProbeRowsOnScreen();
  void NodeExpanded(QTreeWidgetItem* item);
  void NodeClicked(QTreeWidgetItem* item);
  void SelectionChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);

  void ChangeStep();
  void MediaCheck(TFolderNode* top);
  void UpdateLabel();

  std::unique_ptr<TVolumeSource> volumes_;
  TFolderIcons icons_;
  TFolderSink fileList_;
  QPointer<QLabel> label_;
  bool showHiddenDirs_ = false;
  // Set while nodes are built or torn down: selection changes then are not changes
  // of the user's folder.
  bool building_ = false;
  std::string lastTopLevel_;
};

}  // namespace tapestro
