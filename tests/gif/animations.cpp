#include "tests/gif/animations.h"

namespace tapestro::test {

namespace {

const std::vector<TGIFColor> kColors = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}, {0, 0, 0}};

}  // namespace

TColor FrameColor(int index) {
  const TGIFColor& color = kColors[static_cast<size_t>(index) % kColors.size()];
  return RGBColor(color.Red, color.Green, color.Blue);
}

Bytes SolidAnimation(const std::vector<int>& delays, int loopCount, size_t loopFrame) {
  GifBuilder gif;
  gif.Header(2, 2, kColors);
  ImageOptions options;
  options.minimumCodeSize = 3;
  for (size_t i = 0; i < delays.size(); ++i) {
    if (i == loopFrame && loopCount != kNoLoopExtension)
      gif.Application("NETSCAPE2.0", {{0x01, static_cast<uint8_t>(loopCount), static_cast<uint8_t>(loopCount >> 8)}});
    if (delays[i] != kNoGraphicControl) gif.GraphicControl(-1, delays[i], 1);
    gif.Image(2, 2, Bytes(4, static_cast<uint8_t>(i % kColors.size())), options);
  }
  return gif.Trailer().Get();
}

}  // namespace tapestro::test
