#pragma once
// TJPEGImage: the picture class of JPEG files. Loading keeps the whole file in memory
// and reads only its header; the first request for the bitmap (a draw, an assignment
// to a TBitmap) decodes it once, and every later request returns the same bitmap.
// Here too: the options an image decodes with, and the registration of the format.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "imaging/graphic.h"
#include "imaging/pixel_format.h"

namespace tapestro {

class TBitmap;

enum class TJPEGPixelFormat : uint8_t { jf24Bit, jf8Bit };
enum class TJPEGPerformance : uint8_t { jpBestQuality, jpBestSpeed };
enum class TJPEGScale : uint8_t { jsFullSize, jsHalf, jsQuarter, jsEighth };

// How a JPEG image decodes.
struct TJPEGOptions {
  bool Grayscale = false;
  TJPEGPerformance Performance = TJPEGPerformance::jpBestQuality;
  TJPEGPixelFormat PixelFormat = TJPEGPixelFormat::jf24Bit;
  // Shows each scan of a progressive file as it arrives, with fast settings, before
  // the final picture.
  bool ProgressiveDisplay = false;
  TJPEGScale Scale = TJPEGScale::jsFullSize;
  bool Smoothing = true;

  friend bool operator==(const TJPEGOptions&, const TJPEGOptions&) = default;
};

// The options new images start with. Registering the JPEG format switches the pixel
// format to 8 bits when the display shows 8 or fewer bits per pixel.
TJPEGOptions& JPEGDefaults();

// Whether a picture decodes to 8 bits per pixel through a palette: greyscale output
// (a greyscale file, or the greyscale option) and every picture under the 8-bit
// option. Four-component (CMYK) pictures are converted to 24 bits here and never are.
bool DecodesThroughPalette(const TJPEGOptions& options, bool greyscaleFile, bool fourComponents);

// The file behind a TJPEGImage, shared by reference between images assigned from one
// another and released with its last user: the complete file bytes and the facts its
// header gave.
class TJPEGData final : public TSharedImage {
 public:
  std::optional<std::vector<uint8_t>> Data;  // none until a file is loaded
  int32_t Height = 0;
  int32_t Width = 0;
  bool Grayscale = false;       // the file's own colour space is greyscale
  bool FourComponents = false;  // CMYK or YCCK
  bool Progressive = false;     // the file has several scans
};

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
  void CalcScaledSize() const;

  TImageRef<TJPEGData> image_;
  std::shared_ptr<TBitmap> bitmap_;  // shared so that a listener dropping it mid-decode frees nothing in use
  HPALETTE callerPalette_;
  TJPEGOptions options_;
  mutable int32_t scaledWidth_ = 0;
  mutable int32_t scaledHeight_ = 0;
  mutable bool needRecalc_ = true;
};

// Adds JPEG images to the picture registry (extensions jpeg and jpg) and decodes to 8
// bits per pixel from now on when the display shows 8 or fewer. main() calls it at
// start-up, after the display depth is known and before the GIF format registers.
void RegisterJpegFormat();
void UnregisterJpegFormat();

}  // namespace tapestro
