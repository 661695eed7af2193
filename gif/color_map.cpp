#include "gif/color_map.h"

#include <array>

#include "gif/stream_reading.h"

namespace tapestro {

void TGIFColorMap::Clear() { std::vector<TGIFColor>().swap(colors_); }

void TGIFColorMap::ReadFromStream(TStream& stream, int count) {
  std::array<uint8_t, 3 * kMaxColors> bytes;
  ReadOrFail(stream, bytes.data(), 3 * static_cast<size_t>(count));
  std::vector<TGIFColor> colors(static_cast<size_t>(count));
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
  colors_.swap(colors);
}

HPALETTE TGIFColorMap::MakePalette() const {
  if (colors_.empty()) return nullptr;
  std::vector<TPaletteEntry> entries;
  entries.reserve(colors_.size());
  for (const TGIFColor& color : colors_) entries.push_back({color.Red, color.Green, color.Blue, PC_NOCOLLAPSE});
  return MakeLogPalette(std::move(entries));
}

}  // namespace tapestro
