#include "base/stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/errors.h"
#include "base/file_system.h"
#include "base/text.h"

namespace tapestro {

namespace {
constexpr size_t kReadBufferSize = 64 * 1024;
// Regions copied through memory go in pieces of this size.
constexpr size_t kRegionChunk = size_t{1} << 20;

int64_t ClampSeek(int64_t base, int64_t offset) {
  const int64_t target = base + offset;
  return target < 0 ? 0 : target;
}

// Read and Seek over bytes in memory, shared by the memory and span streams.
size_t ReadBytes(std::span<const uint8_t> bytes, size_t& position, void* buffer, size_t count) {
  if (position >= bytes.size()) return 0;
  const size_t n = std::min(count, bytes.size() - position);
  std::memcpy(buffer, bytes.data() + position, n);
  position += n;
  return n;
}

int64_t SeekBase(SeekOrigin origin, int64_t position, int64_t size) {
  switch (origin) {
    case SeekOrigin::Begin: return 0;
    case SeekOrigin::Current: return position;
    case SeekOrigin::End: return size;
  }
  return 0;
}

int64_t SeekBytes(size_t& position, size_t size, int64_t offset, SeekOrigin origin) {
  position = static_cast<size_t>(
      ClampSeek(SeekBase(origin, static_cast<int64_t>(position), static_cast<int64_t>(size)), offset));
  return static_cast<int64_t>(position);
}

}  // namespace

// ---- TFileRegion ----

TFileRegion::TFileRegion(int fd, std::string path, int64_t offset, int64_t size)
    : fd_(fd), path_(std::move(path)), offset_(offset), size_(size) {}

TFileRegion::~TFileRegion() { fs::CloseFile(fd_); }

void TFileRegion::ReadRange(int64_t at, uint8_t* buffer, size_t count) const {
  size_t done = 0;
  while (done < count) {
    const int64_t got = fs::ReadAt(fd_, buffer + done, count - done, offset_ + at + static_cast<int64_t>(done));
    if (got < 0) throw EReadError(Format(msg::kFReadError, path_, fs::ErrorText(errno)));
    if (got == 0) throw EReadError(Format(msg::kFReadError, path_, msg::kFileShrank));
    done += static_cast<size_t>(got);
  }
}

void TFileRegion::ReadInto(uint8_t* buffer) const { ReadRange(0, buffer, static_cast<size_t>(size_)); }

// ---- TStream ----

int64_t TStream::Size() {
  const int64_t here = Position();
  const int64_t end = Seek(0, SeekOrigin::End);
  Seek(here, SeekOrigin::Begin);
  return end;
}

void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(msg::kStreamReadError);
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(msg::kStreamWriteError);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) count = source.Size() - source.Position();
  std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(count, 1 << 20)));
  int64_t left = count;
  while (left > 0) {
    const size_t n = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(chunk.size())));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= static_cast<int64_t>(n);
  }
  return count;
}

std::shared_ptr<const TFileRegion> TStream::RegionAt(int64_t) { return nullptr; }

void TStream::WriteRegion(const TFileRegion& region) {
  std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(region.Size(), kRegionChunk)));
  for (int64_t at = 0; at < region.Size(); at += static_cast<int64_t>(chunk.size())) {
    const auto n = static_cast<size_t>(std::min<int64_t>(region.Size() - at, static_cast<int64_t>(chunk.size())));
    region.ReadRange(at, chunk.data(), n);
    WriteBuffer(chunk.data(), n);
  }
}

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& path, FileMode mode) : path_(path) {
  if (mode == FileMode::OpenRead) {
    fd_ = fs::OpenForReading(path);
    if (fd_ < 0) throw EFOpenError(Format(msg::kFOpenError, path, fs::ErrorText(errno)));
  } else {
    fd_ = fs::CreateForWriting(path);
    if (fd_ < 0) throw EFCreateError(Format(msg::kFCreateError, path, fs::ErrorText(errno)));
  }
}

TFileStream::TFileStream(int fd, std::string path) : path_(std::move(path)), fd_(fd) {}

