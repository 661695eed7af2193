#pragma once
// TGIFImage: a GIF file as a picture. It holds the header (logical screen and global
// colour table) and the sub-images in stream order; reading replaces both. It paints
// its first image, or animates them all through painters (gif/painter/). Here too: how
// much pixel memory one read may take, and the GIF format's place in the picture
// registry.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gif/painter/painter.h"
#include "gif/painter/services.h"
#include "gif/reader.h"
#include "gif/sub_image.h"
#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/graphic.h"

namespace tapestro {

// How much memory one GIF read may take. A 13-byte header can announce a 65535 x 65535
// screen and every 10-byte image descriptor a 65535 x 65535 image (4 GiB of indices),
// and a file of one-byte sub-blocks has as many blocks as bytes, so what is kept is
// checked before it is allocated. docs/gif.md explains the figures.

// One image: 16384 x 16384 indices, 256 MiB. The logical screen itself is not limited:
// only what is allocated for it is (images of zero size take its size; animations).
inline constexpr uint64_t kMaxImagePixels = uint64_t{1} << 28;
// All images of one file together: two images of the largest size.
inline constexpr uint64_t kMaxTotalPixels = uint64_t{1} << 29;
// Everything else a read keeps: the data sub-blocks of extensions (one buffer per
// extension, no more than the bytes read) and every sub-image and extension, charged
// kKeptItemBytes each for its object and its place in its list. Thousands of frames
// with their extensions keep a few megabytes.
inline constexpr uint64_t kMaxKeptBytes = uint64_t{64} << 20;
inline constexpr uint64_t kKeptItemBytes = 256;
// The largest logical screen that is animated (4096 x 4096): an animation takes up to
// four true-colour buffers of the screen's size, 48 MiB each at this size. Larger
// animations are shown as their first image.
inline constexpr uint64_t kMaxAnimatedScreenPixels = uint64_t{1} << 24;

struct TGIFLimits {
  uint64_t MaxImagePixels = kMaxImagePixels;
  uint64_t MaxTotalPixels = kMaxTotalPixels;
  uint64_t MaxKeptBytes = kMaxKeptBytes;
  uint64_t MaxAnimatedScreenPixels = kMaxAnimatedScreenPixels;
};

// The one place that multiplies a width by a height; 32-bit factors cannot overflow it.
uint64_t PixelCount(uint32_t width, uint32_t height);
// The pixel count of a buffer of that size, or GIFLimitException when it passes maxPixels.
uint64_t CheckedPixelCount(uint32_t width, uint32_t height, uint64_t maxPixels);

// Counts what one read takes against the limits; a claim that would pass one raises
// GIFLimitException and charges nothing.
class TReadBudget {
 public:
  explicit TReadBudget(const TGIFLimits& limits) : limits_(limits) {}
  // The pixel count of a width x height index buffer: "GIF image too large to decode".
  uint64_t ClaimPixels(uint32_t width, uint32_t height);
  // Bytes kept beside the pixels: "GIF image has too much block data to read".
  void ClaimKept(uint64_t bytes);

 private:
  TGIFLimits limits_;
  uint64_t pixels_ = 0;
  uint64_t kept_ = 0;
};

// sender: the item, list or image that met the problem (for telling them apart only).
using TGIFWarning = std::function<void(const void* sender, int severity, const std::string& text)>;

class TGIFImage : public TGraphic {
 public:
  static const TGraphicClass Class;
  static constexpr uint16_t kDefaultPaintOptions = 0x060F;
  // PaintOptions bits.
  static constexpr uint16_t kPaintThreaded = 1u << 0;     // the animation runs on a thread of its own
  static constexpr uint16_t kPaintTransparent = 1u << 1;  // transparent pixels are left unpainted
  static constexpr uint16_t kPaintAnimate = 1u << 2;      // every image in turn, not only the first
  static constexpr uint16_t kPaintLoop = 1u << 3;         // the animation may start over ...
  static constexpr uint16_t kPaintLoopForever = 1u << 4;  // ... without end, whatever the file says
  static constexpr uint16_t kPaintCheckTarget = 1u << 5;  // a buffered frame ends the run on a target without pixels
  // The animation draws on the canvas it was first painted into (which must then live
  // until StopAnimation), not into WholeBitmap.
  static constexpr uint16_t kPaintDirect = 1u << 6;
  static constexpr uint16_t kPaintAsIfRestoring = 1u << 7;       // buffers as if a frame restored to the background
  static constexpr uint16_t kPaintTile = 1u << 8;                // repeated at natural size, not stretched
  static constexpr uint16_t kPaintDither = 1u << 9;              // frame bitmaps are dithered onto the cube ...
  static constexpr uint16_t kPaintDitherLowColor = 1u << 10;     // ... with bit 9: only on low-colour screens
  static constexpr uint16_t kPaintRestoreFirstImage = 1u << 15;  // image 0's area is restored before it is drawn

  TGIFImage();
  ~TGIFImage() override;

  const TGraphicClass& ClassType() const override { return Class; }

