// The JPEG branch of wallpaper preparation: the file decoded and written as
// "tempwp.bmp" in the temporary folder.
#include <exception>
#include <memory>

#include "base/atomic_file.h"
#include "core/jpeg_conversion_texts.h"
#include "core/wallpaper_conversion.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_image.h"

namespace tapestro {

namespace {

// The desktop may read the wallpaper at any moment: it sees the old file or the new
// one, never a cut one, and a failed save leaves the old file whole.
void SaveReplacing(TBitmap& bitmap, const std::string& path) {
  TAtomicFileWriter writer(path, TAtomicFileWriter::Durability::VisibleOnly);
  bitmap.SaveToStream(writer.Stream());
  writer.Commit();
}

}  // namespace

TConversionOutcome ConvertJpegWallpaper(const std::string& source, TConversionContext& context) {
  auto jpeg = std::make_unique<TJPEGImage>();
  try {
    jpeg->LoadFromFile(source);
  } catch (const std::exception&) {
    context.Beep();
    context.ShowMessage(text::kJpegLoadFailed + source);
    context.Pause(text::kJpegLoadFailedPauseMs);
    return {};
  }

  TConversionOutcome outcome;
  auto bitmap = std::make_unique<TBitmap>();
  try {
    bitmap->Assign(jpeg.get());
    outcome.TemporaryPath = context.TemporaryFolder() + kJpegTemporaryName;
    SaveReplacing(*bitmap, outcome.TemporaryPath);
  } catch (const std::exception&) {
    context.ShowMessage(text::kJpegBitmapFailed + outcome.TemporaryPath);
    context.Pause(text::kJpegBitmapFailedPauseMs);
    return {false, outcome.TemporaryPath};
  }

  context.ShowMessage(text::kFreeingResources);
  jpeg.reset();
  bitmap.reset();
  context.ShowMessage(text::kResourcesFreed);
  outcome.Apply = true;
  return outcome;
}

}  // namespace tapestro
