#include "core/wallpaper_conversions.h"

#include <exception>
#include <memory>

#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/text.h"
#include "core/program_texts.h"
#include "gif/gif_image.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"
#include "imaging/jpeg/jpeg_image.h"

namespace tapestro {

namespace {

// How long each failure's text stays readable before the update gives up or goes on.
constexpr int kJpegLoadFailedPauseMs = 500;
constexpr int kJpegBitmapFailedPauseMs = 1500;
constexpr int kGifConversionFailedPauseMs = 1500;

}  // namespace

TWallpaperRoute WallpaperRouteOf(const std::string& file) {
  const std::string upper = UpperCase(file);
  if (Contains(upper, ".BMP") || Contains(upper, ".PNG")) return TWallpaperRoute::AsItIs;
  if (Contains(upper, ".GIF")) return TWallpaperRoute::Gif;
  return TWallpaperRoute::Jpeg;
}

TBitmap& GifFirstFrame(TGIFImage& gif, const std::string& path) {
  TBitmap* frame = gif.SubImageCount() > 0 ? gif.SubImage(0).FrameBitmap() : nullptr;
  if (frame == nullptr) throw EInvalidGraphic(Format(text::kGifNoFirstImage, path));
  return *frame;
}

void SaveBitmapReplacing(TBitmap& bitmap, const std::string& path) {
  TAtomicFileWriter writer(path, TAtomicFileWriter::Durability::VisibleOnly);
  bitmap.SaveToStream(writer.Stream());
  writer.Commit();
}

TConversionOutcome ConvertJpegWallpaper(const std::string& source, TConversionContext& context) {
  auto jpeg = std::make_unique<TJPEGImage>();
  try {
    jpeg->LoadFromFile(source);
  } catch (const std::exception&) {
    context.Beep();
    context.ShowMessage(text::kJpegLoadFailed + source);
    context.Pause(kJpegLoadFailedPauseMs);
    return {};
  }

  TConversionOutcome outcome;
  auto bitmap = std::make_unique<TBitmap>();
  try {
    bitmap->Assign(jpeg.get());
    outcome.TemporaryPath = context.TemporaryFolder() + kJpegTemporaryName;
    SaveBitmapReplacing(*bitmap, outcome.TemporaryPath);
  } catch (const std::exception&) {
    context.ShowMessage(text::kJpegBitmapFailed + outcome.TemporaryPath);
    context.Pause(kJpegBitmapFailedPauseMs);
    return {false, outcome.TemporaryPath};
  }

  context.ShowMessage(text::kFreeingResources);
  jpeg.reset();
  bitmap.reset();
  context.ShowMessage(text::kResourcesFreed);
  outcome.Apply = true;
  return outcome;
}

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
  try {
    TGIFImage gif;
    gif.ReadFromFile(source);
    outcome.TemporaryPath = context.TemporaryFolder() + kGifTemporaryName;
    SaveBitmapReplacing(GifFirstFrame(gif, source), outcome.TemporaryPath);
  } catch (const std::exception&) {
    context.ShowMessage(text::kGifConversionFailed);
    context.Pause(kGifConversionFailedPauseMs);
  }
  return outcome;
}

void RegisterPictureFormats(int displayBitsPerPixel) {
  SetDisplayBitsPerPixel(displayBitsPerPixel);
  RegisterJpegFormat();
  RegisterGifFormat();
}

}  // namespace tapestro
