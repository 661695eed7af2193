#include "gif/gif_image.h"

#include <algorithm>
#include <new>
#include <utility>

#include "base/errors.h"
#include "base/scoped_flag.h"
#include "base/stream.h"
#include "gif/dither.h"
#include "gif/errors.h"
#include "imaging/picture.h"

namespace tapestro {

namespace {
constexpr char kGifExtension[] = "GIF";  // stored in lower case
constexpr char kGifDescription[] = "GIF Image";
}  // namespace

const TGraphicClass TGIFImage::Class{"TGIFImage", &TGraphic::Class,
                                     []() -> std::unique_ptr<TGraphic> { return std::make_unique<TGIFImage>(); }};

TGIFImage::TGIFImage()
    : header_(std::make_unique<TGIFHeader>(*this)), images_(std::make_unique<TGIFImageList>(*this)) {}

// The painters read the sub-images and draw into WholeBitmap: they end first.
TGIFImage::~TGIFImage() { StopPainters(); }

void TGIFImage::SetWidth(int32_t) { throw EInvalidGraphicOperation(msg::kGifCannotResize); }
void TGIFImage::SetHeight(int32_t) { throw EInvalidGraphicOperation(msg::kGifCannotResize); }
void TGIFImage::SaveToStream(TStream&) { throw EInvalidGraphicOperation(msg::kGifCannotSave); }

void TGIFImage::ReadFromStream(TStream& stream) {
  const TRect noRect{};
  Progress(TProgressStage::psStarting, 0, false, noRect, msg::kGifLoading);
  // The animation of the old content ends whether or not the new one can be read.
  StopPainters();
  const int64_t start = stream.Position();
  // The new content is read beside the old one, which comes back if the read fails.
  auto oldHeader = std::exchange(header_, std::make_unique<TGIFHeader>(*this));
  auto oldImages = std::exchange(images_, std::make_unique<TGIFImageList>(*this));
  const auto restore = [&] {
    budget_.reset();
    header_ = std::move(oldHeader);
    images_ = std::move(oldImages);
    stream.SetPosition(start);
    Progress(TProgressStage::psEnding, 0, false, noRect, msg::kGifLoading);
  };
  try {
    ReadContent(stream);
  } catch (const std::bad_alloc&) {
    restore();
    throw EOutOfMemory(msg::kOutOfMemory);
  } catch (...) {
    restore();
    throw;
  }
  budget_.reset();
  // The palette described the old colour tables.
  imagePalette_.reset();
  Progress(TProgressStage::psEnding, 100, false, noRect, msg::kGifLoading);
}

void TGIFImage::ReadContent(TStream& stream) {
  budget_.emplace(Limits);
  streamSize_ = stream.Size();
  header_->ReadFromStream(stream);
  images_->ReadFromStream(stream, *this);
  CheckTrailer(stream);
}

void TGIFImage::CheckTrailer(TStream& stream) {
  // A stream that simply ends after its last image is fine.
  uint8_t trailer = 0;
  if (stream.ReadByte(trailer) && trailer != kTrailer) ReportWarning(this, 1, msg::kGifInvalidTrailer);
}

void TGIFImage::ReadFromFile(const std::string& path) {
  TFileStream file(path, FileMode::OpenRead);
  ReadFromStream(file);
}

void TGIFImage::ReportWarning(const void* sender, int severity, const std::string& text) {
  if (WarningHandler) WarningHandler(sender, severity, text);
}

uint64_t TGIFImage::ClaimPixels(uint32_t width, uint32_t height) {
  if (budget_) return budget_->ClaimPixels(width, height);
  return CheckedPixelCount(width, height, Limits.MaxImagePixels);
}

void TGIFImage::ClaimKeptBytes(uint64_t bytes) {
  if (budget_) budget_->ClaimKept(bytes);
}

void TGIFImage::ReportLoadingProgress(TStream& stream) {
  if (streamSize_ <= 0) return;
  const int64_t percent = (stream.Position() * 100 + streamSize_ / 2) / streamSize_;
  Progress(TProgressStage::psRunning, static_cast<uint8_t>(std::min<int64_t>(percent, 100)), false, TRect{},
           msg::kGifLoading);
}

void TGIFImage::ReportRenderingProgress(TProgressStage stage, uint8_t percent) {
  Progress(stage, percent, false, TRect{}, msg::kGifRendering);
}

HPALETTE TGIFImage::ImagePalette() {
  // A first image without a table of its own asks the image, which would ask it again.
  if (paletteGuard_) throw GIFException(msg::kGifNoColorTable);
  const TScopedFlag guard(paletteGuard_);
  // While an animation is shown, frames take the palette it is drawn with.
  if (wholeBitmap_) {
    if (HPALETTE palette = wholeBitmap_->Palette()) return palette;
  }
  if (imagePalette_) return imagePalette_;
  if (DitherWanted()) return imagePalette_ = CubePalette();
  const TGIFColorMap& global = header_->ColorMap();
  if (!global.Empty()) return imagePalette_ = global.MakePalette();
  // Not kept: it belongs to the first image.
  if (SubImageCount() > 0) return SubImage(0).FramePalette();
  return nullptr;
}

bool TGIFImage::DitherWanted() const {
  if ((PaintOptions & kPaintDither) == 0) return false;
  if ((PaintOptions & kPaintDitherLowColor) != 0) return LowColorDisplay();
  return true;
}

void TGIFImage::PaintInto(TCanvas& canvas, const TRect& rect) {
  if (drawing_ || SubImageCount() == 0) return;
  // A paint that comes back into the image (a canvas change handler that repaints)
  // does nothing.
  const TScopedFlag drawing(drawing_);
  ReapPainters();
  if (!Animates()) {
    SubImage(0).PaintFrame(canvas, rect, (PaintOptions & kPaintTile) != 0, (PaintOptions & kPaintTransparent) != 0);
    return;
  }
  const bool direct = PaintOptions & kPaintDirect;
  if (wholeBitmap_ && !direct) {
    DrawWholeBitmap(canvas, rect);
    return;
  }
  if (direct && painters_.RunsOn(canvas, rect)) return;
  StopAnimation();
  if (rect.IsEmpty()) return;
  if (direct) {
    StartPainter(canvas, rect);
    return;
  }
  MakeWholeBitmap(canvas, rect);
  if (!StartPainter(wholeBitmap_->Canvas(), Rect(0, 0, Width(), Height()))) return;
  WaitForFirstFrame();
  DrawWholeBitmap(canvas, rect);
}

bool TGIFImage::Animates() const {
  if (SubImageCount() < 2 || !(PaintOptions & kPaintAnimate)) return false;
  // Without a user-interface thread to hand frames to there is no threaded animation.
  if ((PaintOptions & kPaintThreaded) && Services.Dispatcher == nullptr) return false;
  const uint64_t screen = PixelCount(Width(), Height());
  return screen > 0 && screen <= Limits.MaxAnimatedScreenPixels;
}

void TGIFImage::MakeWholeBitmap(TCanvas& canvas, const TRect& rect) {
  auto bitmap = std::make_unique<TBitmap>();
  // The palette first: the empty bitmap takes it without rebuilding pixels.
  bitmap->SetPalette(ImagePalette());
  bitmap->SetWidth(Width());
  bitmap->SetHeight(Height());
  bitmap->Canvas().CopyRect(Rect(0, 0, Width(), Height()), canvas, rect);
  bitmap->OnChange = [this](TGraphic&) { Changed(); };
  wholeBitmap_ = std::move(bitmap);
}

void TGIFImage::DrawWholeBitmap(TCanvas& canvas, const TRect& rect) {
  if (PaintOptions & kPaintTile)
    TileBitmap(canvas, rect, rect.Left, rect.Top, *wholeBitmap_, nullptr);
  else
    canvas.StretchDraw(rect, *wholeBitmap_);
}

bool TGIFImage::StartPainter(TCanvas& target, const TRect& rect) {
  TGIFPainter& painter = painters_.Add(std::make_unique<TGIFPainter>(*this, target, rect, PaintOptions));
  painter.Start();
  if (!painter.Threaded()) {
    // It ran to its end inside this call; its failure is this paint's.
    const std::exception_ptr error = painter.Error();
    ReapPainters();
    if (error) std::rethrow_exception(error);
  }
  return painters_.Current() != nullptr;
}

void TGIFImage::WaitForFirstFrame() {
  for (TGIFPainter* painter = painters_.Current(); painter != nullptr && !painter->Started();
       painter = painters_.Current())
    RunPainterWork();
}

void TGIFImage::StopAnimation() {
  while (TGIFPainter* painter = painters_.TerminateCurrent()) {
    // One that is not threaded runs further up this thread's stack and sees the request there.
    if (!painter->Threaded()) break;
    RunPainterWork();
  }
  ReapPainters();
  wholeBitmap_.reset();
}

void TGIFImage::StopPainters() {
  painters_.TerminateAll();
  while (painters_.AnyThreadRunning()) RunPainterWork();
  ReapPainters();
  wholeBitmap_.reset();
}

void TGIFImage::RunPainterWork() {
  if (Services.Dispatcher != nullptr && Services.Dispatcher->OnUiThread()) Services.Dispatcher->RunPending();
  Services.Clock->Yield();
}

void TGIFImage::ReapPainters() {
  if (std::exception_ptr error = painters_.ReapEnded()) animationError_ = error;
}

uint64_t PixelCount(uint32_t width, uint32_t height) { return static_cast<uint64_t>(width) * height; }

uint64_t CheckedPixelCount(uint32_t width, uint32_t height, uint64_t maxPixels) {
  const uint64_t pixels = PixelCount(width, height);
  if (pixels > maxPixels) throw GIFLimitException(msg::kGifTooLarge);
  return pixels;
}

uint64_t TReadBudget::ClaimPixels(uint32_t width, uint32_t height) {
  const uint64_t pixels = CheckedPixelCount(width, height, limits_.MaxImagePixels);
  if (pixels > limits_.MaxTotalPixels - pixels_) throw GIFLimitException(msg::kGifTooLarge);
  pixels_ += pixels;
  return pixels;
}

void TReadBudget::ClaimKept(uint64_t bytes) {
  if (bytes > limits_.MaxKeptBytes - kept_) throw GIFLimitException(msg::kGifTooMuchBlockData);
  kept_ += bytes;
}

void RegisterGifFormat() {
  FixLowColorDisplay();
  RegisterFileFormat(kGifExtension, kGifDescription, TGIFImage::Class);
}

void UnregisterGifFormat() { UnregisterGraphicClass(TGIFImage::Class); }

}  // namespace tapestro
