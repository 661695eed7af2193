// The GIF branch of wallpaper preparation: the file is shown in the preview, and its
// first frame's bitmap is written as "temp.bmp". No failure here stops the update.
#include <exception>

#include "base/atomic_file.h"
#include "core/program_texts.h"
#include "core/wallpaper_conversion.h"
#include "gif/gif_image.h"

namespace tapestro {

namespace {

constexpr int kConversionErrorPauseMs = 1500;

// The first frame as a BMP file at path; false when that frame has no bitmap (no
// frames raise EListError). The file is replaced whole, so the desktop never reads a
// cut file and a failed save leaves the previous one.
bool SaveFirstFrame(TGIFImage& gif, const std::string& path) {
  TBitmap* bitmap = gif.SubImage(0).FrameBitmap();
  if (bitmap == nullptr) return false;
  TAtomicFileWriter writer(path, TAtomicFileWriter::Durability::VisibleOnly);
  bitmap->SaveToStream(writer.Stream());
  writer.Commit();
  return true;
}

}  // namespace

TConversionOutcome ConvertGifWallpaper(const std::string& source, TConversionContext& context) {
  TConversionOutcome outcome;
  outcome.Apply = true;
  context.ShowMessage(text::kGifProcessing);
  try {
    context.LoadPreview(source);
  } catch (const std::exception&) {
    context.Beep();
    context.ShowMessage(text::kGifPreviewFailed);
  }
  context.ShowMessage(text::kGifPreviewLoaded);
  bool saved = false;
  try {
    TGIFImage gif;
    gif.ReadFromFile(source);
    outcome.TemporaryPath = context.TemporaryFolder() + kGifTemporaryName;
    saved = SaveFirstFrame(gif, outcome.TemporaryPath);
  } catch (const std::exception&) {
    // Reported below, like a first frame without a bitmap.
  }
  if (!saved) {
    context.ShowMessage(text::kGifConversionFailed);
    context.Pause(kConversionErrorPauseMs);
  }
  return outcome;
}

}  // namespace tapestro
