// GIF decoding speed against giflib, on the benchmark corpus that gif_vs_giflib.sh
// makes: the first image of a 4000 x 3000 photo and all 50 frames of an 800 x 600
// animation. Both decoders read the same bytes from memory and produce colour indices;
// the *Bitmap* benchmarks also build every frame's bitmap, against giflib's decode alone.
//
// "gif_bench decode FILE" instead times one read of a file from disk, the figure the
// reference program gif-first-frame prints, and prints "W H images decode_ms";
// "gif_bench frames FILE" times the read plus every frame's bitmap the same way.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/stream.h"
#include "gif/gif_image.h"
#include "tests/support/giflib_memory.h"

namespace {

using tapestro::test::GiflibMemoryInput;
using tapestro::test::ReadGiflibMemory;
using Bytes = std::vector<uint8_t>;

std::string CorpusFile(const char* name) {
  const char* dir = std::getenv("TAPESTRO_BENCH_CORPUS");
  return std::string(dir != nullptr ? dir : TAPESTRO_BENCH_CORPUS) + "/" + name;
}

const Bytes& Load(const char* name) {
  static std::vector<std::pair<std::string, Bytes>> cache;
  for (const auto& [n, bytes] : cache)
    if (n == name) return bytes;
  std::ifstream in(CorpusFile(name), std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  cache.emplace_back(name, std::move(bytes));
  return cache.back().second;
}

// giflib record by record up to the first image, rows in interlace pass order: what
// gif-first-frame's "first" mode does before it converts to RGB.
void GiflibFirstImage(const Bytes& bytes, Bytes& pixels) {
  GiflibMemoryInput input{&bytes};
  int error = 0;
  GifFileType* file = DGifOpen(&input, ReadGiflibMemory, &error);
  GifRecordType record = UNDEFINED_RECORD_TYPE;
  while (file != nullptr && DGifGetRecordType(file, &record) == GIF_OK && record != TERMINATE_RECORD_TYPE) {
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      for (DGifGetExtension(file, &code, &block); block != nullptr;) DGifGetExtensionNext(file, &block);
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(file) != GIF_OK) break;
    const int width = file->Image.Width, height = file->Image.Height;
    pixels.resize(static_cast<size_t>(width) * height);
    static const int first[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < (file->Image.Interlace ? 4 : 1); ++pass)
      for (int y = file->Image.Interlace ? first[pass] : 0; y < height; y += file->Image.Interlace ? step[pass] : 1)
        DGifGetLine(file, pixels.data() + static_cast<size_t>(y) * width, width);
    break;
  }
  if (file != nullptr) DGifCloseFile(file, &error);
}

int GiflibAllImages(const Bytes& bytes) {
  GiflibMemoryInput input{&bytes};
  int error = 0;
  GifFileType* file = DGifOpen(&input, ReadGiflibMemory, &error);
  if (file == nullptr) return 0;
  const int count = DGifSlurp(file) == GIF_OK ? file->ImageCount : 0;
  DGifCloseFile(file, &error);
  return count;
}

int TapestroRead(const Bytes& bytes) {
  tapestro::TGIFImage image;
  tapestro::TSpanStream stream(bytes);
  image.ReadFromStream(stream);
  return image.SubImageCount();
}

// The read and every frame's bitmap.
int TapestroBitmaps(const Bytes& bytes) {
  tapestro::TGIFImage image;
  tapestro::TSpanStream stream(bytes);
  image.ReadFromStream(stream);
  for (int i = 0; i < image.SubImageCount(); ++i) benchmark::DoNotOptimize(image.SubImage(i).FrameBitmap());
  return image.SubImageCount();
}

void SkipWithoutCorpus(benchmark::State& state, const Bytes& bytes) {
  if (bytes.empty()) state.SkipWithError("corpus missing: run bench/gif_vs_giflib.sh");
}

void BM_FirstImage_Tapestro(benchmark::State& state) {
  const Bytes& bytes = Load("photo-4000x3000.gif");
  SkipWithoutCorpus(state, bytes);
  for (auto _ : state) benchmark::DoNotOptimize(TapestroRead(bytes));
}

void BM_FirstImage_Giflib(benchmark::State& state) {
  const Bytes& bytes = Load("photo-4000x3000.gif");
  SkipWithoutCorpus(state, bytes);
  Bytes pixels;
  for (auto _ : state) {
    GiflibFirstImage(bytes, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
}

void BM_AllFrames_Tapestro(benchmark::State& state) {
  const Bytes& bytes = Load("anim-800x600.gif");
  SkipWithoutCorpus(state, bytes);
  for (auto _ : state) benchmark::DoNotOptimize(TapestroRead(bytes));
}

void BM_AllFrames_Giflib(benchmark::State& state) {
  const Bytes& bytes = Load("anim-800x600.gif");
  SkipWithoutCorpus(state, bytes);
  for (auto _ : state) benchmark::DoNotOptimize(GiflibAllImages(bytes));
}

void BM_FirstImageBitmap_Tapestro(benchmark::State& state) {
  const Bytes& bytes = Load("photo-4000x3000.gif");
  SkipWithoutCorpus(state, bytes);
  for (auto _ : state) benchmark::DoNotOptimize(TapestroBitmaps(bytes));
}

void BM_AllFrameBitmaps_Tapestro(benchmark::State& state) {
  const Bytes& bytes = Load("anim-800x600.gif");
  SkipWithoutCorpus(state, bytes);
  for (auto _ : state) benchmark::DoNotOptimize(TapestroBitmaps(bytes));
}

BENCHMARK(BM_FirstImage_Tapestro)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstImage_Giflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllFrames_Tapestro)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllFrames_Giflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstImageBitmap_Tapestro)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllFrameBitmaps_Tapestro)->Unit(benchmark::kMillisecond);

// withBitmaps: every frame's bitmap is built too.
int DecodeFile(const char* path, bool withBitmaps) {
  const auto start = std::chrono::steady_clock::now();
  tapestro::TGIFImage image;
  image.ReadFromFile(path);
  for (int i = 0; withBitmaps && i < image.SubImageCount(); ++i) image.SubImage(i).FrameBitmap();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("%d %d %d %.2f\n", image.Width(), image.Height(), image.SubImageCount(), took.count());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "decode") == 0) return DecodeFile(argv[2], false);
  if (argc == 3 && std::strcmp(argv[1], "frames") == 0) return DecodeFile(argv[2], true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
