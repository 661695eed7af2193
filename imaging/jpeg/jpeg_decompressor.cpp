#include "imaging/jpeg/jpeg_decompressor.h"

#include <jerror.h>

#include <algorithm>
#include <utility>

#include "imaging/jpeg/jpeg_errors.h"
#include "imaging/pixel_format.h"

namespace tapestro {

// ---- The data source ----

namespace {

constexpr JOCTET kEndOfImage[] = {0xFF, JPEG_EOI};

TJpegMemorySource& SourceOf(j_decompress_ptr info) { return *static_cast<TJpegMemorySource*>(info->src); }

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info) {
  TJpegMemorySource& source = SourceOf(info);
  if (source.Position >= source.File.size()) {
    if (source.File.empty()) ERREXIT(info, JERR_INPUT_EMPTY);
    WARNMS(info, JWRN_JPEG_EOF);
    source.next_input_byte = kEndOfImage;
    source.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
  }
  const size_t block = std::min(kJpegSourceBlock, source.File.size() - source.Position);
  source.next_input_byte = source.File.data() + source.Position;
  source.bytes_in_buffer = block;
  source.Position += block;
  return TRUE;
}

// Skips inside the held bytes instead of filling block after block.
void SkipInputData(j_decompress_ptr info, long count) {
  TJpegMemorySource& source = SourceOf(info);
  if (count <= 0) return;
  const size_t skip = static_cast<size_t>(count);
  if (skip <= source.bytes_in_buffer) {
    source.next_input_byte += skip;
    source.bytes_in_buffer -= skip;
    return;
  }
  const size_t beyond = skip - source.bytes_in_buffer;
  source.bytes_in_buffer = 0;
  source.Position += std::min(beyond, source.File.size() - source.Position);
}

}  // namespace

TJpegMemorySource::TJpegMemorySource(std::span<const uint8_t> file) : jpeg_source_mgr{}, File(file) {
  init_source = InitSource;
  fill_input_buffer = FillInputBuffer;
  skip_input_data = SkipInputData;
  resync_to_restart = jpeg_resync_to_restart;
  term_source = TermSource;
}

// ---- TJpegDecompressor ----

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
  if (errors_.msg_code == JERR_NO_BACKING_STORE) throw EJPEG(msg::kJpegTooMuchMemory);
  char text[JMSG_LENGTH_MAX] = {};
  (*errors_.format_message)(reinterpret_cast<j_common_ptr>(&info_), text);
  RaiseJpegError(errors_.msg_code, text);
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
  const auto scans = static_cast<uint64_t>(std::max(info_.input_scan_number, 0));
  const uint64_t pixels = uint64_t{info_.image_width} * info_.image_height;
  if (scans > kMaxJpegScans || scans * pixels > kMaxJpegScanPixels) throw EJPEG(msg::kJpegTooMuchWork);
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
  const TPixelSize bitmap = PixelSize(info_.image_width, info_.image_height, 24);
  if (bitmap.Check != TSizeCheck::Ok) RaiseJpegError(JERR_IMAGE_TOO_BIG);
  info_.mem->max_memory_to_use =
      std::min<long>(kJpegLibraryMemory, static_cast<long>(bitmap.ImageBytes) + kJpegLibraryMargin);
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

// ---- Decompression settings ----

namespace {

void ChooseColorSpace(jpeg_decompress_struct& info, const TJPEGOptions& options, TJpegDecodeSettings& settings) {
  if (IsFourComponentColorSpace(info.jpeg_color_space)) {
    info.out_color_space = JCS_CMYK;
    settings.FourComponents = true;
    settings.InvertedCmyk = info.saw_Adobe_marker != FALSE;
  } else if (options.Grayscale) {
    info.out_color_space = JCS_GRAYSCALE;
  } else if (info.out_color_space == JCS_RGB) {
    // The bitmap's own byte order, so rows are stored as the library delivers them.
    info.out_color_space = JCS_EXT_BGR;
  }
}

void UseFastSettings(jpeg_decompress_struct& info) {
  info.dct_method = JDCT_IFAST;
  info.two_pass_quantize = FALSE;
  info.dither_mode = JDITHER_ORDERED;
}

}  // namespace

bool IsFourComponentColorSpace(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

TJpegDecodeSettings ApplyDecodeSettings(jpeg_decompress_struct& info, const TJPEGOptions& options, bool multipleScans) {
  TJpegDecodeSettings settings;
  info.scale_num = 1;
  info.scale_denom = 1u << static_cast<unsigned>(options.Scale);
  info.do_block_smoothing = options.Smoothing ? TRUE : FALSE;
  info.dct_method = JDCT_FLOAT;
  ChooseColorSpace(info, options, settings);
  if (DecodesThroughPalette(options, info.out_color_space == JCS_GRAYSCALE, settings.FourComponents)) {
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = kJpegQuantizedColors;
  }
  if (options.Performance == TJPEGPerformance::jpBestSpeed) UseFastSettings(info);
  settings.Final = {info.dct_method, info.two_pass_quantize != FALSE, info.dither_mode};
  if (options.ProgressiveDisplay && multipleScans) {
    info.enable_2pass_quant = info.two_pass_quantize;
    UseFastSettings(info);
    info.buffered_image = TRUE;
    settings.Buffered = true;
  }
  return settings;
}

// ---- Header facts ----

void ReadJpegHeader(std::span<const uint8_t> file, TJPEGData& facts) {
  TJpegDecompressor decompressor(file);
  decompressor.ReadHeader();
  const jpeg_decompress_struct& info = decompressor.Info();
  facts.Width = static_cast<int32_t>(info.image_width);
  facts.Height = static_cast<int32_t>(info.image_height);
  facts.Grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
  facts.FourComponents = IsFourComponentColorSpace(info.jpeg_color_space);
  facts.Progressive = decompressor.HasMultipleScans();
}

TJpegSize JpegScaledSize(std::span<const uint8_t> file, const TJPEGOptions& options) {
  TJpegDecompressor decompressor(file);
  decompressor.ReadHeader();
  ApplyDecodeSettings(decompressor.Info(), options, decompressor.HasMultipleScans());
  decompressor.CalcOutputDimensions();
  const jpeg_decompress_struct& info = decompressor.Info();
  return {static_cast<int32_t>(info.output_width), static_cast<int32_t>(info.output_height)};
}

}  // namespace tapestro
