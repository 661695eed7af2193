#include "controls/tray_icon.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace tapestro {

namespace {

QString CutHint(const QString& hint) {
  QString cut = hint.left(TRzTrayIcon::kMaxHintLength);
  // Never half a character.
  if (cut.size() < hint.size() && !cut.isEmpty() && cut.back().isHighSurrogate()) cut.chop(1);
  return cut;
}

// The toolkit's window for an icon in an XEmbed notification area.
constexpr char kXEmbedIconClass[] = "QSystemTrayIconSys";

QIcon ApplicationIcon(const QWidget* window) {
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull() && window != nullptr) icon = window->windowIcon();
  // Never an empty slot in the notification area.
  if (icon.isNull()) icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
  return icon;
}

}  // namespace

TRzTrayIcon::TRzTrayIcon(QWidget* owner, std::unique_ptr<TTrayHost> host)
    : QObject(owner), window_(owner != nullptr ? owner->window() : nullptr), host_(std::move(host)), icon_(this) {
  connect(&icon_, &QSystemTrayIcon::activated, this, &TRzTrayIcon::Activated);
  connect(host_.get(), &TTrayHost::AvailabilityChanged, this, &TRzTrayIcon::HostChanged);
  // Minimising and restoring the window by any means come through here.
  if (window_) window_->installEventFilter(this);
  AddIcon();
}

TRzTrayIcon::~TRzTrayIcon() {
  if (window_) window_->removeEventFilter(this);
}

void TRzTrayIcon::SetEnabled(bool enabled) {
  if (enabled == enabled_ && !refused_) return;
  enabled_ = enabled;
  refused_ = false;
  if (enabled) AddIcon();
  else icon_.hide();
}

void TRzTrayIcon::SetHint(const QString& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  icon_.setToolTip(CutHint(hint));
}

void TRzTrayIcon::SetPopupMenu(QMenu* menu) {
  if (popupMenu_) disconnect(popupMenu_, nullptr, this, nullptr);
  popupMenu_ = menu;
  popupOpen_ = false;
  if (!menu) return;
  connect(menu, &QMenu::aboutToHide, this, &TRzTrayIcon::PopupClosed);
  connect(menu, &QObject::destroyed, this, &TRzTrayIcon::PopupClosed);
}

void TRzTrayIcon::RestoreFromTray() {
  if (popupOpen_ || !window_) return;
  if (window_->isMinimized() || hiddenInTray_ || enabled_) {
    QScopedValueRollback changing(changingState_, true);
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    hiddenInTray_ = false;
  }
  // Restoring the application brings its window forward, icon or not.
  window_->raise();
  window_->activateWindow();
  emit OnRestoreApp();
}

void TRzTrayIcon::MinimizeToTray() {
  if (!window_) return;
  {
    QScopedValueRollback changing(changingState_, true);
    // Hiding needs no iconifying first: the window goes from the screen either way.
    if (enabled_ && hideOnMinimize_) {
      window_->hide();
      hiddenInTray_ = true;
    } else if (!window_->isMinimized() || window_->isHidden()) {
      // A window created minimised but never shown would otherwise stay out of reach.
      window_->showMinimized();
    }
  }
  emit OnMinimizeApp();
}

void TRzTrayIcon::WatchIconWindow(QWidget* iconWindow) {
  if (iconWindow == iconWindow_) return;
  if (iconWindow_) iconWindow_->removeEventFilter(this);
  iconWindow_ = iconWindow;
  if (iconWindow_) iconWindow_->installEventFilter(this);
}

void TRzTrayIcon::FindIconWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->inherits(kXEmbedIconClass)) {
      WatchIconWindow(widget);
      return;
    }
  }
}

void TRzTrayIcon::ShowPopup() {
  if (!popupMenu_) return;
  popupOpen_ = true;
  popupMenu_->popup(QCursor::pos());
  // A menu that could not open sends no closing notice.
  if (!popupMenu_->isVisible()) popupOpen_ = false;
}

bool TRzTrayIcon::eventFilter(QObject* watched, QEvent* event) {
  if (watched == iconWindow_ && iconWindow_ != nullptr) return IconWindowEvent(event);
  if (watched == window_ && event->type() == QEvent::WindowStateChange && !changingState_) {
    const bool wasMinimized = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
    const bool isMinimized = window_->isMinimized();
    // Queued: whoever minimised or restored the window finishes first (showMinimized
    // shows the window after setting its state).
    if (isMinimized && !wasMinimized) QMetaObject::invokeMethod(this, &TRzTrayIcon::MinimizedByOthers, Qt::QueuedConnection);
    else if (!isMinimized && wasMinimized) QMetaObject::invokeMethod(this, &TRzTrayIcon::RestoredByOthers, Qt::QueuedConnection);
  }
  return QObject::eventFilter(watched, event);
}

// A press does nothing, so that a click counts where the button comes up; a release
// over the icon is the click, and one dragged off it is none. A double click passes
// on: the toolkit reports it, and its release then counts as a click too.
bool TRzTrayIcon::IconWindowEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: return true;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (!iconWindow_->rect().contains(mouse->position().toPoint())) return true;
      if (mouse->button() == Qt::LeftButton)
        Click(ticLeftClickUp);
      else if (mouse->button() == Qt::RightButton)
        Click(ticRightClickUp);
      return true;
    }
    default: return false;
  }
}

void TRzTrayIcon::MinimizedByOthers() {
  if (window_ && window_->isMinimized()) MinimizeToTray();
}

void TRzTrayIcon::RestoredByOthers() {
  if (window_ && !window_->isMinimized()) RestoreFromTray();
}

void TRzTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger: Click(ticLeftClickUp); break;
    case QSystemTrayIcon::Context: Click(ticRightClickUp); break;
    case QSystemTrayIcon::DoubleClick: Click(ticLeftDblClick); break;
    default: break;
  }
}

void TRzTrayIcon::Click(TRzTrayIconClicks click) {
  if (restoreOn_ == click) RestoreFromTray();
  if (popupMenuOn_ == click) ShowPopup();
  switch (click) {
    case ticLeftClickUp: emit OnLButtonUp(); break;
    case ticLeftDblClick: emit OnLButtonDblClick(); break;
    case ticRightClickUp: emit OnRButtonUp(); break;
    default: break;
  }
}

void TRzTrayIcon::AddIcon() {
  if (!host_->Available()) {
    enabled_ = false;
    refused_ = true;
    icon_.hide();
    return;
  }
  icon_.setIcon(ApplicationIcon(window_));
  icon_.show();
  FindIconWindow();
  host_->Flush();
}

void TRzTrayIcon::HostChanged(bool available) {
  // The toolkit may have made the icon's window anew for the new host.
  if (available) FindIconWindow();
  // A host that restarts takes the shown icon back by itself; only a refused icon
  // and a vanished host need action.
  if (available && refused_) {
    enabled_ = true;
    refused_ = false;
    AddIcon();
  } else if (!available && enabled_) {
    enabled_ = false;
    refused_ = true;
    icon_.hide();
    // A window hidden in the tray would be out of reach now.
    if (window_ && hiddenInTray_) {
      QScopedValueRollback changing(changingState_, true);
      window_->showMinimized();
      hiddenInTray_ = false;
    }
  }
}

}  // namespace tapestro