TFileStream::~TFileStream() {
  if (fd_ >= 0) fs::CloseFile(fd_);
}

void TFileStream::DropReadBuffer() {
  bufferFill_ = 0;
  bufferStart_ = 0;
}

size_t TFileStream::Read(void* buffer, size_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    const int64_t inBuffer = position_ - bufferStart_;
    if (bufferFill_ > 0 && inBuffer >= 0 && inBuffer < static_cast<int64_t>(bufferFill_)) {
      const size_t n = std::min(count - done, bufferFill_ - static_cast<size_t>(inBuffer));
      std::memcpy(out + done, buffer_.data() + inBuffer, n);
      done += n;
      position_ += static_cast<int64_t>(n);
      continue;
    }
    const size_t want = count - done;
    if (want >= kReadBufferSize) {
      // Large reads go straight into the caller's memory.
      const int64_t got = fs::ReadAt(fd_, out + done, want, position_);
      if (got < 0) throw EReadError(Format(msg::kFReadError, path_, fs::ErrorText(errno)));
      if (got == 0) break;
      done += static_cast<size_t>(got);
      position_ += got;
      continue;
    }
    buffer_.resize(kReadBufferSize);
    const int64_t got = fs::ReadAt(fd_, buffer_.data(), kReadBufferSize, position_);
    if (got < 0) throw EReadError(Format(msg::kFReadError, path_, fs::ErrorText(errno)));
    if (got == 0) {
      DropReadBuffer();
      break;
    }
    bufferStart_ = position_;
    bufferFill_ = static_cast<size_t>(got);
  }
  return done;
}

size_t TFileStream::Write(const void* buffer, size_t count) {
  DropReadBuffer();
  const auto* in = static_cast<const uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    const int64_t put = fs::WriteAt(fd_, in + done, count - done, position_);
    // A write that takes nothing has found the disk full.
    if (put <= 0) RaiseWriteError(put < 0 ? errno : ENOSPC);
    done += static_cast<size_t>(put);
    position_ += put;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const int64_t size = origin == SeekOrigin::End ? Size() : 0;
  position_ = ClampSeek(SeekBase(origin, position_, size), offset);
  return position_;
}

int64_t TFileStream::Size() { return std::max<int64_t>(fs::FileSize(fd_), 0); }

std::shared_ptr<const TFileRegion> TFileStream::RegionAt(int64_t count) {
  const int fd = fs::DuplicateFile(fd_);
  if (fd < 0) return nullptr;
  return std::make_shared<const TFileRegion>(fd, path_, position_, count);
}

void TFileStream::WriteRegion(const TFileRegion& region) {
  DropReadBuffer();
  const int64_t copied = fs::CopyBetween(region.fd_, region.offset_, fd_, position_, region.Size());
  if (copied < 0) RaiseWriteError(errno);
  if (copied < region.Size()) throw EReadError(Format(msg::kFReadError, region.Path(), msg::kFileShrank));
  position_ += copied;
}

void TFileStream::Sync() {
  if (!fs::FlushToDisk(fd_)) RaiseWriteError(errno);
}

void TFileStream::RaiseWriteError(int error) const {
  throw EWriteError(Format(msg::kFWriteError, path_, fs::ErrorText(error)));
}

// ---- TMemoryStream ----

size_t TMemoryStream::Read(void* buffer, size_t count) { return ReadBytes(bytes_, position_, buffer, count); }

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  return SeekBytes(position_, bytes_.size(), offset, origin);
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const int64_t size = source.Size();
  bytes_.assign(static_cast<size_t>(size), 0);
  position_ = 0;
  source.ReadBuffer(bytes_.data(), bytes_.size());
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  TFileStream file(path, FileMode::OpenRead);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& target) const { target.WriteBuffer(bytes_.data(), bytes_.size()); }

// ---- TSpanStream ----

size_t TSpanStream::Read(void* buffer, size_t count) { return ReadBytes(bytes_, position_, buffer, count); }

int64_t TSpanStream::Seek(int64_t offset, SeekOrigin origin) {
  return SeekBytes(position_, bytes_.size(), offset, origin);
}

}  // namespace tapestro
