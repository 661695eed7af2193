#pragma once
// TGIFImage: a GIF file as a picture. It holds the header (logical screen and global
// colour table) and the sub-images in stream order; reading replaces both.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gif/header.h"
#include "gif/image_list.h"
#include "gif/limits.h"
#include "gif/sub_image.h"
#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/graphic.h"

namespace tapestro {

// sender: the item, list or image that met the problem (for telling them apart only).
using TGIFWarning = std::function<void(const void* sender, int severity, const std::string& text)>;

class TGIFImage : public TGraphic {
 public:
  static const TGraphicClass Class;
  static constexpr uint16_t kDefaultPaintOptions = 0x060F;
  // PaintOptions bits.
  static constexpr uint16_t kPaintTransparent = 1u << 1;  // transparent pixels are left unpainted
  static constexpr uint16_t kPaintTile = 1u << 8;         // repeated at natural size, not stretched
  static constexpr uint16_t kPaintDither = 1u << 9;       // frame bitmaps are dithered onto the cube ...
  static constexpr uint16_t kPaintDitherLowColor = 1u << 10;  // ... with bit 9: only on low-colour screens

  TGIFImage();
  ~TGIFImage() override;

  const TGraphicClass& ClassType() const override { return Class; }

  void Draw(TCanvas& canvas, const TRect& rect) override { PaintInto(canvas, rect); }
  // Paints the first image into rect, which stands for the whole logical screen:
  // stretched (tiled with kPaintTile), transparent pixels left alone with
  // kPaintTransparent. Nothing while a paint of this image runs or without images.
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
  // Progress after each sub-image: how far into the stream the read has come.
  void ReportLoadingProgress(TStream& stream);
  // Progress of building a frame bitmap.
  void ReportRenderingProgress(TProgressStage stage, uint8_t percent);

  uint16_t PaintOptions = kDefaultPaintOptions;
  TGIFWarning WarningHandler;
  TGIFLimits Limits;

 private:
  void ReadContent(TStream& stream);
  void CheckTrailer(TStream& stream);

  std::unique_ptr<TGIFHeader> header_;
  std::unique_ptr<TGIFImageList> images_;
  // Only while a read runs.
  std::optional<TPixelBudget> budget_;
  int64_t streamSize_ = 0;
  HPALETTE imagePalette_;
  bool paletteGuard_ = false;  // set while ImagePalette runs
  bool drawing_ = false;       // set while PaintInto runs
};

}  // namespace tapestro
