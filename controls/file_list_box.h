#pragma once
// FileListBox1's class: the image files of one folder, in rotation order. The items
// are bare names; a file is opened by its full path, CurrentFolder joined with the
// name (SelectedPath), never through the process's current directory, which the list
// leaves alone. What is listed, and in which order, is file_listing.h's; this file
// adds the rows, their icons and the selection.
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
  // Lists folder (relative: against the current directory). The same folder named in
  // other letter case changes nothing; a folder that does not exist leaves the list on
  // the folder it lists, which is read again.
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

  // The user selected an item with the left button or the keyboard. The right button
  // selects the item under it for the popup menu without firing OnClick.
  std::function<void()> OnClick;
  // After OnClick, or after a re-read, when the recorded index changed.
  std::function<void()> OnChange;

  void RefreshFiles();

 protected:
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

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
