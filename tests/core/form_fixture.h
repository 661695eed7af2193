#pragma once
// A main window over a settings folder of its own, with stand-ins for the notification
// area, the volumes and the autostart entry, and its warning sounds counted.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "base/path.h"
#include "core/main_window.h"
#include "tests/controls/fakes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro::test {

class FormFixture : public ::testing::Test {
 protected:
  FormFixture() {
    std::filesystem::create_directories(Volume());
    std::filesystem::create_directories(Media());
  }
  ~FormFixture() override {
    form.reset();
    SetCurrentDir(startFolder_);
  }

  // trayHost: whether a notification area is there. The tree's top-level folders are
  // the machine's root and Volume(); volumes are mounted in Media(), where none is now.
  // buildWindow: the controls are made at once rather than at the first show.
  TForm1& MakeForm(bool trayHost = true, bool buildWindow = true) {
    form.reset();
    TWindowServices services;
    services.TrayHost = std::make_unique<TFakeTrayHost>(trayHost);
    services.Volumes = std::make_unique<TFakeVolumeSource>(
        std::vector<TVolumeInfo>{{"/", " (/)", 1}, {Volume() + "/", "Vol", 2}}, std::vector<std::string>{Media()});
    auto fakeAutostart = std::make_unique<TFakeAutostart>();
    autostart = fakeAutostart.get();
    services.Autostart = std::move(fakeAutostart);
    form = std::make_unique<TForm1>(TAppFolders{dir.Path() + "/", dir.Path() + "/"}, std::move(services));
    form->WarningSound = [this] { ++beeps; };
    // The controls, as the first show makes them.
    if (buildWindow) form->BuildWindow();
    return *form;
  }
  // Creates the window, lets the message loop start and runs the start-up step over
  // the given settings file (none when empty).
  TForm1& StartWith(const std::string& ini, bool trayHost = true) {
    if (!ini.empty()) dir.Write("Tapestro.ini", ini);
    MakeForm(trayHost);
    QCoreApplication::processEvents();
    form->startupTimer();
    QCoreApplication::processEvents();
    return *form;
  }

  std::string Volume() const { return dir.File("vol"); }
  std::string Media() const { return dir.File("media"); }
  std::string Ini() const {
    const auto bytes = ReadAll(dir.File("Tapestro.ini"));
    return std::string(bytes.begin(), bytes.end());
  }

  TempDir dir;
  std::unique_ptr<TForm1> form;
  int beeps = 0;
  TFakeAutostart* autostart = nullptr;

 private:
  std::string startFolder_ = GetCurrentDir();
};

}  // namespace tapestro::test
