#include "imaging/jpeg/jpeg_settings.h"

#include "imaging/jpeg/jpeg_limits.h"

namespace tapestro {

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

}  // namespace tapestro
