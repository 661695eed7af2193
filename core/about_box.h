#pragma once
// TfrmAbout, the about box: the version, an information and credits text, a donation
// picture that opens the donation page and a link to the web site. The main window
// makes it when "&About" is first chosen and shows it without making it modal; closing
// it only hides it, so it comes back where the user left it.
#include <QWidget>
#include <functional>
#include <string>

#include "platform/system_services.h"

class QLabel;
class QPlainTextEdit;

namespace tapestro {

class TImage;

// Opens an address in the user's browser: OpenWebPage in the program, a recorder in
// tests. Whether a page opened is not looked at.
using TWebPageOpener = std::function<void(const std::string& address)>;

class TfrmAbout : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

  // Opens the two pages; tests put a recorder here.
  TWebPageOpener OpenPage = OpenWebPage;

  QWidget* pnlTop;
  QLabel* lblVersion;
  QLabel* lblCurrVs;
  QPlainTextEdit* Memo1;
  QWidget* pnldonate;
  TImage* Image1;  // the donation picture
  QLabel* lblURL;

  // Fills the memo with the information and credits text; runs once, at creation.
  void FormCreate();
  void lblURLClick();
  void Image1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildVersionPanel();
  void BuildMemo();
  void BuildDonationPanel();
  void BuildLink();

  bool shownOnce_ = false;
};

}  // namespace tapestro
