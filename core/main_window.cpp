// TForm1's construction: at creation the tray icon, its menu and the timers; at the
// first show the controls top to bottom, the menus and the status bar, which start
// from what the start-up step and the rotation kept meanwhile; and how the window first
// appears and takes keys.
#include "core/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include "controls/directory_tree.h"
#include "controls/file_list_box.h"
#include "controls/file_listing.h"
#include "controls/image.h"
#include "controls/status_pane.h"
#include "controls/tray_icon.h"
#include "controls/up_down.h"
#include "core/application.h"
#include "core/program_texts.h"
#include "core/window_timer.h"

namespace tapestro {

namespace {

// The layout's figures are those of a 720 x 474 window with a classic frame; here the
// frame is the window manager's, so the client area gets the inner size.
constexpr int kClientWidth = 712;
constexpr int kLabelHeight = 13;
constexpr int kBrowsingAreaHeight = 222;
constexpr int kSettingsPanelHeight = 151;
constexpr int kStatusBarHeight = 19;
constexpr int kContentHeight = 2 * kLabelHeight + kBrowsingAreaHeight + kSettingsPanelHeight + kStatusBarHeight;
constexpr int kTreePanelWidth = 200;
constexpr int kTreeIndent = 19;
constexpr int kSplitterWidth = 7;
constexpr int kRotationPaneWidth = 64;
constexpr int kNoticePaneWidth = 145;
constexpr int kEditHeight = 21;
constexpr unsigned kTimerInterval = 1000;  // a new timer's interval
constexpr unsigned kStartupDelay = 1000;
constexpr QRect kPreviewBox{496, 0, 153, 145};

QLabel* FixedLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = Named(new QLabel(text, parent), name);
  label->setFixedHeight(kLabelHeight);
  // A folder named like markup shows as it is named.
  label->setTextFormat(Qt::PlainText);
  // The font's line is taller than the row; standing on the row's bottom keeps every
  // letter, descenders too, inside it, where a centred line loses its lowest pixels.
  label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  return label;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* text, int left, int top) {
  auto* box = Named(new QCheckBox(text, parent), name);
  box->adjustSize();
  box->move(left, top);
  box->setCursor(Qt::PointingHandCursor);
  return box;
}

// The selection stays as plain to see when the tree loses the focus.
void KeepSelectionVisible(QWidget* widget) {
  QPalette palette = widget->palette();
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  widget->setPalette(palette);
}

QPushButton* Button(QWidget* parent, const char* name, const char* text, QRect geometry, QStyle::StandardPixmap icon) {
  auto* button = Named(new QPushButton(text, parent), name);
  button->setGeometry(geometry);
  // Only the size the button draws is kept: the style's icon holds large renderings too.
  button->setIcon(QIcon(parent->style()->standardIcon(icon).pixmap(button->iconSize())));
  button->setCursor(Qt::PointingHandCursor);
  // A focused button takes Enter itself; otherwise Enter goes to the default button.
  button->setAutoDefault(true);
  return button;
}

QAction* Item(QMenu* menu, const char* name, const char* text) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  return action;
}

QMenu* Menu(QWidget* owner, const char* name, const char* title = "") {
  auto* menu = new QMenu(title, owner);
  menu->setObjectName(name);
  return menu;
}

class TQtMessageBoxes final : public TMessageBoxes {
 public:
  explicit TQtMessageBoxes(QWidget* owner) : owner_(owner) {}

  void Show(const std::string& text) override {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.exec();
  }

 private:
  QWidget* owner_;
};

}  // namespace

std::unique_ptr<TMessageBoxes> CreateMessageBoxes(QWidget* owner) { return std::make_unique<TQtMessageBoxes>(owner); }

TForm1::TForm1(const TAppFolders& folders, TWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      Folders(folders),
      Settings(folders.SettingsFile()),
      autostart_(std::move(services.Autostart)),
      volumes_(std::move(services.Volumes)) {
  setObjectName("Form1");
  setWindowTitle(text::kCaption);
  // The tray icon shows the window's icon.
  setWindowIcon(ProgramIcon());
  BuildTrayIcon(std::move(services.TrayHost));
  BuildTrayMenu();
  BuildTimers();
  ConnectRotationHandlers();
  ConnectTrayCommands();
  // Starts as the icon: once the message loop runs the tray icon keeps the window
  // hidden, or minimised where no notification area takes the icon. That window is
  // made now: on X11 one made while it is being shown minimised is mapped in its
  // normal state. The window is not put in the minimised state first: on X11 a window
  // never shown, restored from that state, is at times mapped minimised by the window
  // manager all the same.
  if (!TrayIcon->Enabled()) BuildWindow();
  QMetaObject::invokeMethod(TrayIcon, &TRzTrayIcon::MinimizeToTray, Qt::QueuedConnection);
}

TForm1::~TForm1() = default;

void TForm1::setVisible(bool visible) {
  if (visible) BuildWindow();
  QMainWindow::setVisible(visible);
}

void TForm1::BuildWindow() {
  if (built_) return;
  built_ = true;
  // The window's font only: message boxes and the tray menu keep the desktop's.
  setFont(ClassicWindowFont());
  BuildMenus();
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  BuildBrowsingArea(central);
  BuildSettingsPanel(central);
  column->addWidget(Label1);
  column->addWidget(lblDirectorySelected);
  column->addWidget(Splitter1, 1);
  column->addWidget(pnlSettings);
  setCentralWidget(central);
  BuildStatusBar();
  resize(kClientWidth, kContentHeight + menuBar()->sizeHint().height());
  SetTabOrder();
  ShowReports();
  ShowRestoredFolder();
  ShowRestoredSettings();
  ConnectSettingHandlers();
  ConnectRotationControls();
  ConnectWindowCommands();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  // Keys no control used itself arrive here: Enter is the default button's, Escape the
  // cancel button's.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      btnOkay->click();
      return;
    case Qt::Key_Escape:
      btnStop->click();
      return;
    default:
      QMainWindow::keyPressEvent(event);
  }
}

