// The about box: its window and controls, one box however often "&About" is chosen,
// hidden rather than destroyed on close, and the two links.
#include "core/about_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include "controls/image.h"
#include "core/main_window.h"
#include "gif/gif_image.h"
#include "tests/core/form_fixture.h"

namespace tapestro {
namespace {

using ::testing::ElementsAre;

class AboutBoxTest : public test::FormFixture {
 protected:
  AboutBoxTest() : form(MakeForm()) {
    form.frmAbout = &about;
    const auto record = [this](const std::string& address) { opened.push_back(address); };
    form.OpenPage = record;
    about.OpenPage = record;
  }

  static int AboutBoxes() {
    int boxes = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) boxes += qobject_cast<TfrmAbout*>(widget) != nullptr;
    return boxes;
  }

  TForm1& form;
  TfrmAbout about;
  std::vector<std::string> opened;
};

TEST_F(AboutBoxTest, IsAFixedWindowWithTheVersionAReadOnlyTextAndTheDonationPicture) {
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.windowTitle(), "About Tapestro");
  EXPECT_EQ(about.windowIcon().pixmap(32).toImage(), form.windowIcon().pixmap(32).toImage());
  EXPECT_EQ(about.size(), QSize(376, 299));
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  EXPECT_TRUE(about.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(about.lblVersion->text() + about.lblCurrVs->text(), "Version 2.01");

  EXPECT_TRUE(about.Memo1->isReadOnly());
  EXPECT_EQ(about.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_FALSE(about.Memo1->focusPolicy() & Qt::TabFocus);
  const QString information = about.Memo1->toPlainText();
  EXPECT_TRUE(information.contains("donationware"));
  EXPECT_TRUE(information.contains("https://tapestro.example.org/"));
  EXPECT_TRUE(information.contains("@example.org"));
  about.show();
  about.Memo1->setFocus();
  QTest::keyClicks(about.Memo1, "typed");
  EXPECT_EQ(about.Memo1->toPlainText(), information);

  EXPECT_EQ(about.Image1->geometry(), QRect(56, 0, 209, 49));
  EXPECT_EQ(about.Image1->toolTip(), "Please donate - support the author");
  EXPECT_EQ(about.Image1->cursor().shape(), Qt::PointingHandCursor);
  const auto* picture = dynamic_cast<TGIFImage*>(about.Image1->Picture().Graphic());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 209);
  EXPECT_EQ(picture->Height(), 49);
  EXPECT_GE(picture->SubImageCount(), 2);

  EXPECT_TRUE(about.lblURL->font().bold());
  EXPECT_TRUE(about.lblURL->font().underline());
  EXPECT_EQ(about.lblURL->alignment(), Qt::AlignCenter);
  EXPECT_EQ(about.lblURL->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AboutBoxTest, AboutTwiceShowsTheOneBoxWithoutBlockingTheMainWindow) {
  const int boxes = AboutBoxes();
  form.mnuAbout1->trigger();
  form.mnuAbout1->trigger();
  EXPECT_TRUE(about.isVisible());
  EXPECT_FALSE(about.isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(AboutBoxes(), boxes);
}

TEST_F(AboutBoxTest, OpensCentredThenClosingHidesItAndItComesBackWhereItWasLeft) {
  form.mnuAbout1->trigger();
  const QPoint centre = about.screen()->availableGeometry().center();
  EXPECT_LE((about.frameGeometry().center() - centre).manhattanLength(), 2);
  about.move(about.pos() + QPoint(40, -25));
  const QPoint left = about.pos();
  EXPECT_TRUE(about.close());
  EXPECT_FALSE(about.isVisible());
  form.mnuAbout1->trigger();
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(about.pos(), left);
}

TEST_F(AboutBoxTest, GoesToTheTrayWithTheWindowAndComesBackWithIt) {
  form.pitShow->trigger();
  form.mnuAbout1->trigger();
  ASSERT_TRUE(about.isVisible());
  form.pitHide->trigger();
  EXPECT_FALSE(about.isVisible());
  form.pitShow->trigger();
  EXPECT_TRUE(about.isVisible());
  // Closed before, it stays closed.
  about.close();
  form.pitHide->trigger();
  form.pitShow->trigger();
  EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutBoxTest, TheLinksAndTheHelpMenuOpenTheTwoPages) {
  about.show();
  QTest::mouseClick(about.lblURL, Qt::LeftButton);
  QTest::mouseClick(about.Image1, Qt::LeftButton);
  QTest::mouseClick(about.Image1, Qt::RightButton);
  form.Donatetoauthor1->trigger();
  form.mnuVisitTapestroHomepage->trigger();
  EXPECT_THAT(opened, ElementsAre("https://tapestro.example.org/", "https://tapestro.example.org/donate",
                                  "https://tapestro.example.org/donate", "https://tapestro.example.org/"));
}

}  // namespace
}  // namespace tapestro
