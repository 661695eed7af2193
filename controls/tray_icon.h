#pragma once
// The program's icon in the notification area. It restores the window on a click,
// opens its popup menu on a right click, and turns minimising into hiding, so that a
// minimised program is only its icon. Where no notification area is there the icon
// counts as refused: the window then minimises as usual and stays reachable.
// Clicks count when the button is released over the icon: in an XEmbed notification
// area the icon is a window of ours, whose presses the toolkit would report as clicks,
// so that window's mouse events are taken here; a StatusNotifierItem host reports its
// clicks itself (docs/tray-icon.md).
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <QWidget>
#include <memory>

#include "platform/tray_host.h"

namespace tapestro {

enum TRzTrayIconClicks {
  ticNone,
  ticLeftClick,
  ticLeftDblClick,
  ticLeftClickUp,
  ticRightClick,
  ticRightDblClick,
  ticRightClickUp,
};

class TRzTrayIcon : public QObject {
  Q_OBJECT

 public:
  // Longer hints are cut; the notification area shows no more.
  static constexpr int kMaxHintLength = 127;

  // owner's window is the application window it hides and restores. The icon is
  // added at once.
  explicit TRzTrayIcon(QWidget* owner, std::unique_ptr<TTrayHost> host = CreateTrayHost());
  ~TRzTrayIcon() override;

  // Whether the icon is shown. Turns False by itself while no notification area is
  // there, and True again when one appears.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const QString& Hint() const { return hint_; }
  // Empty: no tip.
  void SetHint(const QString& hint);
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu);
  TRzTrayIconClicks RestoreOn() const { return restoreOn_; }
  void SetRestoreOn(TRzTrayIconClicks click) { restoreOn_ = click; }
  TRzTrayIconClicks PopupMenuOn() const { return popupMenuOn_; }
  void SetPopupMenuOn(TRzTrayIconClicks click) { popupMenuOn_ = click; }
  bool HideOnMinimize() const { return hideOnMinimize_; }
  void SetHideOnMinimize(bool hide) { hideOnMinimize_ = hide; }

  // Shows the window in its normal state and brings it to the front; ignored while
  // the popup menu is open.
  void RestoreFromTray();
  // While Enabled and HideOnMinimize hides the window, leaving only the icon;
  // otherwise minimises it.
  void MinimizeToTray();
  // Opens the popup menu at the cursor.
  void ShowPopup();
  bool PopupOpen() const { return popupOpen_; }

  // Takes the mouse events of the window that shows the icon, where the toolkit draws
  // it in a window of its own (XEmbed): presses are dropped, a release over it is the
  // click. Found by itself whenever the icon is added; tests hand in a widget.
  void WatchIconWindow(QWidget* iconWindow);

 signals:
  void OnMinimizeApp();
  void OnRestoreApp();
  void OnLButtonUp();
  void OnLButtonDblClick();
  void OnRButtonUp();

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool IconWindowEvent(QEvent* event);
  void FindIconWindow();
  void Activated(QSystemTrayIcon::ActivationReason reason);
  void Click(TRzTrayIconClicks click);
  void AddIcon();
  void HostChanged(bool available);
  void PopupClosed() { popupOpen_ = false; }
  void MinimizedByOthers();
  void RestoredByOthers();

  QPointer<QWidget> window_;
  std::unique_ptr<TTrayHost> host_;
  QSystemTrayIcon icon_;
  QPointer<QMenu> popupMenu_;
  QPointer<QWidget> iconWindow_;
  QString hint_;
  TRzTrayIconClicks restoreOn_ = ticLeftDblClick;
  TRzTrayIconClicks popupMenuOn_ = ticRightClickUp;
  bool enabled_ = true;
  // The icon was refused for want of a notification area, not switched off.
  bool refused_ = false;
  bool hideOnMinimize_ = true;
  bool popupOpen_ = false;
  // The window was hidden by minimising it to the tray.
  bool hiddenInTray_ = false;
  // Set while this component changes the window state itself.
  bool changingState_ = false;
};

}  // namespace tapestro
