#include "core/about_box.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "base/stream.h"
#include "controls/image.h"
#include "core/application.h"
#include "core/donation_picture.h"
#include "core/program_texts.h"
#include "gif/gif_image.h"

namespace tapestro {

namespace {

// The layout's figures, in pixels: it is not scaled to the screen's text size.
constexpr int kClientWidth = 376;
constexpr int kClientHeight = 299;
constexpr int kTopPanelHeight = 30;
constexpr int kVersionLabelWidth = 169;
constexpr int kVersionFontPixels = 19;
constexpr int kMemoHeight = 174;
constexpr int kMemoFontPoints = 9;
constexpr int kDonationPanelHeight = 75;
constexpr QRect kDonationPicture{56, 0, 209, 49};
constexpr int kLinkHeight = 20;
constexpr int kLinkFontPoints = 10;
constexpr QColor kLinkColor{0, 0, 255};

QFont FontOfPixels(int pixels) {
  QFont font = ClassicWindowFont();
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmAbout");
  setWindowTitle(text::kAboutCaption);
  setWindowIcon(ProgramIcon());
  setFont(ClassicWindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  BuildVersionPanel();
  BuildMemo();
  BuildDonationPanel();
  BuildLink();
  FormCreate();
}

void TfrmAbout::BuildVersionPanel() {
  pnlTop = Named(new QWidget(this), "pnlTop");
  pnlTop->setGeometry(0, 0, kClientWidth, kTopPanelHeight);
  lblVersion = Named(new QLabel(text::kVersionLabel, pnlTop), "lblVersion");
  lblVersion->setGeometry(0, 0, kVersionLabelWidth, kTopPanelHeight);
  // Right-justified up to its closing blank, so that the two labels read as one line.
  lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblCurrVs = Named(new QLabel(text::kVersion, pnlTop), "lblCurrVs");
  lblCurrVs->setGeometry(kVersionLabelWidth, 0, kClientWidth - kVersionLabelWidth, kTopPanelHeight);
  lblCurrVs->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (QLabel* label : {lblVersion, lblCurrVs}) label->setFont(FontOfPixels(kVersionFontPixels));
}

void TfrmAbout::BuildMemo() {
  Memo1 = Named(new QPlainTextEdit(this), "Memo1");
  Memo1->setGeometry(0, kTopPanelHeight, kClientWidth, kMemoHeight);
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Skipped by Tab: reached only by a click.
  Memo1->setFocusPolicy(Qt::ClickFocus);
  Memo1->setFont(ClassicWindowFont(kMemoFontPoints));
}

void TfrmAbout::BuildDonationPanel() {
  pnldonate = Named(new QWidget(this), "pnldonate");
  pnldonate->setGeometry(0, kTopPanelHeight + kMemoHeight, kClientWidth, kDonationPanelHeight);
  pnldonate->setBackgroundRole(QPalette::Base);
  pnldonate->setAutoFillBackground(true);
  Image1 = Named(new TImage(pnldonate), "Image1");
  Image1->setGeometry(kDonationPicture);
  // The picture has the box's size, so at its own size it sits centred.
  Image1->SetStretch(false);
  Image1->setCursor(Qt::PointingHandCursor);
  Image1->setToolTip(text::kDonateHint);
  Image1->installEventFilter(this);
  auto gif = std::make_unique<TGIFImage>();
  TSpanStream stream(DonationPicture());
  gif->ReadFromStream(stream);
  Image1->Picture().SetGraphic(std::move(gif));
}

void TfrmAbout::BuildLink() {
  lblURL = Named(new QLabel(text::kVisitWebSite, this), "lblURL");
  lblURL->setGeometry(0, kClientHeight - kLinkHeight, kClientWidth, kLinkHeight);
  lblURL->setAlignment(Qt::AlignCenter);
  QFont font = ClassicWindowFont(kLinkFontPoints);
  font.setBold(true);
  font.setUnderline(true);
  lblURL->setFont(font);
  QPalette palette = lblURL->palette();
  palette.setColor(QPalette::WindowText, kLinkColor);
  lblURL->setPalette(palette);
  lblURL->setCursor(Qt::PointingHandCursor);
  lblURL->installEventFilter(this);
}

void TfrmAbout::FormCreate() { Memo1->setPlainText(QString::fromStdString(text::AboutInformation())); }

void TfrmAbout::lblURLClick() { OpenPage(kHomePage); }

void TfrmAbout::Image1Click() { OpenPage(kDonationPage); }

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
  // A click is a left-button release over the control that was pressed.
  if (event->type() != QEvent::MouseButtonRelease) return QWidget::eventFilter(watched, event);
  const auto* release = static_cast<QMouseEvent*>(event);
  const auto* control = static_cast<QWidget*>(watched);
  if (release->button() != Qt::LeftButton || !control->rect().contains(release->position().toPoint())) return false;
  if (watched == lblURL) RunGuarded([this] { lblURLClick(); });
  if (watched == Image1) RunGuarded([this] { Image1Click(); });
  return false;
}

void TfrmAbout::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Centred the first time; afterwards it stays where the user left it.
  if (shownOnce_) return;
  shownOnce_ = true;
  CenterOnScreen(*this);
}

}  // namespace tapestro