void TForm1::hideEvent(QHideEvent* event) {
  QMainWindow::hideEvent(event);
  // Hidden in the tray, the window gives up its native window and with it the image
  // it is drawn into (1.3 MiB at its size, shared with the X server); the next show
  // makes both again. Minimised, or with a window of its own still open (a message
  // box), it keeps them.
  if (event->spontaneous()) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!isHidden() || !testAttribute(Qt::WA_WState_Created)) return;
        for (const QWidget* child : findChildren<QWidget*>())
          if (child->isWindow() && child->isVisible()) return;
        destroy();
      },
      Qt::QueuedConnection);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Moving a window that is being mapped minimised makes some window managers restore
  // it; it is centred when it first shows in its normal state instead.
  if (shownOnce_ || isMinimized()) return;
  shownOnce_ = true;
  CenterOnScreen(*this);
}

void TForm1::BuildTrayMenu() {
  pmnRight = Menu(this, "pmnRight");
  pitShow = Item(pmnRight, "pitShow", text::kShowWindow);
  pitHide = Item(pmnRight, "pitHide", text::kHideWindow);
  pupChangeWallpapernow = Item(pmnRight, "pupChangeWallpapernow", text::kChangeWallpaperNow);
  pmnRight->addSeparator();
  mnuStartWithSession = Item(pmnRight, "mnuStartWithSession", text::kStartWithSession);
  mnuStartWithSession->setCheckable(true);
  pmnRight->addSeparator();
  pitExit = Item(pmnRight, "pitExit", text::kExit);
}

void TForm1::BuildMenus() {
  mnuFile = menuBar()->addMenu(text::kFileMenu);
  mnuFile->setObjectName("mnuFile");
  mnuMinimize1 = Item(mnuFile, "mnuMinimize1", text::kMinimize);
  mnuFile->addSeparator();
  mnuFile->addAction(mnuStartWithSession);
  mnuFile->addSeparator();
  mnuExit1 = Item(mnuFile, "mnuExit1", text::kExit);

  mnuHelp = menuBar()->addMenu(text::kHelpMenu);
  mnuHelp->setObjectName("mnuHelp");
  mnuAbout1 = Item(mnuHelp, "mnuAbout1", text::kAbout);
  mnuHelp->addSeparator();
  Donatetoauthor1 = Item(mnuHelp, "Donatetoauthor1", text::kDonate);
  mnuVisitTapestroHomepage = Item(mnuHelp, "mnuVisitTapestroHomepage", text::kVisitHomepage);

  pmnFileList = Menu(this, "pmnFileList");
  pupPreviewimage1 = Item(pmnFileList, "pupPreviewimage1", text::kPreviewImage);
  pmnFileList->addSeparator();
  pupUpdatewallpaper = Item(pmnFileList, "pupUpdatewallpaper", text::kUpdateWallpaper);
  pmnFileList->addSeparator();
  pupRefreshList = Item(pmnFileList, "pupRefreshList", text::kRefreshList);
  pupRefreshList->setShortcut(Qt::Key_F5);
  // F5 while the list has the focus; the list takes the action when it is made.
  pupRefreshList->setShortcutContext(Qt::WidgetShortcut);
}

void TForm1::BuildTrayIcon(std::unique_ptr<TTrayHost> host) {
  TrayIcon = new TRzTrayIcon(this, std::move(host));
  TrayIcon->setObjectName("TrayIcon");
  TrayIcon->SetHint(text::kTrayHint);
  TrayIcon->SetRestoreOn(ticLeftClickUp);
}

