// The bitmap's costs on a 6000 x 4000 24-bit picture: saving it to a file, loading it
// back, and stretch-drawing it into the 153 x 145 preview, which must read only the
// source pixels it shows and so cost a small fraction of the load.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"

namespace {

using namespace tapestro;

constexpr int32_t kWidth = 6000, kHeight = 4000;
constexpr int32_t kPreviewWidth = 153, kPreviewHeight = 145;

std::string BenchFile() { return "/tmp/tapestro-bitmap-bench-" + std::to_string(::getpid()) + ".bmp"; }

void Fill(TBitmap& bitmap) {
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(kWidth);
  bitmap.SetHeight(kHeight);
  for (int32_t y = 0; y < kHeight; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int32_t i = 0; i < kWidth * 3; ++i) row[i] = static_cast<uint8_t>(i * 7 + y);
  }
}

void BM_SaveToFile(benchmark::State& state) {
  TBitmap bitmap;
  Fill(bitmap);
  for (auto _ : state) {
    // A new file each time, as the wallpaper conversions write theirs; truncating a
    // 72 MB file first would be timed too.
    state.PauseTiming();
    std::remove(BenchFile().c_str());
    state.ResumeTiming();
    bitmap.SaveToFile(BenchFile());
  }
  state.SetBytesProcessed(state.iterations() * (54 + int64_t{kWidth} * 3 * kHeight));
  std::remove(BenchFile().c_str());
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadFromFile(benchmark::State& state) {
  {
    TBitmap bitmap;
    Fill(bitmap);
    bitmap.SaveToFile(BenchFile());
  }
  for (auto _ : state) {
    TBitmap bitmap;
    bitmap.LoadFromFile(BenchFile());
    benchmark::DoNotOptimize(bitmap.Pixels().Row(0));
  }
  state.SetBytesProcessed(state.iterations() * (54 + int64_t{kWidth} * 3 * kHeight));
  std::remove(BenchFile().c_str());
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StretchDrawIntoPreview(benchmark::State& state) {
  TBitmap bitmap;
  Fill(bitmap);
  TSurfaceCanvas preview(kPreviewWidth, kPreviewHeight, 24);
  for (auto _ : state) {
    bitmap.Draw(preview, Rect(0, 0, kPreviewWidth, kPreviewHeight));
    benchmark::DoNotOptimize(preview.Pixels().Row(0));
  }
}
BENCHMARK(BM_StretchDrawIntoPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
