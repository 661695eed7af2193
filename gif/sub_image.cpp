#include "gif/sub_image.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/dither.h"
#include "gif/errors.h"
#include "gif/frame_bitmap.h"
#include "gif/gif_image.h"
#include "gif/lzw_decoder.h"

namespace tapestro {

namespace {

constexpr int32_t kRowsPerProgressStep = 32;
static_assert(sizeof(TGIFSubImage) + sizeof(void*) <= kKeptItemBytes, "a sub-image is charged kKeptItemBytes");

// value x numerator / denominator, rounded half away from zero; denominator above 0.
int32_t ScaleRounded(int64_t value, int64_t numerator, int64_t denominator) {
  const int64_t product = value * numerator;
  const int64_t half = denominator / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

TRect Intersection(const TRect& a, const TRect& b) {
  return Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom));
}

// The first tile start at or before from on the grid through anchor with this step.
int64_t FirstTileStart(int64_t anchor, int64_t from, int64_t step) {
  if (anchor <= from) return anchor + (from - anchor) / step * step;
  return anchor - (anchor - from + step - 1) / step * step;
}

// Zero bytes between blocks are passed over. False at the end of the stream.
bool ReadBlockStart(TStream& stream, uint8_t& introducer) {
  while (stream.ReadByte(introducer))
    if (introducer != 0x00) return true;
  return false;
}

}  // namespace

TGIFSubImage::TGIFSubImage(TGIFImage& image) : TGIFItem(image), extensions_(image) {}

void TGIFSubImage::ReadFromStream(TStream& stream) {
  Clear();
  extensions_.ReadFromStream(stream, *this);
  uint8_t next = 0;
  if (!stream.ReadByte(next)) return;
  StepBack(stream);
  // Extensions with no image behind them (a comment after the last image, say).
  if (next == kTrailer || next == 0x00) return;
  ReadImageDescriptor(stream);
  if (descriptor_.Width == 0 || descriptor_.Height == 0) {
    descriptor_.Width = Image().Header().Width();
    descriptor_.Height = Image().Header().Height();
    ReportWarning(1, msg::kGifImageExceedsScreen);
  }
  if (descriptor_.PackedFields & TImageDescriptor::kLocalColorTable)
    colorMap_.ReadFromStream(stream, TGIFColorMap::CountFromPacked(descriptor_.PackedFields));
  DecodeImageData(stream);
}

void TGIFSubImage::DecodeImageData(TStream& stream) {
  AllocatePixels();
  size_t stored = 0;
  uint8_t minimumCodeSize = 0;
  if (stream.ReadByte(minimumCodeSize)) {
    if (minimumCodeSize > TLZWDecoder::kMaxMinimumCodeSize) throw GIFException(msg::kGifInvalidData);
    TLZWDecoder decoder(stream, minimumCodeSize, *this);
    // An image of no area has no rows; its data is still passed over.
    const TRowTarget rows =
        Empty() ? TRowTarget{} : TRowTarget{RowOf(0), -static_cast<ptrdiff_t>(rowBytes_), Width(), Height()};
    stored = decoder.DecodeRows(rows, Interlaced());
    // One value past the last pixel: normally the end code, which passes over the rest
    // of the data. After an early stop nothing more is asked for.
    if (stored == size_t{Width()} * Height()) decoder.NextPixel();
  }
  FillUnreached(stored);
}

void TGIFSubImage::Clear() {
  extensions_.Clear();
  colorMap_.Clear();
  pixels_ = TPixelBuffer();
  rowBytes_ = 0;
  descriptor_ = TImageDescriptor{};
  transparent_ = false;
  graphicControl_ = nullptr;
  bitmap_.reset();
  mask_.reset();
  palette_.reset();
}

