#pragma once
// Which way a file goes to the desktop and the two conversions on the way: BMP and PNG
// files as they are, a GIF's first frame as "temp.bmp", anything else decoded as a JPEG
// image into "tempwp.bmp", both in the program's data folder. The conversions report
// through a context, so the window, the tool and the tests each supply their own
// message pane, beep and pause. The tool's convert takes the same routes and writes its
// BMP files the same way.
#include <functional>
#include <string>

namespace tapestro {

class TBitmap;
class TGIFImage;

enum class TWallpaperRoute { AsItIs, Gif, Jpeg };

// Decided on the upper-cased whole name, folders included, in this order: ".BMP" or
// ".PNG" anywhere goes as it is, then ".GIF", and anything else is a JPEG image. So a
// JPEG file in a folder named "x.bmp" goes as it is.
TWallpaperRoute WallpaperRouteOf(const std::string& file);

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

// Load failures beep, show the source and stop the update; a failed decode or save
// shows the temporary path and stops it too.
TConversionOutcome ConvertJpegWallpaper(const std::string& source, TConversionContext& context);
// Shows the file in the preview first. No failure stops the update: it goes on with
// the temporary path when it was set, else with the GIF itself.
TConversionOutcome ConvertGifWallpaper(const std::string& source, TConversionContext& context);

using TWallpaperConversion = std::function<TConversionOutcome(const std::string& source, TConversionContext& context)>;

// The conversions wallpaper preparation runs: the program's own, or a test's stand-ins.
struct TWallpaperConversions {
  TWallpaperConversion Jpeg = ConvertJpegWallpaper;
  TWallpaperConversion Gif = ConvertGifWallpaper;
};

// The bitmap a GIF's first frame gives, owned by gif. EInvalidGraphic "%s: the GIF file
// has no first image" (with path) when there is no frame or it yields no bitmap.
TBitmap& GifFirstFrame(TGIFImage& gif, const std::string& path);

// Writes bitmap as a BMP file that replaces path whole: the desktop may read the
// wallpaper at any moment and sees the old file or the new one, never a cut one, and
// a failed save leaves the old file as it was.
void SaveBitmapReplacing(TBitmap& bitmap, const std::string& path);

// The picture formats the program and the tool load by extension, registered once at
// start in the order the registry keeps them: JPEG, then GIF. Both decoders read the
// display depth when they register, so it is set first.
void RegisterPictureFormats(int displayBitsPerPixel);

}  // namespace tapestro
