#include "imaging/pixel_ops.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "imaging/pixel_format.h"

namespace tapestro {

void FillPixels(const TPixelView& target, const TRect& rect, TColor color) {
  const int32_t left = std::max(rect.Left, 0);
  const int32_t top = std::max(rect.Top, 0);
  const int32_t right = std::min(rect.Right, target.Width());
  const int32_t bottom = std::min(rect.Bottom, target.Height());
  if (target.IsEmpty() || left >= right || top >= bottom) return;
  uint8_t* first = target.Row(top);
  for (int32_t x = left; x < right; ++x) target.Set(first, x, color);
  const int bits = target.BitsPerPixel();
  for (int32_t y = top + 1; y < bottom; ++y) {
    uint8_t* row = target.Row(y);
    if (bits >= 8) {
      const size_t from = static_cast<size_t>(left) * bits / 8;
      std::memcpy(row + from, first + from, static_cast<size_t>(right - left) * bits / 8);
    } else {
      for (int32_t x = left; x < right; ++x) target.Set(row, x, color);
    }
  }
}

void CopyPixels(const TPixelView& source, const TPixelView& target, int32_t width, int32_t height) {
  if (source.IsEmpty() || target.IsEmpty() || width <= 0 || height <= 0) return;
  const int bits = target.BitsPerPixel();
  const bool bytewise = source.SameLayout(target) && (static_cast<int64_t>(width) * bits) % 8 == 0;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* from = source.Row(y);
    uint8_t* to = target.Row(y);
    if (bytewise) {
      std::memcpy(to, from, static_cast<size_t>(width) * bits / 8);
      continue;
    }
    for (int32_t x = 0; x < width; ++x) target.Set(to, x, source.Get(from, x));
  }
}

namespace {

constexpr int kHalftoneSamples = 4;  // per axis and target pixel

// The source pixels one target pixel shows along one axis: the centre one, and the
// span [First, Last) it covers (at least one pixel).
struct TSpan {
  int32_t Centre = 0;
  int32_t First = 0;
  int32_t Last = 0;
};

// Spans for the visible target positions from..to of a destination starting at
// destStart with destLength pixels showing sourceLength pixels from sourceStart;
// positions outside 0..sourceLimit get an empty span.
std::vector<TSpan> Spans(int32_t from, int32_t to, int32_t destStart, int64_t destLength, int32_t sourceStart,
                         int64_t sourceLength, int32_t sourceLimit) {
  std::vector<TSpan> spans;
  spans.reserve(static_cast<size_t>(to - from));
  for (int32_t t = from; t < to; ++t) {
    const int64_t offset = t - destStart;
    const int64_t centre = sourceStart + ((2 * offset + 1) * sourceLength) / (2 * destLength);
    int64_t first = sourceStart + (offset * sourceLength) / destLength;
    int64_t last = std::max(first + 1, sourceStart + ((offset + 1) * sourceLength) / destLength);
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, sourceLimit);
    if (centre < 0 || centre >= sourceLimit || first >= last) {
      spans.push_back({-1, 0, 0});
      continue;
    }
    spans.push_back({static_cast<int32_t>(centre), static_cast<int32_t>(first), static_cast<int32_t>(last)});
  }
  return spans;
}

class TStretcher {
 public:
  TStretcher(const TPixelView& target, const TStretchRequest& request) : target_(target), request_(request) {}

  void Run() {
    const TRect& dest = request_.Dest;
    const TRect& area = request_.SourceArea;
    const int32_t left = std::max(dest.Left, 0), right = std::min(dest.Right, target_.Width());
    const int32_t top = std::max(dest.Top, 0), bottom = std::min(dest.Bottom, target_.Height());
    if (left >= right || top >= bottom) return;
    source_ = Unaliased(request_.Source);
    const std::vector<TSpan> columns =
        Spans(left, right, dest.Left, dest.Width(), area.Left, area.Width(), source_.Width());
    const std::vector<TSpan> rows =
        Spans(top, bottom, dest.Top, dest.Height(), area.Top, area.Height(), source_.Height());
    if (request_.Mode == TStretchMode::BlackOnWhite) ColumnRange(columns);
    for (int32_t y = top; y < bottom; ++y) {
      const TSpan& row = rows[static_cast<size_t>(y - top)];
      if (row.Centre < 0) continue;
      if (request_.Mode == TStretchMode::BlackOnWhite) AndRows(row);
      uint8_t* out = target_.Row(y);
      const uint8_t* maskRow = row.Centre < request_.Mask.Height() ? request_.Mask.Row(row.Centre) : nullptr;
      for (int32_t x = left; x < right; ++x) {
        const TSpan& column = columns[static_cast<size_t>(x - left)];
        if (column.Centre < 0 || Masked(maskRow, column.Centre)) continue;
        target_.Set(out, x, Sample(column, row));
      }
    }
  }

