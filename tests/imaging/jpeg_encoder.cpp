#include "tests/imaging/jpeg_encoder.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace tapestro::test {

namespace {

struct TColorSpaces {
  J_COLOR_SPACE In;
  J_COLOR_SPACE Stored;
  int Components;
};

TColorSpaces SpacesOf(TJpegKind kind) {
  switch (kind) {
    case TJpegKind::Grey: return {JCS_GRAYSCALE, JCS_GRAYSCALE, 1};
    case TJpegKind::Cmyk: return {JCS_CMYK, JCS_CMYK, 4};
    case TJpegKind::Ycck: return {JCS_CMYK, JCS_YCCK, 4};
    case TJpegKind::Rgb: break;
  }
  return {JCS_RGB, JCS_YCbCr, 3};
}

// Only a recipe the library cannot encode gets here: a mistake in a test.
[[noreturn]] void Fail(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  (*info->err->format_message)(info, text);
  std::fprintf(stderr, "test JPEG encoder: %s\n", text);
  std::abort();
}

void Configure(jpeg_compress_struct& info, const TJpegRecipe& recipe, const TColorSpaces& spaces) {
  info.image_width = static_cast<JDIMENSION>(recipe.Width);
  info.image_height = static_cast<JDIMENSION>(recipe.Height);
  info.input_components = spaces.Components;
  info.in_color_space = spaces.In;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, spaces.Stored);
  jpeg_set_quality(&info, recipe.Quality, TRUE);
  for (size_t i = 0; i < recipe.Sampling.size() && i < static_cast<size_t>(info.num_components); ++i) {
    info.comp_info[i].h_samp_factor = recipe.Sampling[i].first;
    info.comp_info[i].v_samp_factor = recipe.Sampling[i].second;
  }
  if (spaces.Components == 4) info.write_Adobe_marker = recipe.AdobeMarker ? TRUE : FALSE;
  info.arith_code = recipe.Arithmetic ? TRUE : FALSE;
  info.restart_in_rows = recipe.RestartRows;
  if (recipe.Progressive) jpeg_simple_progression(&info);
}

// The DC scan, then for each AC coefficient a first scan of its bits 9 and up and one
// refinement scan for each lower bit.
std::vector<jpeg_scan_info> ScanPerBitScript(int topBit) {
  std::vector<jpeg_scan_info> scans;
  scans.push_back({1, {0}, 0, 0, 0, 0});
  for (int k = 1; k < DCTSIZE2; ++k) {
    scans.push_back({1, {0}, k, k, 0, topBit});
    for (int bit = topBit; bit > 0; --bit) scans.push_back({1, {0}, k, k, bit, bit - 1});
  }
  return scans;
}

}  // namespace

std::array<uint8_t, 4> GradientPixel(int x, int y) {
  const auto byte = [](int v) { return static_cast<uint8_t>(v & 0xFF); };
  return {byte(x * 7 + y), byte(y * 5 + (x * y) % 23), byte(128 + x * 3 - y * 2), byte(x + y * 3)};
}

std::vector<uint8_t> EncodeJpeg(const TJpegRecipe& recipe) {
  const TColorSpaces spaces = SpacesOf(recipe.Kind);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  errors.error_exit = Fail;
  jpeg_create_compress(&info);
  unsigned char* memory = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &memory, &size);
  Configure(info, recipe, spaces);
  const std::vector<jpeg_scan_info> script =
      recipe.ScanPerCoefficientBit ? ScanPerBitScript(recipe.RefinedBits) : std::vector<jpeg_scan_info>{};
  if (!script.empty()) {
    info.scan_info = script.data();
    info.num_scans = static_cast<int>(script.size());
  }
  jpeg_start_compress(&info, TRUE);
  const std::function<std::array<uint8_t, 4>(int, int)> pixel =
      recipe.Pixel ? recipe.Pixel : std::function<std::array<uint8_t, 4>(int, int)>(GradientPixel);
  std::vector<JSAMPLE> row(static_cast<size_t>(recipe.Width * spaces.Components));
  for (int y = 0; y < recipe.Height; ++y) {
    for (int x = 0; x < recipe.Width; ++x) {
      const std::array<uint8_t, 4> samples = pixel(x, y);
      for (int c = 0; c < spaces.Components; ++c) row[static_cast<size_t>(x * spaces.Components + c)] = samples[c];
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> file(memory, memory + size);
  jpeg_destroy_compress(&info);
  std::free(memory);
  return file;
}

std::vector<uint8_t> CutBeforeMarker(const std::vector<uint8_t>& file, uint8_t marker) {
  for (size_t i = 2; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == marker) return {file.begin(), file.begin() + static_cast<ptrdiff_t>(i)};
  return file;
}

std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> file, uint16_t width, uint16_t height) {
  // Frame headers: SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC). After the marker
  // come the length (2), the precision (1), then height and width, big-endian.
  for (size_t i = 2; i + 8 < file.size(); ++i) {
    const uint8_t code = file[i + 1];
    if (file[i] != 0xFF || code < 0xC0 || code > 0xCF || code == 0xC4 || code == 0xC8 || code == 0xCC) continue;
    file[i + 5] = static_cast<uint8_t>(height >> 8);
    file[i + 6] = static_cast<uint8_t>(height);
    file[i + 7] = static_cast<uint8_t>(width >> 8);
    file[i + 8] = static_cast<uint8_t>(width);
    return file;
  }
  return file;
}

}  // namespace tapestro::test
