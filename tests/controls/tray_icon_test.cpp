#include "controls/tray_icon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QWidget>

#include "tests/controls/fakes.h"

namespace tapestro {
namespace {

using test::TFakeTrayHost;

class TrayIconTest : public ::testing::Test {
 protected:
  // The window shown, with a tray icon over a notification area that is there or not.
  TRzTrayIcon& MakeTray(bool hostAvailable) {
    window_.show();
    auto host = std::make_unique<TFakeTrayHost>(hostAvailable);
    host_ = host.get();
    tray_ = new TRzTrayIcon(&window_, std::move(host));
    return *tray_;
  }
  QSystemTrayIcon& Icon() { return *tray_->findChild<QSystemTrayIcon*>(); }
  bool HiddenInTray() const { return window_.isHidden(); }

  QWidget window_;
  TFakeTrayHost* host_ = nullptr;
  TRzTrayIcon* tray_ = nullptr;  // owned by the window
};

TEST_F(TrayIconTest, HintIsCutTo127CharactersAndAnEmptyHintRemovesTheTip) {
  TRzTrayIcon& tray = MakeTray(true);
  tray.SetHint(QString(200, 'x'));
  EXPECT_EQ(tray.Hint().size(), 200);
  EXPECT_EQ(Icon().toolTip(), QString(127, 'x'));
  // A character outside the basic plane is never cut in half.
  tray.SetHint(QString(126, 'y') + QString::fromUcs4(U"\U0001F600") + "z");
  EXPECT_EQ(Icon().toolTip(), QString(126, 'y'));
  tray.SetHint("Tapestro");
  EXPECT_EQ(Icon().toolTip(), "Tapestro");
  tray.SetHint("");
  EXPECT_TRUE(Icon().toolTip().isEmpty());
}

TEST_F(TrayIconTest, MinimisingHidesTheWindowAndAClickBringsItBack) {
  TRzTrayIcon& tray = MakeTray(true);
  tray.SetRestoreOn(ticLeftClickUp);
  EXPECT_TRUE(tray.Enabled());
  EXPECT_TRUE(Icon().isVisible());
  QSignalSpy minimised(&tray, &TRzTrayIcon::OnMinimizeApp);

  window_.showMinimized();  // as by the title bar's button
  QCoreApplication::processEvents();
  EXPECT_TRUE(HiddenInTray());
  EXPECT_EQ(minimised.count(), 1);

  emit Icon().activated(QSystemTrayIcon::Trigger);
  EXPECT_TRUE(window_.isVisible());
  EXPECT_FALSE(window_.isMinimized());

  tray.MinimizeToTray();
  EXPECT_TRUE(HiddenInTray());
  tray.RestoreFromTray();
  EXPECT_TRUE(window_.isVisible());
  EXPECT_FALSE(window_.isMinimized());
}

TEST_F(TrayIconTest, ClicksMapToTheirTriggers) {
  QMenu menu;
  menu.addAction("&Show Window");
  TRzTrayIcon& tray = MakeTray(true);
  tray.SetPopupMenu(&menu);
  QSignalSpy restored(&tray, &TRzTrayIcon::OnRestoreApp);
  QSignalSpy rightUps(&tray, &TRzTrayIcon::OnRButtonUp);

  // Default: a double click restores, a single one does not.
  emit Icon().activated(QSystemTrayIcon::Trigger);
  EXPECT_EQ(restored.count(), 0);
  emit Icon().activated(QSystemTrayIcon::DoubleClick);
  EXPECT_EQ(restored.count(), 1);

  emit Icon().activated(QSystemTrayIcon::Context);
  EXPECT_EQ(rightUps.count(), 1);
  EXPECT_TRUE(menu.isVisible());
  EXPECT_TRUE(tray.PopupOpen());
  menu.hide();
  EXPECT_FALSE(tray.PopupOpen());
}

TEST_F(TrayIconTest, InItsOwnIconWindowAClickCountsWhereTheButtonComesUpOverTheIcon) {
  QMenu menu;
  menu.addAction("&Show Window");
  TRzTrayIcon& tray = MakeTray(true);
  tray.SetRestoreOn(ticLeftClickUp);
  tray.SetPopupMenu(&menu);
  QWidget iconWindow;  // stands for the toolkit's XEmbed icon window
  iconWindow.resize(22, 22);
  tray.WatchIconWindow(&iconWindow);
  QSignalSpy restored(&tray, &TRzTrayIcon::OnRestoreApp);
  const auto send = [&](QEvent::Type type, Qt::MouseButton button) {
    QMouseEvent event(type, QPointF(5, 5), iconWindow.mapToGlobal(QPointF(5, 5)), button, button, Qt::NoModifier);
    QApplication::sendEvent(&iconWindow, &event);
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton);
  EXPECT_EQ(restored.count(), 0);
  send(QEvent::MouseButtonRelease, Qt::LeftButton);
  EXPECT_EQ(restored.count(), 1);
  send(QEvent::MouseButtonPress, Qt::RightButton);
  EXPECT_FALSE(menu.isVisible());
  send(QEvent::MouseButtonRelease, Qt::RightButton);
  EXPECT_TRUE(menu.isVisible());
  menu.hide();
}

TEST_F(TrayIconTest, RestoreIsIgnoredWhileThePopupIsOpen) {
  QMenu menu;
  menu.addAction("&Hide Window");
  TRzTrayIcon& tray = MakeTray(true);
  tray.SetPopupMenu(&menu);
  tray.MinimizeToTray();

  tray.ShowPopup();
  ASSERT_TRUE(tray.PopupOpen());
  tray.RestoreFromTray();
  EXPECT_TRUE(HiddenInTray());

  menu.hide();
  tray.RestoreFromTray();
  EXPECT_TRUE(window_.isVisible());
}

TEST_F(TrayIconTest, AMenuFreedWhileOpenIsForgotten) {
  auto menu = std::make_unique<QMenu>();
  menu->addAction("E&xit");
  TRzTrayIcon& tray = MakeTray(true);
  tray.SetPopupMenu(menu.get());
  tray.ShowPopup();
  menu.reset();
  EXPECT_EQ(tray.PopupMenu(), nullptr);
  EXPECT_FALSE(tray.PopupOpen());
  tray.ShowPopup();  // nothing to show, nothing breaks
}

TEST_F(TrayIconTest, WithoutANotificationAreaTheWindowMinimisesAndStaysReachable) {
  TRzTrayIcon& tray = MakeTray(false);
  EXPECT_FALSE(tray.Enabled());
  EXPECT_FALSE(Icon().isVisible());
  window_.showMinimized();
  QCoreApplication::processEvents();
  EXPECT_TRUE(window_.isMinimized());
  EXPECT_TRUE(window_.isVisible());
  tray.MinimizeToTray();  // "Hide Window" as well
  EXPECT_TRUE(window_.isVisible());
  tray.RestoreFromTray();
  EXPECT_FALSE(window_.isMinimized());
}

TEST_F(TrayIconTest, AWindowCreatedMinimisedStartsAsTheIconOrAsAMinimisedWindow) {
  for (const bool hostAvailable : {true, false}) {
    QWidget window;
    window.setWindowState(Qt::WindowMinimized);  // created so, never shown
    auto* tray = new TRzTrayIcon(&window, std::make_unique<TFakeTrayHost>(hostAvailable));
    tray->MinimizeToTray();
    // Without a notification area the window must stay within reach.
    EXPECT_EQ(window.isVisible(), !hostAvailable) << hostAvailable;
    EXPECT_TRUE(window.isMinimized() || window.isHidden()) << hostAvailable;
    tray->RestoreFromTray();
    EXPECT_TRUE(window.isVisible()) << hostAvailable;
    EXPECT_FALSE(window.isMinimized()) << hostAvailable;
  }
}

TEST_F(TrayIconTest, RealOffscreenPlatformHasNoNotificationArea) {
  window_.show();
  auto* tray = new TRzTrayIcon(&window_);
  EXPECT_FALSE(tray->Enabled());
  tray->MinimizeToTray();
  EXPECT_TRUE(window_.isMinimized());
  EXPECT_TRUE(window_.isVisible());
}

TEST_F(TrayIconTest, FollowsTheNotificationAreaAsItComesAndGoes) {
  TRzTrayIcon& tray = MakeTray(true);
  tray.MinimizeToTray();
  ASSERT_TRUE(HiddenInTray());

  host_->SetAvailable(false);  // the panel quits
  EXPECT_FALSE(tray.Enabled());
  EXPECT_FALSE(Icon().isVisible());
  EXPECT_TRUE(window_.isVisible());  // back as a minimised window
  EXPECT_TRUE(window_.isMinimized());

  host_->SetAvailable(true);  // and starts again
  EXPECT_TRUE(tray.Enabled());
  EXPECT_TRUE(Icon().isVisible());

  // Switched off by the program, it stays off.
  tray.SetEnabled(false);
  host_->SetAvailable(false);
  host_->SetAvailable(true);
  EXPECT_FALSE(tray.Enabled());
  EXPECT_FALSE(Icon().isVisible());
}

TEST_F(TrayIconTest, HideOnMinimizeOffLeavesAMinimisedWindow) {
  TRzTrayIcon& tray = MakeTray(true);
  tray.SetHideOnMinimize(false);
  tray.MinimizeToTray();
  EXPECT_TRUE(window_.isVisible());
  EXPECT_TRUE(window_.isMinimized());
}

}  // namespace
}  // namespace tapestro
