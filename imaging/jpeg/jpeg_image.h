#pragma once
// TJPEGImage: the picture class of JPEG files. Loading keeps the whole file in memory
// and reads only its header; the first request for the bitmap (a draw, an assignment
// to a TBitmap) decodes it once, and every later request returns the same bitmap.
#include <cstdint>
#include <functional>
#include <memory>

#include "imaging/graphic.h"
#include "imaging/jpeg/jpeg_data.h"
#include "imaging/jpeg/jpeg_options.h"
#include "imaging/pixel_format.h"

namespace tapestro {

class TBitmap;

class TJPEGImage : public TGraphic {
 public:
  static const TGraphicClass Class;

  // Empty, with the options of JPEGDefaults().
  TJPEGImage();
  ~TJPEGImage() override;
  const TGraphicClass& ClassType() const override { return Class; }

  // Reads from the stream's position to its end and reads the header. A file that is
  // not a JPEG file fails here with EJPEG (a missing start-of-image marker is #53, a
  // file without image data #51); an empty file loads and fails at its first decode
  // (#42). A failed load leaves the image as it was.
  void LoadFromStream(TStream& stream) override;
  // Writes the held file bytes unchanged.
  void SaveToStream(TStream& stream) override;

  // The decoded picture, decoding first when there is none. A decode that failed or was
  // aborted part-way keeps what it filled, and that is what later requests return.
  TBitmap& Bitmap();
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // To a TBitmap: the bitmap shares the decoded pixels.
  void AssignTo(TGraphic& dest) override;
  // From another TJPEGImage: shares its file and copies its decoded bitmap, if any.
  void Assign(TGraphic* source) override;

  bool Empty() const override;
  // The decoded bitmap's size; before decoding the header's, scaled when a scale is set.
  int32_t Width() const override;
  int32_t Height() const override;
  // EInvalidGraphicOperation "Cannot change the size of a JPEG image".
  void SetWidth(int32_t value) override;
  void SetHeight(int32_t value) override;
  HPALETTE Palette() override;
  // A palette of the caller's: 8-bit decodes of colour files quantise to it. A decoded
  // bitmap with another palette is dropped.
  void SetPalette(HPALETTE palette) override;

  const TJPEGOptions& Options() const { return options_; }
  // New options drop a decoded bitmap; the next request decodes with them.
  void SetOptions(const TJPEGOptions& options);
  bool Grayscale() const { return image_->Grayscale; }
  bool ProgressiveEncoding() const { return image_->Progressive; }
  // The format the bitmap has, or will have once decoded, known from the header.
  TPixelFormat PixelFormat() const;

  // The clock that paces progress notifications, in milliseconds.
  std::function<int64_t()> TickCount;

 private:
  void Decode();
  void FinishDecoding(uint8_t percent);
  void DropBitmap();
  void CalcScaledSize() const;

  TImageRef<TJPEGData> image_;
  std::shared_ptr<TBitmap> bitmap_;  // shared so that a listener dropping it mid-decode frees nothing in use
  HPALETTE callerPalette_;
  TJPEGOptions options_;
  mutable int32_t scaledWidth_ = 0;
  mutable int32_t scaledHeight_ = 0;
  mutable bool needRecalc_ = true;
};

}  // namespace tapestro