void TGIFSubImage::ReadImageDescriptor(TStream& stream) {
  std::array<uint8_t, TImageDescriptor::kSize> bytes{};
  ReadOrFail(stream, bytes.data(), bytes.size());
  // The separator was seen by the caller; it is kept as read.
  descriptor_ = {bytes[0],
                 LittleEndian16(&bytes[1]),
                 LittleEndian16(&bytes[3]),
                 LittleEndian16(&bytes[5]),
                 LittleEndian16(&bytes[7]),
                 bytes[9]};
}

void TGIFSubImage::AllocatePixels() {
  Image().ClaimPixels(descriptor_.Width, descriptor_.Height);
  const TPixelSize size = PixelSize(descriptor_.Width, descriptor_.Height, 8);
  pixels_ = TPixelBuffer(size.ImageBytes);
  rowBytes_ = size.RowBytes;
}

uint8_t* TGIFSubImage::RowOf(int32_t y) const {
  // Rows bottom first, as the frame bitmap stores them.
  return const_cast<uint8_t*>(std::as_const(pixels_).Data()) + rowBytes_ * static_cast<size_t>(Height() - 1 - y);
}

void TGIFSubImage::FillUnreached(size_t stored) {
  const uint8_t fill = TransparentIndex();
  if (fill == 0) return;
  const size_t width = Width();
  VisitRowsInDataOrder(Height(), Interlaced(), [&](size_t row) {
    const size_t done = std::min(stored, width);
    stored -= done;
    if (done < width) std::memset(RowOf(static_cast<int32_t>(row)) + done, fill, width - done);
    return true;
  });
}

uint8_t TGIFSubImage::TransparentIndex() const {
  return transparent_ && graphicControl_ != nullptr ? graphicControl_->TransparentColorIndex() : 0;
}

TBitmap* TGIFSubImage::FrameBitmap() {
  if (bitmap_) return bitmap_.get();
  if (Empty()) return nullptr;
  TGIFImage& image = Image();
  try {
    image.ReportRenderingProgress(TProgressStage::psStarting, 0);
    try {
      BuildBitmap();
    } catch (...) {
      image.ReportRenderingProgress(TProgressStage::psEnding, 0);
      throw;
    }
    image.ReportRenderingProgress(TProgressStage::psEnding, 100);
  } catch (const EAbort&) {
    // A progress handler cancelled: whatever bitmap exists is the answer.
  }
  return bitmap_.get();
}

void TGIFSubImage::BuildBitmap() {
  const TFrameIndices frame{
      pixels_, Width(), Height(), transparent_, TransparentIndex(), [this](int32_t y) { ReportRowProgress(y); }};
  // The bitmap and its mask are installed together and only when both were made, so
  // a retry after a failed build makes the mask too.
  TFrameBuild build;
  if (Image().DitherWanted()) {
    const HPALETTE cube = FramePalette();
    build = BuildDitheredBitmap(frame, cube, EffectiveColorMap());
  } else {
    build = BuildPlainBitmap(frame, FramePalette());
  }
  bitmap_ = std::move(build.Bitmap);
  mask_ = std::move(build.Mask);
}

void TGIFSubImage::ReportRowProgress(int32_t y) {
  if (y % kRowsPerProgressStep != 0) return;
  const int32_t height = Height();
  Image().ReportRenderingProgress(TProgressStage::psRunning, static_cast<uint8_t>((y * 100 + height / 2) / height));
}

const TBitmap* TGIFSubImage::TransparencyMask() {
  // The mask comes with the bitmap.
  if (!bitmap_ && transparent_) FrameBitmap();
  return mask_.get();
}

HPALETTE TGIFSubImage::FramePalette() {
  if (bitmap_) {
    if (HPALETTE own = bitmap_->Palette()) return own;
  }
  if (palette_) return palette_;
  if (Image().DitherWanted()) return palette_ = CubePalette();
  if (!colorMap_.Empty()) return palette_ = colorMap_.MakePalette();
  // Kept by the image, not here.
  return Image().ImagePalette();
}

const TGIFColorMap& TGIFSubImage::EffectiveColorMap() const {
  if (!colorMap_.Empty()) return colorMap_;
  const TGIFColorMap& global = Image().Header().ColorMap();
  if (!global.Empty()) return global;
  return colorMap_;
}

