#pragma once
// The one way into libjpeg. The library reports a fatal error by calling its error
// manager from inside its own C frames, which a C++ exception must not unwind; the
// manager jumps back to the method that entered the library, and only there, outside
// the library, is the error raised as EJPEG "JPEG error #%d" with the library's
// message code. Warnings and trace messages are dropped.
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

#include "imaging/jpeg/jpeg_memory_source.h"

namespace tapestro {

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

}  // namespace tapestro
