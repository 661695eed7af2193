// Arbitrary bytes read as a GIF: the read either succeeds and everything it built
// holds together, or fails with a GIFException and leaves the stream where it was.
// What was read is then turned into every frame's bitmap, plain and dithered, painted,
// and the first frame is saved and read back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/errors.h"
#include "gif/extensions.h"
#include "gif/gif_image.h"
#include "gif/reader.h"
#include "gif/sub_image.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"

namespace {

using namespace tapestro;

// Bitmaps are built only for files whose images hold fewer pixels together, so runs
// stay fast.
constexpr uint64_t kMaxBitmapPixels = uint64_t{1} << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

void WalkExtension(const TGIFSubImage& sub, const TGIFExtension& extension) {
  Check(&extension.Parent() == &sub);
  const TGIFExtensionClass& kind = extension.ClassType();
  Check(extension.ExtensionLabel() == kind.Label);
  if (&kind == &TGIFUnknownAppExtension::Class) {
    for (const TGIFBlock block : dynamic_cast<const TGIFUnknownAppExtension&>(extension).Blocks())
      Check(!block.empty() && block.size() <= 255);
  } else if (&kind == &TGIFCommentExtension::Class) {
    for (const TGIFBlock block : dynamic_cast<const TGIFCommentExtension&>(extension).Text())
      Check(TextLine(block).size() <= block.size());
  } else if (&kind == &TGIFTextExtension::Class) {
    for (const TGIFBlock block : dynamic_cast<const TGIFTextExtension&>(extension).Text())
      Check(TextLine(block).size() <= block.size());
  } else if (&kind == &TGIFAppExtNSLoop::Class) {
    (void)dynamic_cast<const TGIFAppExtNSLoop&>(extension).LoopCount();
  } else {
    Check(&kind == &TGIFGraphicControlExtension::Class);
  }
}

void WalkSubImage(const TGIFImage& image, const TGIFSubImage& sub) {
  const size_t pixels = static_cast<size_t>(sub.Width()) * sub.Height();
  Check(sub.Empty() == (pixels == 0));
  // The first and last pixels are inside the buffer (the sanitizers check the reads).
  if (!sub.Empty()) {
    volatile uint8_t corner = sub.Row(0)[0];
    corner = sub.Row(sub.Height() - 1)[sub.Width() - 1];
    (void)corner;
  }
  Check(sub.ColorMap().Count() <= TGIFColorMap::kMaxColors);
  Check(pixels <= image.Limits.MaxImagePixels);
  const TGIFGraphicControlExtension* first = nullptr;
  for (int i = 0; i < sub.Extensions().Count(); ++i) {
    const TGIFExtension& extension = sub.Extensions()[i];
    WalkExtension(sub, extension);
    if (first == nullptr && &extension.ClassType() == &TGIFGraphicControlExtension::Class)
      first = &dynamic_cast<const TGIFGraphicControlExtension&>(extension);
  }
  Check(sub.GraphicControlExtension() == first);
  Check(!sub.Transparent() || first != nullptr);
}

// The frame's bitmap, or none when it has no colour table to take colours from.
TBitmap* BuildFrame(TGIFSubImage& sub) {
  try {
    TBitmap* bitmap = sub.FrameBitmap();
    Check((bitmap == nullptr) == sub.Empty());
    return bitmap;
  } catch (const GIFException& e) {
    Check(std::string(e.what()) == msg::kGifNoColorTable);
    Check(sub.EffectiveColorMap().Empty());
    return nullptr;
  }
}

void CheckFrame(TGIFSubImage& sub, const TBitmap& bitmap, bool dithered) {
  Check(bitmap.Width() == sub.Width() && bitmap.Height() == sub.Height());
  Check(bitmap.PixelFormat() == TPixelFormat::pf8bit && bitmap.ColorTable().size() == 256);
  const TPixelView pixels = bitmap.Pixels();
  const TBitmap* mask = sub.TransparencyMask();
  Check(mask == nullptr || sub.Transparent());
  const uint8_t transparent = sub.Transparent() ? sub.GraphicControlExtension()->TransparentColorIndex() : 0;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* indices = sub.Row(y);
    const uint8_t* row = pixels.Row(y);
    if (!dithered) Check(std::memcmp(row, indices, sub.Width()) == 0);
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      if (dithered) Check(row[x] < 216);
      // A transparent frame without a mask has no transparent pixel.
      const bool marked = mask != nullptr && mask->Pixels().Raw(mask->Pixels().Row(y), x) != 0;
      if (sub.Transparent()) Check(marked == (indices[x] == transparent));
    }
  }
}

void CheckSavedAndReloaded(TBitmap& bitmap) {
  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  saved.SetPosition(0);
  TBitmap reloaded;
  reloaded.LoadFromStream(saved);
  Check(reloaded.Width() == bitmap.Width() && reloaded.Height() == bitmap.Height());
  Check(reloaded.PixelFormat() == TPixelFormat::pf8bit);
}

// Every frame's bitmap of a fresh read with these paint options; the first is saved.
void BuildEveryFrame(const uint8_t* data, size_t size, uint16_t options, bool dithered) {
  TGIFImage image;
  image.PaintOptions = options;
  TSpanStream stream({data, size});
  image.ReadFromStream(stream);
  bool saved = false;
  for (int i = 0; i < image.SubImageCount(); ++i) {
    TGIFSubImage& sub = image.SubImage(i);
    TBitmap* bitmap = BuildFrame(sub);
    if (bitmap == nullptr) continue;
    CheckFrame(sub, *bitmap, dithered);
    Check(sub.FrameBitmap() == bitmap);
    if (!saved) CheckSavedAndReloaded(*bitmap);
    saved = true;
  }
  TSurfaceCanvas canvas(23, 17, 24);
  try {
    image.PaintInto(canvas, Rect(-3, 2, 40, 15));
  } catch (const GIFException& e) {
    Check(std::string(e.what()) == msg::kGifNoColorTable);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGIFImage image;
  // Far below the defaults, so that runs stay fast; every seed fits.
  image.Limits = {uint64_t{1} << 22, uint64_t{1} << 24};
  image.WarningHandler = [](const void*, int severity, const std::string& text) { Check(severity == 1 && !text.empty()); };
  TSpanStream stream({data, size});
  try {
    image.ReadFromStream(stream);
  } catch (const GIFException&) {
    Check(stream.Position() == 0);
    Check(image.SubImageCount() == 0);
    return 0;
  }
  Check(image.Empty() == (image.SubImageCount() == 0));
  uint64_t total = 0;
  for (int i = 0; i < image.SubImageCount(); ++i) {
    WalkSubImage(image, image.SubImage(i));
    const TGIFSubImage& sub = image.SubImage(i);
    if (!sub.Empty()) total += static_cast<uint64_t>(sub.Width()) * sub.Height();
  }
  Check(total <= image.Limits.MaxTotalPixels);
  try {
    image.SubImage(image.SubImageCount());
    Check(false);
  } catch (const EListError&) {
  }
  if (total > kMaxBitmapPixels) return 0;
  // The last byte picks tiling, so the tiled paint is reached too.
  const uint16_t tile = size > 0 && (data[size - 1] & 1) ? TGIFImage::kPaintTile : 0;
  BuildEveryFrame(data, size, (TGIFImage::kDefaultPaintOptions & ~TGIFImage::kPaintDither) | tile, false);
  BuildEveryFrame(data, size, TGIFImage::kPaintDither | TGIFImage::kPaintTransparent | tile, true);
  return 0;
}
