#pragma once
// FileListBox1's class: the image files of one folder, in rotation order. Every
// re-read makes the listed folder the process's current directory, so the bare names
// in Items open the right files. What is listed, and in which order, is
// file_listing.h's; this file adds the rows, their icons and the selection.
#include <QListView>
#include <functional>
#include <string>

#include "controls/file_listing.h"

class QMenu;

namespace tapestro {

class TFileListModel;
class TFileListDelegate;

class TRzFileListBox : public QListView {
  Q_OBJECT

 public:
  // Lists the process's current directory with mask, at once.
  explicit TRzFileListBox(QWidget* parent = nullptr, std::string mask = "*.*");

  const std::string& Mask() const { return mask_; }
  // Re-reads when the text differs (letter case counts).
  void SetMask(const std::string& mask);
  TFileTypes FileType() const { return fileType_; }
  void SetFileType(TFileTypes fileType);

  const std::string& CurrentFolder() const { return currentFolder_; }
  // Enters folder and re-reads. The same folder named in other letter case changes
  // nothing; a folder that cannot be entered leaves the list on the current
  // directory, which is read again.
  void SetCurrentFolder(const std::string& folder);

  bool ShowGlyphs() const { return showGlyphs_; }
  void SetShowGlyphs(bool show);
  int ItemHeight() const { return itemHeight_; }

  const TFileListItems& Items() const;
  int ItemIndex() const;
  // Selects in code: OnClick does not fire.
  void SetItemIndex(int index);
  // The selected file's full path; empty with nothing selected.
  std::string SelectedPath() const;

  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

  // The user selected an item, by mouse or keyboard.
  std::function<void()> OnClick;
  // After OnClick, or after a re-read, when the recorded index changed.
  std::function<void()> OnChange;

  void RefreshFiles();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void UpdateItemHeight();
  void SelectionChanged();
  void RecordIndex();
  void ShowPopupMenu(const QPoint& position);

  std::string mask_;
  TFileTypes fileType_{TFileType::ftNormal};
  std::string currentFolder_;
  bool showGlyphs_ = true;
  int itemHeight_ = 0;
  int recordedIndex_ = -1;
  bool selectingInCode_ = false;
  QMenu* popupMenu_ = nullptr;
  TFileListModel* model_;
  TFileListDelegate* delegate_;
};

}  // namespace tapestro
