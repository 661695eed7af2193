// tapestro: the desktop program. One copy runs per session: a later start hands its
// command (--show when it has none) to that copy and ends. The first copy starts
// minimised, with no visible window, after a desktop that forgot the wallpaper has it
// back; the start-up step a second later restores the stored choices. The command line
// is read before any application object exists, so that --help and --version answer
// without a display.
#include <cstdio>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "core/application.h"
#include "core/main_window.h"
#include "core/program_texts.h"
#include "core/wallpaper_conversions.h"
#include "core/wallpaper_restore.h"
#include "gif/painter/services.h"
#include "platform/app_folders.h"
#include "platform/qt_ui_dispatcher.h"
#include "platform/single_instance.h"
#include "platform/system_services.h"

namespace {

using tapestro::TInstanceCommand;

constexpr char kProgram[] = "tapestro";
constexpr int kUsageError = 2;
const std::vector<tapestro::TOption> kOptions{
    {"change-now", 0, nullptr, "ask the running copy to change the wallpaper now"},
    {"show", 0, nullptr, "ask the running copy to show its window"},
    {"quit", 0, nullptr, "ask the running copy to exit"},
    {"help", 'h', nullptr, "print this help and exit"},
    {"version", 0, nullptr, "print the version and exit"}};

// What the command line asks for: an exit status when it is answered here (help,
// version, a word it does not know), else the command for the running copy, if any.
struct TRequest {
  std::optional<int> ExitStatus;
  std::optional<TInstanceCommand> Remote;
};

TRequest ReadCommandLine(int argc, char** argv) {
  tapestro::TCommandLine line;
  try {
    line = tapestro::ParseCommandLine(kOptions, std::vector<std::string>(argv + 1, argv + argc));
    if (!line.Operands.empty()) throw tapestro::EUsage("unknown argument '" + line.Operands[0] + "'");
    if (line.Options.size() > 1 && !line.Has("help") && !line.Has("version"))
      throw tapestro::EUsage("one command at a time");
  } catch (const tapestro::EUsage& refused) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", kProgram, refused.what(), kProgram);
    return {kUsageError, std::nullopt};
  }
  if (line.Has("help")) {
    std::printf("usage: %s [--change-now | --show | --quit]\n       %s --help | --version\n\n", kProgram, kProgram);
    std::printf(
        "Changes the desktop wallpaper on a timer from the notification area. One copy runs\n"
        "per session: a later start shows that copy's window and ends.\n\noptions:\n%s",
        tapestro::OptionsHelp(kOptions).c_str());
    return {0, std::nullopt};
  }
  if (line.Has("version")) {
    std::printf("%s %s\n", kProgram, TAPESTRO_VERSION);
    return {0, std::nullopt};
  }
  if (line.Options.empty()) return {};
  return {std::nullopt, tapestro::InstanceCommandNamed(line.Options.begin()->first)};
}

int NoCopyAnswered() {
  std::fprintf(stderr, "%s: no running copy of Tapestro answers in this session\n", kProgram);
  return 1;
}

// --change-now, --show or --quit: no window, only what reaches the running copy.
int SendToRunningCopy(int& argc, char** argv, TInstanceCommand command) {
  const QCoreApplication application(argc, argv);
  return tapestro::CreateSingleInstance(tapestro::kApplicationId)->Send(command) ? 0 : NoCopyAnswered();
}

int RunProgram(int& argc, char** argv) {
  tapestro::ReturnLargeBlocksAtOnce();
  tapestro::TApplication application(argc, argv);
  application.SetTitle(tapestro::text::kApplicationTitle);
  // Desktops match the windows to the installed menu entry and icon by this name.
  QGuiApplication::setDesktopFileName(tapestro::kApplicationId);
  const std::unique_ptr<tapestro::TSingleInstance> instance = tapestro::CreateSingleInstance(tapestro::kApplicationId);
  if (!instance->Claim()) return instance->Send(TInstanceCommand::Show) ? 0 : NoCopyAnswered();
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
  if (!startUp.Error.empty()) form.ShowMessageText(QString::fromStdString(startUp.Error));
  QObject::connect(&form, &tapestro::TForm1::Closed, &application, &QApplication::quit);
  QObject::connect(instance.get(), &tapestro::TSingleInstance::CommandReceived, &form,
                   [&form](TInstanceCommand command) { tapestro::RunGuarded([&] { form.RemoteCommand(command); }); });
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  const TRequest request = ReadCommandLine(argc, argv);
  if (request.ExitStatus) return *request.ExitStatus;
  if (request.Remote) return SendToRunningCopy(argc, argv, *request.Remote);
  return RunProgram(argc, argv);
}
