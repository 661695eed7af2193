#pragma once
// What one JPEG file may make us spend. Pictures past these limits fail with the
// library's own code for an image too big (JERR_IMAGE_TOO_BIG, "JPEG error #41") before
// the memory is taken. The picture itself is bounded like every bitmap (kMaxPixels).
#include <cstddef>
#include <cstdint>

namespace tapestro {

// The library's own working memory: the coefficients of a progressive file (2 bytes
// per sample, 72 MB for a 6000 x 4000 picture) and the whole-image buffer of two-pass
// colour quantisation. Past it the library asks for a backing store, which it does
// not have, and fails with JERR_NO_BACKING_STORE.
inline constexpr long kJpegLibraryMemory = 1L << 30;

// Each scan of a progressive file makes the library visit every block of its
// components again, so a small file of many tiny scans could keep it busy for hours.
// Real files have about ten.
inline constexpr int kMaxJpegScans = 500;

// A JPEG image holds its whole file in memory. Even a picture at the pixel limit stored
// at the highest quality stays below this; a larger file is something else misnamed.
inline constexpr int64_t kMaxJpegFileBytes = int64_t{1} << 30;

// The held file bytes are handed to the library in blocks of this size.
inline constexpr size_t kJpegSourceBlock = 4096;

// Palette pictures leave the other 20 entries of a 256-entry table to the system.
inline constexpr int kJpegQuantizedColors = 236;

// jpeg_read_scanlines is asked for at most this many rows at once (the library never
// prefers more than the largest vertical sampling factor, 4).
inline constexpr int kMaxJpegLinesPerRead = 4;

}  // namespace tapestro