TRect TGIFSubImage::PlaceRect(const TRect& rect) const {
  // A screen of no area (a header of zero size) is taken as just large enough for the image.
  const int64_t screenWidth = Image().Width() > 0 ? Image().Width() : Left() + Width();
  const int64_t screenHeight = Image().Height() > 0 ? Image().Height() : Top() + Height();
  const int32_t left = rect.Left + ScaleRounded(Left(), rect.Width(), std::max<int64_t>(screenWidth, 1));
  const int32_t top = rect.Top + ScaleRounded(Top(), rect.Height(), std::max<int64_t>(screenHeight, 1));
  const int32_t right = rect.Left + ScaleRounded(Left() + Width(), rect.Width(), std::max<int64_t>(screenWidth, 1));
  const int32_t bottom = rect.Top + ScaleRounded(Top() + Height(), rect.Height(), std::max<int64_t>(screenHeight, 1));
  return Rect(left, top, right, bottom);
}

void TGIFSubImage::PaintFrame(TCanvas& canvas, const TRect& rect, bool tile, bool transparent) {
  // The mask first: asking for it may rebuild the bitmap.
  const TBitmap* mask = transparent && transparent_ ? TransparencyMask() : nullptr;
  TBitmap* bitmap = FrameBitmap();
  if (bitmap == nullptr) return;
  if (tile) {
    TileBitmap(canvas, rect, int64_t{rect.Left} + Left(), int64_t{rect.Top} + Top(), *bitmap, mask);
  } else if (mask != nullptr) {
    canvas.MaskedStretchDraw(PlaceRect(rect), *bitmap, *mask);
  } else {
    canvas.StretchDraw(PlaceRect(rect), *bitmap);
  }
}

void TGIFImageList::ReadFromStream(TStream& stream, TGIFImage& parent) {
  uint8_t introducer = 0;
  if (!ReadBlockStart(stream, introducer)) return;
  while (introducer != kTrailer) {
    StepBack(stream);
    if (introducer != kExtensionIntroducer && introducer != kImageSeparator) {
      ReportWarning(1, msg::kGifUnknownBlockType);
      return;
    }
    parent.ClaimKeptBytes(kKeptItemBytes);
    auto subImage = std::make_unique<TGIFSubImage>(parent);
    subImage->ReadFromStream(stream);
    Append(std::move(subImage));
    parent.ReportLoadingProgress(stream);
    if (!ReadBlockStart(stream, introducer)) return;
  }
  StepBack(stream);
}

void TileBitmap(TCanvas& canvas, const TRect& rect, int64_t anchorX, int64_t anchorY, TBitmap& bitmap,
                const TBitmap* mask) {
  const TRect area = Intersection(rect, Rect(0, 0, canvas.Width(), canvas.Height()));
  const int64_t width = bitmap.Width(), height = bitmap.Height();
  if (area.IsEmpty() || width <= 0 || height <= 0) return;
  const HPALETTE palette = bitmap.Palette();
  TStretchRequest request;
  request.Source = bitmap.Pixels();
  if (mask != nullptr) request.Mask = mask->Pixels();
  const int64_t firstX = FirstTileStart(anchorX, area.Left, width);
  const int64_t firstY = FirstTileStart(anchorY, area.Top, height);
  for (int64_t y = firstY; y < area.Bottom; y += height) {
    for (int64_t x = firstX; x < area.Right; x += width) {
      const auto tileX = static_cast<int32_t>(x), tileY = static_cast<int32_t>(y);
      request.Dest =
          Intersection(Rect(tileX, tileY, static_cast<int32_t>(x + width), static_cast<int32_t>(y + height)), area);
      request.SourceArea = Rect(request.Dest.Left - tileX, request.Dest.Top - tileY, request.Dest.Right - tileX,
                                request.Dest.Bottom - tileY);
      canvas.Stretch(request, palette);
    }
  }
}

}  // namespace tapestro