  void Draw(TCanvas& canvas, const TRect& rect) override { PaintInto(canvas, rect); }
  // Paints the image into rect, which stands for the whole logical screen: stretched
  // (tiled with kPaintTile), transparent pixels left alone with kPaintTransparent. One
  // image is painted as it is. Several are animated (kPaintAnimate) into WholeBitmap,
  // which the first paint makes from what the canvas shows and every later paint
  // draws; each frame drawn into it tells the change listener. Nothing while a paint
  // of this image runs or without images. On the user-interface thread only.
  void PaintInto(TCanvas& canvas, const TRect& rect);
  // True when the stream held no sub-image at all.
  bool Empty() const override { return images_->Count() == 0; }
  // The logical screen's size.
  int32_t Width() const override { return header_->Width(); }
  int32_t Height() const override { return header_->Height(); }
  // EInvalidGraphicOperation: the size is the file's.
  void SetWidth(int32_t value) override;
  void SetHeight(int32_t value) override;
  HPALETTE Palette() override { return ImagePalette(); }
  void LoadFromStream(TStream& stream) override { ReadFromStream(stream); }
  // EInvalidGraphicOperation: GIF files are read, never written, by this program.
  void SaveToStream(TStream& stream) override;

  // Replaces the whole content by what the stream holds. On a GIFException (or any
  // other error) the stream is set back where it stood, and the image keeps what it
  // held before the call.
  void ReadFromStream(TStream& stream);
  // The same from a file opened for reading with other writers refused.
  void ReadFromFile(const std::string& path);

  int SubImageCount() const { return images_->Count(); }
  // EListError "List index out of bounds (%d)" outside 0..SubImageCount()-1.
  TGIFSubImage& SubImage(int index) const { return (*images_)[index]; }
  TGIFHeader& Header() const { return *header_; }
  TGIFImageList& Images() const { return *images_; }

  // The palette frames are shown with, built on first request and kept until the next
  // read: the cube when dithering, else the global colour table's, else the first
  // image's. GIFException "No global or local color table defined" when it would ask
  // itself again (the first image has no table either).
  HPALETTE ImagePalette();
  // Whether frame bitmaps are dithered: by PaintOptions bits 9 and 10 and the screen.
  bool DitherWanted() const;

  // Calls WarningHandler when one is installed.
  virtual void ReportWarning(const void* sender, int severity, const std::string& text);

  // Charges a width x height pixel buffer to the read in progress; GIFLimitException
  // when it would pass Limits.
  uint64_t ClaimPixels(uint32_t width, uint32_t height);
  // Charges bytes kept beside the pixels to the read in progress, the same way.
  void ClaimKeptBytes(uint64_t bytes);
  // Progress after each sub-image: how far into the stream the read has come.
  void ReportLoadingProgress(TStream& stream);
  // Progress of building a frame bitmap.
  void ReportRenderingProgress(TProgressStage stage, uint8_t percent);

  // The animation drawn so far, of the logical screen's size; none before the first
  // animated paint and after the animation is stopped.
  TBitmap* WholeBitmap() const { return wholeBitmap_.get(); }
  // Ends the current painter and waits for it, running the work it hands to this
  // thread meanwhile; then frees WholeBitmap. The next paint starts over.
  void StopAnimation();
  // The same for every painter of the image: used when it is read again or destroyed.
  void StopPainters();
  // Whether a painter is running now.
  bool Animating() const { return painters_.Current() != nullptr; }
  // The exception that ended the last threaded painter that failed; kept here, never raised.
  std::exception_ptr AnimationError() const { return animationError_; }

  uint16_t PaintOptions = kDefaultPaintOptions;
  // Percent of the files' own pace; 0 or below waits without end between frames.
  int AnimationSpeed = kNormalAnimationSpeed;
  TPainterServices Services = DefaultPainterServices();
  TGIFWarning WarningHandler;
  TGIFLimits Limits;

 private:
  friend class TGIFPainter;

  void ReadContent(TStream& stream);
  void CheckTrailer(TStream& stream);
  // Whether PaintInto animates rather than painting the first image.
  bool Animates() const;
  void MakeWholeBitmap(TCanvas& canvas, const TRect& rect);
  void DrawWholeBitmap(TCanvas& canvas, const TRect& rect);
  // Makes and starts a painter; false when none is left running afterwards.
  bool StartPainter(TCanvas& target, const TRect& rect);
  void WaitForFirstFrame();
  // One turn of a wait for a painter: the work it handed over runs, the processor is given up.
  void RunPainterWork();
  // Frees the painters whose run is over and keeps the error of a failed one.
  void ReapPainters();
  // From a painter's own thread, its last act.
  void PainterFinished(TGIFPainter& painter) { painters_.Finish(painter); }

  std::unique_ptr<TGIFHeader> header_;
  std::unique_ptr<TGIFImageList> images_;
  // Only while a read runs.
  std::optional<TReadBudget> budget_;
  int64_t streamSize_ = 0;
  HPALETTE imagePalette_;
  bool paletteGuard_ = false;  // set while ImagePalette runs
  bool drawing_ = false;       // set while PaintInto runs
  TGIFPainterList painters_;
  std::unique_ptr<TBitmap> wholeBitmap_;
  std::exception_ptr animationError_;
};

// Makes the picture registry load ".gif" files as TGIFImage ("GIF Image"). main()
// calls RegisterGifFormat at start-up, after the JPEG registration and after the
// display depth is known (it fixes LowColorDisplay), and UnregisterGifFormat at
// shutdown.
void RegisterGifFormat();
void UnregisterGifFormat();

}  // namespace tapestro
