#pragma once
// The libjpeg session: the one way into the library, its data source over the held
// file bytes, what one file may make us spend, how an image's options become
// decompression settings, and what a file's header says without decoding a pixel.
//
// The library reports a fatal error by calling its error manager from inside its own C
// frames, which a C++ exception must not unwind; the manager jumps back to the method
// that entered the library, and only there, outside the library, is the error raised as
// EJPEG "JPEG error #%d" with the library's message code. Warnings and trace messages
// are dropped.
//
// Everything between a method's setjmp and the library's longjmp is plain data: the
// method bodies call the library and nothing else, and the callbacks the library calls
// (source, progress) hold no objects with destructors while the library may jump.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <span>
// jpeglib.h uses size_t and FILE without including their headers.
#include <jpeglib.h>

#include "imaging/jpeg/jpeg_image.h"

namespace tapestro {

// Pictures past the size limits fail with the library's own code for an image too big
// (JERR_IMAGE_TOO_BIG, "JPEG error #41") before the memory is taken. The picture itself
// is bounded like every bitmap (kMaxPixels).

// The library's own working memory: the coefficients of a progressive file (2 bytes
// per sample: as much as the 24-bit bitmap for 4:2:0 sampling, twice as much for
// 4:4:4) and the whole-image buffer of two-pass colour quantisation. It may take the
// size of the picture's 24-bit bitmap plus kJpegLibraryMargin, and never more than
// kJpegLibraryMemory. Past it the library would need a backing store, which it does not
// have: EJPEG "JPEG image needs too much memory to decode".
inline constexpr long kJpegLibraryMemory = 1L << 30;
inline constexpr long kJpegLibraryMargin = 128L << 20;

// Each scan of a progressive file makes the library visit every block of its
// components again, so a small file of many tiny scans keeps it busy for as long as
// scans x pixels say (about 10^9 a second here). Real files have about ten scans; the
// work limit lets ten scans cover 107 million pixels. Past either limit decoding stops:
// EJPEG "JPEG image has too many scans for its size to decode".
inline constexpr int kMaxJpegScans = 500;
inline constexpr uint64_t kMaxJpegScanPixels = uint64_t{1} << 30;

// A JPEG image holds its whole file in memory. Even a picture at the pixel limit stored
// at the highest quality stays below this; a larger file is something else misnamed.
inline constexpr int64_t kMaxJpegFileBytes = int64_t{1} << 30;

// The held file bytes are handed to the library in blocks of this size.
inline constexpr size_t kJpegSourceBlock = 4096;

// Palette pictures leave the other 20 entries of a 256-entry table to the system.
inline constexpr int kJpegQuantizedColors = 236;

// The library's data source over the held file bytes, fed in blocks of
// kJpegSourceBlock. When the bytes run out after at least one block, the source
// supplies an end-of-image marker and the library only warns, so cut files decode as
// far as their data goes; with no bytes at all the library fails with
// JERR_INPUT_EMPTY (#42).
struct TJpegMemorySource : jpeg_source_mgr {
  explicit TJpegMemorySource(std::span<const uint8_t> file);

  std::span<const uint8_t> File;
  size_t Position = 0;  // of the next block
};

class TJpegDecompressor {
 public:
  // Called from the library's progress hook; what it throws reaches the caller of the
  // library method that was running.
  using TProgressHook = std::function<void(const jpeg_decompress_struct&)>;

  // Reads from file, which must outlive the decompressor. Without a hook the library
  // reports no progress.
  explicit TJpegDecompressor(std::span<const uint8_t> file, TProgressHook progress = {});
  ~TJpegDecompressor();
  TJpegDecompressor(const TJpegDecompressor&) = delete;
  TJpegDecompressor& operator=(const TJpegDecompressor&) = delete;

  jpeg_decompress_struct& Info() { return info_; }

  // jpeg_read_header requiring an image; a picture over the pixel limit fails here.
  void ReadHeader();
  bool HasMultipleScans();
  void CalcOutputDimensions();
  void StartDecompress();
  JDIMENSION ReadScanlines(JSAMPROW* rows, JDIMENSION count);
  // JPEG_REACHED_EOI and friends; a file of too many scans fails here.
  int ConsumeInput();
  void StartOutput(int scan);
  void FinishOutput();
  void FinishDecompress();
  // A colour map of the image's lifetime for the library to quantise to.
  JSAMPARRAY AllocateColorMap(int colors, int components);

 private:
  struct TErrorManager : jpeg_error_mgr {
    std::jmp_buf Jump;
  };

  template <typename Call>
  auto Guarded(Call call);
  [[noreturn]] void RaiseFailure();
  void CheckScanLimit();

  static void ErrorExit(j_common_ptr info);
  static void DropMessage(j_common_ptr info, int level);
  static void DropOutput(j_common_ptr info);
  static void ProgressMonitor(j_common_ptr info);
  bool RunProgressHook() noexcept;

  jpeg_decompress_struct info_{};
  TErrorManager errors_{};
  TJpegMemorySource source_;
  jpeg_progress_mgr progress_{};
  TProgressHook hook_;
  std::exception_ptr pending_;  // thrown by the hook, raised again outside the library
};

// The settings of the final picture, kept while progressive display shows its
// intermediate scans with fast ones.
struct TJpegFinalSettings {
  J_DCT_METHOD DctMethod = JDCT_FLOAT;
  bool TwoPassQuantize = false;
  J_DITHER_MODE DitherMode = JDITHER_FS;
};

struct TJpegDecodeSettings {
  TJpegFinalSettings Final;
  // Progressive display of a file of several scans: the library's buffered-image mode.
  bool Buffered = false;
  // CMYK and YCCK files come from the library as CMYK and are converted here.
  bool FourComponents = false;
  // The library's CMYK holds 255 - ink, the convention of files with an Adobe marker.
  bool InvertedCmyk = false;
};

// Turns an image's options into decompression settings, after the header is read:
// scale, smoothing, colour space (blue, green, red for colour files), quantisation to
// kJpegQuantizedColors for palette pictures, and the speed settings. The DCT is the
// floating-point one unless best speed is asked for.
TJpegDecodeSettings ApplyDecodeSettings(jpeg_decompress_struct& info, const TJPEGOptions& options, bool multipleScans);

bool IsFourComponentColorSpace(J_COLOR_SPACE space);

// Width, height, colour space and scans into facts; EJPEG when the header cannot be
// read or announces a picture over the limits.
void ReadJpegHeader(std::span<const uint8_t> file, TJPEGData& facts);

struct TJpegSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// The size the options' scale gives, as the library computes it.
TJpegSize JpegScaledSize(std::span<const uint8_t> file, const TJPEGOptions& options);

}  // namespace tapestro
