#include "imaging/jpeg/jpeg_decompressor.h"

#include <jerror.h>

#include <utility>

#include "imaging/jpeg/jpeg_errors.h"
#include "imaging/jpeg/jpeg_limits.h"
#include "imaging/pixel_format.h"

namespace tapestro {

namespace {

TJpegDecompressor& Owner(j_common_ptr info) { return *static_cast<TJpegDecompressor*>(info->client_data); }

}  // namespace

// Enters the library through call. When the library fails, its error manager jumps
// back here and the error is raised outside the library's frames.
template <typename Call>
auto TJpegDecompressor::Guarded(Call call) {
  if (setjmp(errors_.Jump) != 0) RaiseFailure();
  return call();
}

void TJpegDecompressor::RaiseFailure() {
  if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
  RaiseJpegError(errors_.msg_code);
}

void TJpegDecompressor::ErrorExit(j_common_ptr info) {
  auto* errors = static_cast<TErrorManager*>(info->err);
  std::longjmp(errors->Jump, 1);
}

void TJpegDecompressor::DropMessage(j_common_ptr, int) {}
void TJpegDecompressor::DropOutput(j_common_ptr) {}

bool TJpegDecompressor::RunProgressHook() noexcept {
  try {
    CheckScanLimit();
    hook_(info_);
    return true;
  } catch (...) {
    pending_ = std::current_exception();
    return false;
  }
}

void TJpegDecompressor::ProgressMonitor(j_common_ptr info) {
  TJpegDecompressor& self = Owner(info);
  if (!self.RunProgressHook()) std::longjmp(self.errors_.Jump, 1);
}

void TJpegDecompressor::CheckScanLimit() {
  if (info_.input_scan_number > kMaxJpegScans) RaiseJpegError(JERR_IMAGE_TOO_BIG);
}

TJpegDecompressor::TJpegDecompressor(std::span<const uint8_t> file, TProgressHook progress)
    : source_(file), hook_(std::move(progress)) {
  info_.err = jpeg_std_error(&errors_);
  errors_.error_exit = ErrorExit;
  errors_.emit_message = DropMessage;
  errors_.output_message = DropOutput;
  info_.client_data = this;
  Guarded([this] { jpeg_create_decompress(&info_); });
  info_.mem->max_memory_to_use = kJpegLibraryMemory;
  info_.src = &source_;
  if (hook_) {
    progress_.progress_monitor = ProgressMonitor;
    info_.progress = &progress_;
  }
}

TJpegDecompressor::~TJpegDecompressor() { jpeg_destroy_decompress(&info_); }

void TJpegDecompressor::ReadHeader() {
  Guarded([this] { jpeg_read_header(&info_, TRUE); });
  if (PixelSize(info_.image_width, info_.image_height, 24).Check != TSizeCheck::Ok) RaiseJpegError(JERR_IMAGE_TOO_BIG);
}

bool TJpegDecompressor::HasMultipleScans() {
  return Guarded([this] { return jpeg_has_multiple_scans(&info_); }) != FALSE;
}

void TJpegDecompressor::CalcOutputDimensions() {
  Guarded([this] { jpeg_calc_output_dimensions(&info_); });
}

void TJpegDecompressor::StartDecompress() {
  Guarded([this] { jpeg_start_decompress(&info_); });
}

JDIMENSION TJpegDecompressor::ReadScanlines(JSAMPROW* rows, JDIMENSION count) {
  return Guarded([this, rows, count] { return jpeg_read_scanlines(&info_, rows, count); });
}

int TJpegDecompressor::ConsumeInput() {
  CheckScanLimit();
  return Guarded([this] { return jpeg_consume_input(&info_); });
}

void TJpegDecompressor::StartOutput(int scan) {
  Guarded([this, scan] { jpeg_start_output(&info_, scan); });
}

void TJpegDecompressor::FinishOutput() {
  Guarded([this] { jpeg_finish_output(&info_); });
}

void TJpegDecompressor::FinishDecompress() {
  Guarded([this] { jpeg_finish_decompress(&info_); });
}

JSAMPARRAY TJpegDecompressor::AllocateColorMap(int colors, int components) {
  return Guarded([this, colors, components] {
    return info_.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info_), JPOOL_IMAGE, static_cast<JDIMENSION>(colors),
                                   static_cast<JDIMENSION>(components));
  });
}

}  // namespace tapestro
