// tapestro: the desktop program. It starts minimised, with no visible window; the
// start-up step a second later restores the stored choices.
#include "controls/status_pane.h"
#include "core/about_box.h"
#include "core/application.h"
#include "core/main_window.h"
#include "core/program_texts.h"
#include "core/wallpaper_conversions.h"
#include "core/wallpaper_restore.h"
#include "gif/painter/services.h"
#include "platform/app_folders.h"
#include "platform/qt_ui_dispatcher.h"
#include "platform/system_services.h"

int main(int argc, char** argv) {
  tapestro::ReturnLargeBlocksAtOnce();
  tapestro::TApplication application(argc, argv);
  application.SetTitle(tapestro::text::kApplicationTitle);
  // The main window's close ends the program, whatever other windows are open.
  application.setQuitOnLastWindowClosed(false);
  tapestro::RegisterPictureFormats(tapestro::PrimaryScreenBitsPerPixel());
  // GIF animations hand their drawing to this thread. Every picture is freed before
  // the dispatcher, which is declared first.
  tapestro::TQtUiDispatcher dispatcher;
  const tapestro::TScopedPainterServices painting({&dispatcher});

  const tapestro::TAppFolders folders = tapestro::ProgramFolders();
  // Before the window and the icon appear: a desktop that forgot the wallpaper at the
  // end of the last session shows it again.
  tapestro::TStartUpDesktop startUp = tapestro::RestoreAtStart(folders);
  tapestro::TForm1 form(folders);
  if (startUp.Desktop) form.TakeDesktop(std::move(startUp.Desktop));
  if (!startUp.Error.empty()) form.StatusPane1->SetCaption(QString::fromStdString(startUp.Error));
  tapestro::TfrmAbout frmAbout;
  form.frmAbout = &frmAbout;
  QObject::connect(&form, &tapestro::TForm1::Closed, &application, &QApplication::quit);
  return application.exec();
}