void TForm1::BuildBrowsingArea(QWidget* parent) {
  Label1 = FixedLabel(parent, "Label1", text::kChooseDirectory);
  lblDirectorySelected = FixedLabel(parent, "lblDirectorySelected", "");
  // A long folder is cut at the window's edge rather than widening the window.
  lblDirectorySelected->setMinimumWidth(1);

  Splitter1 = Named(new QSplitter(Qt::Horizontal, parent), "Splitter1");
  Splitter1->setHandleWidth(kSplitterWidth);
  Splitter1->setChildrenCollapsible(false);
  pnlDirTree = Named(new QWidget(Splitter1), "pnlDirTree");
  DirTree = Named(new TRzDirectoryTree(pnlDirTree, std::move(volumes_)), "DirTree");
  DirTree->setIndentation(kTreeIndent);
  KeepSelectionVisible(DirTree);
  SinkFrameWhileHovered(DirTree);
  auto* treeFill = new QVBoxLayout(pnlDirTree);
  treeFill->setContentsMargins(0, 0, 0, 0);
  treeFill->addWidget(DirTree);
  FileListBox1 = Named(new TRzFileListBox(Splitter1, kDefaultImageMask), "FileListBox1");
  FileListBox1->setToolTip(text::kFileListHint);
  FileListBox1->SetPopupMenu(pmnFileList);
  FileListBox1->addAction(pupRefreshList);
  Splitter1->addWidget(pnlDirTree);
  Splitter1->addWidget(FileListBox1);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({kTreePanelWidth, 1});

  DirTree->SetFileList([this](const std::string& folder) { FileListBox1->SetCurrentFolder(folder); });
  DirTree->SetDirLabel(lblDirectorySelected);
}

void TForm1::BuildSettingsPanel(QWidget* parent) {
  pnlSettings = Named(new QWidget(parent), "pnlSettings");
  pnlSettings->setFixedHeight(kSettingsPanelHeight);
  BuildChangeCycleGroup();

  ckRandom = CheckBox(pnlSettings, "ckRandom", text::kRandom, 16, 90);
  ckAutoSize = CheckBox(pnlSettings, "ckAutoSize", text::kAutoSize, 16, 110);
  cboAutoSize = Named(new QComboBox(pnlSettings), "cboAutoSize");
  for (const char* placement : text::kPlacements) cboAutoSize->addItem(placement);
  cboAutoSize->setCurrentIndex(-1);
  // On its check box's row: six pixels below the drawn place, where "Change wallpapers
  // randomly" above runs on past the list's left edge at this font.
  cboAutoSize->setGeometry(160, 110, 121, kEditHeight);
  ckMinStartup = CheckBox(pnlSettings, "ckMinStartup", text::kMinStartup, 16, 130);

  btnOkay = Button(pnlSettings, "btnOkay", text::kSaveStart, {320, 24, 121, 33}, QStyle::SP_DialogApplyButton);
  btnOkay->setDefault(true);
  btnStop = Button(pnlSettings, "btnStop", text::kStop, {320, 72, 121, 33}, QStyle::SP_DialogCancelButton);

  Image1 = Named(new TImage(pnlSettings), "Image1");
  Image1->setGeometry(kPreviewBox);
}

void TForm1::BuildChangeCycleGroup() {
  GroupBox1 = Named(new QGroupBox(text::kChangeCycleGroup, pnlSettings), "GroupBox1");
  GroupBox1->setGeometry(8, 8, 273, 73);
  Label2 = Named(new QLabel(text::kHowOften, GroupBox1), "Label2");
  Label2->adjustSize();
  Label2->move(16, 24);
  txtChangeCycle = Named(new QLineEdit(text::kInitialCycle, GroupBox1), "txtChangeCycle");
  txtChangeCycle->setGeometry(136, 40, 49, kEditHeight);
  UpDown1 = Named(new TUpDown(GroupBox1), "UpDown1");
  UpDown1->setGeometry(184, 40, 12, kEditHeight);
  UpDown1->setCursor(Qt::PointingHandCursor);
  Label3 = Named(new QLabel(text::kMinutes, GroupBox1), "Label3");
  Label3->adjustSize();
  Label3->move(208, 48);
}

void TForm1::BuildStatusBar() {
  StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->setFixedHeight(kStatusBarHeight);
  StatusPane1 = Named(new TStatusPane(StatusBar1, 0), "StatusPane1");
  StatusPane2 = Named(new TStatusPane(StatusBar1, kRotationPaneWidth, Qt::AlignCenter), "StatusPane2");
  StatusPane2->setToolTip(text::kRotationPaneHint);
  StatusPane3 = Named(new TStatusPane(StatusBar1, kNoticePaneWidth), "StatusPane3");
  StatusBar1->addWidget(StatusPane1, 1);
  StatusBar1->addPermanentWidget(StatusPane2);
  StatusBar1->addPermanentWidget(StatusPane3);
  setStatusBar(StatusBar1);
}

void TForm1::BuildTimers() {
  Timer1 = new TTimer(this, kTimerInterval, false);
  Timer1->setObjectName("Timer1");
  startup = new TTimer(this, kStartupDelay, true);
  startup->setObjectName("startup");
  startup->OnTimer = [this] { startupTimer(); };
}

void TForm1::SetTabOrder() {
  QWidget* const order[] = {DirTree,      FileListBox1, txtChangeCycle, UpDown1,    ckRandom,
                            ckMinStartup, btnOkay,      btnStop,        ckAutoSize, cboAutoSize};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

}  // namespace tapestro
