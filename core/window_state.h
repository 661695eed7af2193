#pragma once
// What the main window's controls show, kept while the window has not been built. The
// window is built when it is first shown: a program that starts in the tray and stays
// there never makes its controls. Until then the start-up step restores into this, the
// rotation takes its names from here and reports here, and the window, once built,
// starts from it.
#include <QString>
#include <string>

#include "controls/file_listing.h"
#include "core/program_texts.h"

namespace tapestro {

struct TWindowState {
  // The stored folder as the label shows it and the tree opens it; empty when none is
  // stored. Opened: the tree can open it (it, or what is left of it, exists).
  std::string Folder;
  bool FolderOpened = false;
  // What the image file list would list: the folder the tree opens and its images in
  // list order, read once at start.
  std::string ListedFolder;
  TFileListItems Names;

  // The change cycle's box, the three check boxes and the placement list (-1: none).
  QString CycleText = text::kInitialCycle;
  bool Random = false;
  bool AutoSize = false;
  bool MinStartup = false;
  int Placement = -1;

  // The status bar: the message pane, the rotation pane and whether the notice shows.
  QString Message;
  bool RotationRunning = false;
  bool NoticeShown = false;
  // The picture the preview shows once there is one; empty for none.
  std::string Preview;
};

}  // namespace tapestro
