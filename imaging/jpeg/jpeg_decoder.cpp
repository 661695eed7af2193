#include "imaging/jpeg/jpeg_decoder.h"

#include <jerror.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <utility>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_decompressor.h"
#include "imaging/jpeg/jpeg_errors.h"

namespace tapestro {

namespace {

// jpeg_read_scanlines is asked for at most this many rows at once (the library never
// prefers more than the largest vertical sampling factor, 4).
constexpr int kMaxJpegLinesPerRead = 4;

// One entry per map colour: grey output has one component per colour; colour output
// has blue, green, red as components 0, 1, 2.
HPALETTE PaletteFromColorMap(const jpeg_decompress_struct& info) {
  const int count = std::clamp(info.actual_number_of_colors, 0, static_cast<int>(kMaxPaletteEntries));
  const bool grey = info.out_color_space == JCS_GRAYSCALE;
  std::vector<TPaletteEntry> entries(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    TPaletteEntry& entry = entries[static_cast<size_t>(i)];
    entry.Blue = info.colormap[0][i];
    entry.Green = grey ? entry.Blue : info.colormap[1][i];
    entry.Red = grey ? entry.Blue : info.colormap[2][i];
  }
  return MakeLogPalette(std::move(entries));
}

// Fills a map the library quantises to from the palette's entries (blue, green, red).
void FillColorMap(JSAMPARRAY map, const TLogPalette& palette) {
  for (size_t i = 0; i < palette.Entries.size(); ++i) {
    map[0][i] = palette.Entries[i].Blue;
    map[1][i] = palette.Entries[i].Green;
    map[2][i] = palette.Entries[i].Red;
  }
}

class TJpegDecoding {
 public:
  TJpegDecoding(const TJpegDecodeRequest& request, TBitmap& bitmap, bool& paletteModified)
      : request_(request),
        bitmap_(bitmap),
        paletteModified_(paletteModified),
        pacer_(request.TickCount),
        decompressor_(request.File, [this](const jpeg_decompress_struct& info) { ReportProgress(info); }) {}

  void Run();

 private:
  jpeg_decompress_struct& Info() { return decompressor_.Info(); }
  void ReportProgress(const jpeg_decompress_struct& info);
  void UseCallerPalette();
  void CheckOutputLayout();
  void PaletteFromLibrary();
  void ShowScans();
  int ConsumeScan();
  void StartFinalPass();
  void ReadRows();
  JDIMENSION ReadBitmapRows(JSAMPROW* rows, JDIMENSION count, uint8_t* first, ptrdiff_t step);
  JDIMENSION ReadCmykRows(JSAMPROW* rows, JDIMENSION count, uint8_t* first, ptrdiff_t step);

