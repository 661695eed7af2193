// The soak run: 10,000 wallpaper changes in one process through the path the window
// takes (preparation, the JPEG and GIF conversions to BMP, the desktop queue's thread,
// the outcome back on this thread, the settings file kept for restore), over a folder of
// JPEG, GIF, BMP and PNG pictures made at the start. The desktop is the recording back
// end: no display is needed, and X server pixmaps are not measured. Each change is
// driven at once, never by the timer. Every 500 changes it prints the resident memory
// and the open file descriptors; it exits non-zero when, after the first 100 changes,
// memory grows by 1 MiB or more, the descriptors change, or a change fails.
//   build/bench/soak [changes]
#include <unistd.h>

#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/desktop_queue.h"
#include "core/program_texts.h"
#include "core/wallpaper_conversions.h"
#include "core/wallpaper_preparation.h"
#include "imaging/bitmap.h"
#include "platform/desktop/recording_desktop_backend.h"
#include "tests/core/recording_preparation_context.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

constexpr int kChanges = 10000;
constexpr int kBaselineChange = 100;
constexpr int kReportEvery = 500;
constexpr long kAllowedGrowthKiB = 1024;
constexpr int kWidth = 320;
constexpr int kHeight = 240;

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// A smooth colour field, so the JPEG and PNG encoders have real work.
QImage Gradient() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) image.setPixel(x, y, qRgb(x * 255 / kWidth, y * 255 / kHeight, (x ^ y) & 255));
  return image;
}

void WriteBmp(const std::string& path, TPixelFormat format) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(kWidth);
  bitmap.SetHeight(kHeight);
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int i = 0; i < kWidth * 3; ++i) row[i] = static_cast<uint8_t>(i + y);
  }
  bitmap.SetPixelFormat(format);
  bitmap.SaveToFile(path);
}

// Eight pictures: three JPEG files (one of ours, two of the test set's coding
// variants), a 256-colour GIF and a small animation, two BMP files and a PNG file.
std::vector<std::string> MakePictures(const test::TempDir& dir) {
  const std::string jpegs = test::ProjectDataDir() + "/jpeg/";
  std::vector<std::string> files = {dir.File("photo.jpg"),   dir.File("progressive.jpg"), dir.File("cmyk.jpg"),
                                    dir.File("noise.gif"),   dir.File("animation.gif"),   dir.File("true.bmp"),
                                    dir.File("palette.bmp"), dir.File("picture.png")};
  const QImage gradient = Gradient();
  if (!gradient.save(QString::fromStdString(files[0]), "JPEG", 85) ||
      !gradient.save(QString::fromStdString(files[7]), "PNG"))
    throw std::runtime_error("cannot write the JPEG and PNG pictures");
  std::filesystem::copy_file(jpegs + "progressive-64x48.jpg", files[1]);
  std::filesystem::copy_file(jpegs + "cmyk-ycck-adobe-64x48.jpg", files[2]);
  const test::Bytes noise = test::NoisePixels(kWidth * kHeight, 256, 15);
  test::WriteAll(files[3],
                 test::GifBuilder().Header(kWidth, kHeight, 256).Image(kWidth, kHeight, noise).Trailer().Get());
  test::WriteAll(files[4], test::SolidAnimation({10, 10, 10}, 0));
  WriteBmp(files[5], TPixelFormat::pf24bit);
  WriteBmp(files[6], TPixelFormat::pf8bit);
  return files;
}

struct Sample {
  int Change;
  long ResidentKiB;
  int Descriptors;
};

class Soak {
 public:
  explicit Soak(std::vector<std::string> pictures)
      : pictures_(std::move(pictures)), context_(dir_.Path() + "/"), queue_(MakeDesktop(), desktop::TDesktopSetup{}) {}

  // One change: prepares the picture, lets the queue's thread hand it to the desktop and
  // waits for the outcome's event (no timer). False when the desktop did not take it.
  bool Change(int index) {
    values_.CurrentFile = pictures_[static_cast<size_t>(index) % pictures_.size()];
    bool done = false;
    std::exception_ptr error;
    TDesktopRunner runner = [this, &done, &error](TDesktopWork work, TDesktopDone finish) {
      queue_.Post(std::move(work), [&done, &error, finish = std::move(finish)](std::exception_ptr failure) {
        try {
          finish(failure);
        } catch (...) {
          error = std::current_exception();
        }
        done = true;
      });
    };
    if (!TWallpaperPreparation(settings_, values_, context_, std::move(runner), TWallpaperConversions{}).do_wallpaper())
      return false;
    while (!done) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const bool reloaded =
        !error && !desktop_->Calls.empty() && desktop_->Calls.back() == "reload" && !context_.Messages.empty() &&
        context_.Messages.back().rfind(text::kWallpaperUpdated, 0) == 0 && context_.MessageBoxes.empty();
    // The recording back end and context keep every call; only the program's memory counts.
    desktop_->Calls.clear();
    context_.Events.clear();
    context_.Messages.clear();
    return reloaded;
  }

 private:
  std::unique_ptr<desktop::TDesktopBackend> MakeDesktop() {
    auto desktop = std::make_unique<desktop::TRecordingDesktopBackend>();
    desktop_ = desktop.get();
    return desktop;
  }

  test::TempDir dir_;
  std::vector<std::string> pictures_;
  TSettings settings_{dir_.File("Tapestro.ini")};
  TProgramValues values_;
  test::RecordingPreparationContext context_;
  desktop::TRecordingDesktopBackend* desktop_ = nullptr;
  TDesktopQueue queue_;
};

int Run(int changes) {
  RegisterPictureFormats(24);
  const test::TempDir folder;
  Soak soak(MakePictures(folder));
  std::vector<Sample> samples;
  int failures = 0;
  const auto start = std::chrono::steady_clock::now();
  std::printf("%8s %12s %5s\n", "changes", "resident KiB", "fds");
  for (int change = 1; change <= changes; ++change) {
    if (!soak.Change(change - 1)) ++failures;
    if (change == kBaselineChange || change % kReportEvery == 0 || change == changes) {
      samples.push_back({change, ResidentKiB(), OpenDescriptors()});
      std::printf("%8d %12ld %5d\n", change, samples.back().ResidentKiB, samples.back().Descriptors);
      std::fflush(stdout);
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const Sample& base = samples.front();
  const Sample& last = samples.back();
  const long growth = last.ResidentKiB - base.ResidentKiB;
  const bool flatMemory = growth < kAllowedGrowthKiB;
  const bool flatDescriptors = last.Descriptors == base.Descriptors;
  std::printf("%d changes in %.1f s (%.2f ms each), %d failed\n", changes, seconds, 1000 * seconds / changes, failures);
  std::printf("growth after change %d: %ld KiB (%s 1 MiB); descriptors %d -> %d (%s)\n", base.Change, growth,
              flatMemory ? "under" : "NOT under", base.Descriptors, last.Descriptors,
              flatDescriptors ? "flat" : "NOT flat");
  return flatMemory && flatDescriptors && failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace tapestro

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const int changes = argc > 1 ? std::max(std::atoi(argv[1]), tapestro::kBaselineChange) : tapestro::kChanges;
  try {
    return tapestro::Run(changes);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "soak: %s\n", e.what());
    return 2;
  }
}