 private:
  // A copy of the source when it lies in the target's memory, so that drawing does not
  // read pixels it has already overwritten.
  TPixelView Unaliased(const TPixelView& source) {
    if (source.IsEmpty() || source.End() <= target_.Begin() || target_.End() <= source.Begin()) return source;
    copy_ = TPixelBuffer(static_cast<size_t>(source.End() - source.Begin()));
    std::memcpy(copy_.Data(), source.Begin(), copy_.Size());
    return source.MovedTo(copy_.Data());
  }

  bool Masked(const uint8_t* maskRow, int32_t x) const {
    return maskRow != nullptr && x < request_.Mask.Width() && request_.Mask.Raw(maskRow, x) != 0;
  }

  TColor Sample(const TSpan& column, const TSpan& row) const {
    switch (request_.Mode) {
      case TStretchMode::ColorOnColor: break;
      case TStretchMode::BlackOnWhite: return AndOf(column);
      case TStretchMode::Halftone: return AverageOf(column, row);
    }
    return source_.Get(source_.Row(row.Centre), column.Centre);
  }

  // The source columns the visible target columns show.
  void ColumnRange(const std::vector<TSpan>& columns) {
    for (const TSpan& column : columns) {
      if (column.Centre < 0) continue;
      firstColumn_ = std::min(firstColumn_, column.First);
      lastColumn_ = std::max(lastColumn_, column.Last);
    }
  }

  // The AND of one target row's source rows, per source column: each source pixel is
  // read once per target row however often its column repeats.
  void AndRows(const TSpan& row) {
    rowAnd_.assign(static_cast<size_t>(std::max(lastColumn_ - firstColumn_, 0)), 0xFFFFFF);
    for (int32_t y = row.First; y < row.Last; ++y) {
      const uint8_t* in = source_.Row(y);
      for (int32_t x = firstColumn_; x < lastColumn_; ++x)
        rowAnd_[static_cast<size_t>(x - firstColumn_)] &= source_.Get(in, x);
    }
  }

  TColor AndOf(const TSpan& column) const {
    TColor color = 0xFFFFFF;
    for (int32_t x = column.First; x < column.Last; ++x) color &= rowAnd_[static_cast<size_t>(x - firstColumn_)];
    return color;
  }

  TColor AverageOf(const TSpan& column, const TSpan& row) const {
    const int32_t columnCount = std::min(column.Last - column.First, kHalftoneSamples);
    const int32_t rowCount = std::min(row.Last - row.First, kHalftoneSamples);
    uint32_t red = 0, green = 0, blue = 0;
    for (int32_t j = 0; j < rowCount; ++j) {
      const uint8_t* in = source_.Row(SamplePosition(row, j, rowCount));
      for (int32_t i = 0; i < columnCount; ++i) {
        const TColor color = source_.Get(in, SamplePosition(column, i, columnCount));
        red += RedOf(color);
        green += GreenOf(color);
        blue += BlueOf(color);
      }
    }
    const auto count = static_cast<uint32_t>(columnCount * rowCount);
    return RGBColor(static_cast<uint8_t>((red + count / 2) / count), static_cast<uint8_t>((green + count / 2) / count),
                    static_cast<uint8_t>((blue + count / 2) / count));
  }

  // Sample i of count spread evenly over the span.
  static int32_t SamplePosition(const TSpan& span, int32_t i, int32_t count) {
    return span.First + static_cast<int32_t>((2 * int64_t{i} + 1) * (span.Last - span.First) / (2 * count));
  }

  const TPixelView& target_;
  const TStretchRequest& request_;
  TPixelView source_;
  TPixelBuffer copy_;
  int32_t firstColumn_ = INT32_MAX;
  int32_t lastColumn_ = 0;
  std::vector<TColor> rowAnd_;
};

}  // namespace

void StretchPixels(const TPixelView& target, const TStretchRequest& request) {
  if (target.IsEmpty() || request.Source.IsEmpty() || request.Dest.IsEmpty() || request.SourceArea.IsEmpty()) return;
  TStretcher(target, request).Run();
}

}  // namespace tapestro