  const TJpegDecodeRequest& request_;
  TBitmap& bitmap_;
  bool& paletteModified_;
  TJpegProgressPacer pacer_;
  TJpegDecompressor decompressor_;
  TJpegDecodeSettings settings_;
  bool generatePalette_ = true;
  std::vector<uint8_t> cmykRows_;
};

void TJpegDecoding::Run() {
  decompressor_.ReadHeader();
  settings_ = ApplyDecodeSettings(Info(), request_.Options, decompressor_.HasMultipleScans());
  bitmap_.SetPixelFormat(Info().quantize_colors ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
  request_.Progress(TProgressStage::psStarting, 0, false, TRect{});
  UseCallerPalette();
  decompressor_.StartDecompress();
  CheckOutputLayout();
  // The palette goes in before the size: a palette change rebuilds every pixel.
  if (!settings_.Buffered) PaletteFromLibrary();
  bitmap_.SetWidth(static_cast<int32_t>(Info().output_width));
  bitmap_.SetHeight(static_cast<int32_t>(Info().output_height));
  if (settings_.Buffered) {
    ShowScans();
    StartFinalPass();
  }
  ReadRows();
  if (settings_.Buffered) decompressor_.FinishOutput();
  decompressor_.FinishDecompress();
}

void TJpegDecoding::ReportProgress(const jpeg_decompress_struct& info) {
  const jpeg_progress_mgr& progress = *info.progress;
  const TJpegProgressState state{progress.pass_counter,
                                 progress.pass_limit,
                                 progress.completed_passes,
                                 progress.total_passes,
                                 static_cast<int32_t>(info.output_width),
                                 static_cast<int32_t>(info.output_height),
                                 static_cast<int32_t>(info.output_scanline)};
  if (const auto report = pacer_.Next(state))
    request_.Progress(TProgressStage::psRunning, report->Percent, report->RedrawNow, report->Rect);
}

// Only colour output can be quantised to a given map; greyscale output makes its own.
void TJpegDecoding::UseCallerPalette() {
  const HPALETTE& palette = request_.CallerPalette;
  if (!palette || palette->Entries.empty() || !Info().quantize_colors || Info().out_color_space != JCS_EXT_BGR) return;
  const int colors = static_cast<int>(palette->Entries.size());
  JSAMPARRAY map = decompressor_.AllocateColorMap(colors, 3);
  FillColorMap(map, *palette);
  Info().colormap = map;
  Info().actual_number_of_colors = colors;
  bitmap_.SetPalette(palette);
  generatePalette_ = false;
}

// The rows the library writes must be the rows the bitmap holds.
void TJpegDecoding::CheckOutputLayout() {
  const int expected = settings_.FourComponents ? 4 : Info().quantize_colors ? 1 : 3;
  if (Info().output_components != expected) RaiseJpegError(JERR_CONVERSION_NOTIMPL);
}

void TJpegDecoding::PaletteFromLibrary() {
  if (!generatePalette_ || !Info().quantize_colors || Info().colormap == nullptr) return;
  bitmap_.SetPalette(PaletteFromColorMap(Info()));
  paletteModified_ = true;
}

// Progressive display: each scan, once complete, is shown with the fast settings.
void TJpegDecoding::ShowScans() {
  bool first = true;
  while (ConsumeScan() != JPEG_REACHED_EOI) {
    decompressor_.StartOutput(Info().input_scan_number);
    if (first) PaletteFromLibrary();
    first = false;
    ReadRows();
    decompressor_.FinishOutput();
  }
}

// Reads input until a scan is complete. All data is in memory, so the source never
// suspends; showing the picture after every row of input would decode it once per row.
int TJpegDecoding::ConsumeScan() {
  for (;;) {
    const int status = decompressor_.ConsumeInput();
    if (status == JPEG_SCAN_COMPLETED || status == JPEG_REACHED_EOI || status == JPEG_SUSPENDED)
      return status == JPEG_SUSPENDED ? JPEG_REACHED_EOI : status;
  }
}

void TJpegDecoding::StartFinalPass() {
  const TJpegFinalSettings& final = settings_.Final;
  Info().dct_method = final.DctMethod;
  Info().dither_mode = final.DitherMode;
  // Two-pass quantisation was prepared at the start only for colour output.
  const bool requantize = final.TwoPassQuantize && Info().enable_2pass_quant;
  if (requantize) {
    Info().two_pass_quantize = TRUE;
    Info().colormap = nullptr;
  }
  decompressor_.StartOutput(Info().input_scan_number);
  if (requantize) PaletteFromLibrary();
}

// Rows go straight into the bitmap, bottom row first in memory, through one row
// pointer each, several rows per call when the library prefers that.
void TJpegDecoding::ReadRows() {
  if (Info().output_height == 0) return;
  uint8_t* const top = bitmap_.ScanLine(0);
  const ptrdiff_t step = Info().output_height > 1 ? bitmap_.ScanLine(1) - top : 0;
  const JDIMENSION linesPerRead =
      static_cast<JDIMENSION>(std::clamp(Info().rec_outbuf_height, 1, kMaxJpegLinesPerRead));
  std::array<JSAMPROW, kMaxJpegLinesPerRead> rows{};
  while (Info().output_scanline < Info().output_height) {
    const JDIMENSION first = Info().output_scanline;
    const JDIMENSION count = std::min(linesPerRead, Info().output_height - first);
    uint8_t* const target = top + step * static_cast<ptrdiff_t>(first);
    const JDIMENSION read = settings_.FourComponents ? ReadCmykRows(rows.data(), count, target, step)
                                                     : ReadBitmapRows(rows.data(), count, target, step);
    if (read == 0) break;
  }
}

JDIMENSION TJpegDecoding::ReadBitmapRows(JSAMPROW* rows, JDIMENSION count, uint8_t* first, ptrdiff_t step) {
  for (JDIMENSION i = 0; i < count; ++i) rows[i] = first + step * static_cast<ptrdiff_t>(i);
  return decompressor_.ReadScanlines(rows, count);
}

// CMYK rows are read into a scratch row each and converted into the bitmap.
JDIMENSION TJpegDecoding::ReadCmykRows(JSAMPROW* rows, JDIMENSION count, uint8_t* first, ptrdiff_t step) {
  const size_t rowBytes = size_t{Info().output_width} * 4;
  cmykRows_.resize(rowBytes * kMaxJpegLinesPerRead);
  for (JDIMENSION i = 0; i < count; ++i) rows[i] = cmykRows_.data() + rowBytes * i;
  const JDIMENSION read = decompressor_.ReadScanlines(rows, count);
  for (JDIMENSION i = 0; i < read; ++i)
    CmykToBgr(rows[i], first + step * static_cast<ptrdiff_t>(i), Info().output_width, settings_.InvertedCmyk);
  return read;
}

}  // namespace

void DecodeJpegInto(const TJpegDecodeRequest& request, TBitmap& bitmap, bool& paletteModified) {
  TJpegDecoding(request, bitmap, paletteModified).Run();
}

// ---- Progress pacing ----

namespace {

int PercentDone(const TJpegProgressState& state) {
  if (state.PassLimit <= 0 || state.TotalPasses <= 0) return 0;
  const double passes = static_cast<double>(state.PassCounter) / static_cast<double>(state.PassLimit) +
                        static_cast<double>(state.CompletedPasses);
  return std::clamp(static_cast<int>(passes * 100.0 / state.TotalPasses), 0, 100);
}

}  // namespace

int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TJpegProgressPacer::TJpegProgressPacer(std::function<int64_t()> tickCount) : tickCount_(std::move(tickCount)) {}

std::optional<TJpegProgressReport> TJpegProgressPacer::Next(const TJpegProgressState& state) {
  const int64_t now = tickCount_();
  if (!lastTick_) {
    lastTick_ = now;
    return std::nullopt;
  }
  if (now - *lastTick_ < kJpegProgressIntervalMs) return std::nullopt;
  const int percent = PercentDone(state);
  if (percent == lastPercent_) return std::nullopt;
  lastTick_ = now;
  lastPercent_ = percent;

  TJpegProgressReport report;
  report.Percent = static_cast<uint8_t>(percent);
  // A row above the last reported one means a new pass began: the rest of the old
  // pass's rows are ready too.
  const int32_t bottom = state.OutputScanline < lastRow_ ? state.OutputHeight : state.OutputScanline;
  report.Rect = Rect(0, lastRow_, state.OutputWidth, bottom);
  report.RedrawNow = report.Rect.Height() >= 4;
  lastRow_ = state.OutputScanline;
  return report;
}

// ---- Four-component pictures ----

namespace {

// a x b / 255, rounded: a full channel times full white is the channel.
constexpr uint8_t Scale255(unsigned a, unsigned b) {
  const unsigned product = a * b + 128;
  return static_cast<uint8_t>((product + (product >> 8)) >> 8);
}

}  // namespace

void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, size_t pixels, bool inverted) {
  const unsigned flip = inverted ? 0 : 255;
  for (size_t i = 0; i < pixels; ++i, cmyk += 4, bgr += 3) {
    // Each value becomes the amount of light the ink lets through.
    const unsigned white = cmyk[3] ^ flip;
    bgr[0] = Scale255(cmyk[2] ^ flip, white);
    bgr[1] = Scale255(cmyk[1] ^ flip, white);
    bgr[2] = Scale255(cmyk[0] ^ flip, white);
  }
}

}  // namespace tapestro
