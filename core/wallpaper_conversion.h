#pragma once
// The two conversions of wallpaper preparation: a JPEG image decoded into
// "tempwp.bmp", a GIF's first frame into "temp.bmp", both in the program's data
// folder. They report through a context, so the window, the tool and the tests can
// each supply their own message pane, beep and pause.
#include <string>

namespace tapestro {

class TConversionContext {
 public:
  virtual ~TConversionContext() = default;
  // The message pane: progress and error texts.
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void Beep() = 0;
  // Blocks the calling (user-interface) thread.
  virtual void Pause(int milliseconds) = 0;
  // Where the temporary BMP files go, with its trailing separator.
  virtual std::string TemporaryFolder() const = 0;
  // Shows the file in the preview picture; raises when it cannot be loaded.
  virtual void LoadPreview(const std::string& path) = 0;
};

struct TConversionOutcome {
  bool Apply = false;         // false: the update stops, nothing is applied
  std::string TemporaryPath;  // empty when the conversion stopped before setting it
};

inline constexpr char kJpegTemporaryName[] = "tempwp.bmp";
inline constexpr char kGifTemporaryName[] = "temp.bmp";

TConversionOutcome ConvertJpegWallpaper(const std::string& source, TConversionContext& context);
TConversionOutcome ConvertGifWallpaper(const std::string& source, TConversionContext& context);

}  // namespace tapestro
