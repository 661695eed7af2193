#include "imaging/jpeg/jpeg_memory_source.h"

#include <jerror.h>

#include <algorithm>

#include "imaging/jpeg/jpeg_limits.h"

namespace tapestro {

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

}  // namespace tapestro
