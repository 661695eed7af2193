#pragma once
// Byte streams: the one way every reader and writer in the program touches bytes.
// Read may return fewer bytes than asked at the end; ReadBuffer and WriteBuffer
// never do and raise the stream errors instead. TByteReader reads the fields of bytes
// already in memory under the same rule.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/errors.h"

namespace tapestro {

enum class SeekOrigin { Begin, Current, End };

// Bytes of a file kept for later without reading them now: read when asked, or copied
// into another file inside the system. It holds a descriptor of its own, so it
// outlives the stream it came from.
class TFileRegion {
 public:
  TFileRegion(int fd, std::string path, int64_t offset, int64_t size);
  ~TFileRegion();
  TFileRegion(const TFileRegion&) = delete;
  TFileRegion& operator=(const TFileRegion&) = delete;

  int64_t Size() const { return size_; }
  const std::string& Path() const { return path_; }
  // All Size() bytes into buffer. EReadError with the path and the reason when the file
  // cannot be read or no longer holds them.
  void ReadInto(uint8_t* buffer) const;
  // count bytes from position at of the region, under the same rule.
  void ReadRange(int64_t at, uint8_t* buffer, size_t count) const;

 private:
  friend class TFileStream;
  int fd_;
  std::string path_;
  int64_t offset_;
  int64_t size_;
};

class TStream {
 public:
  virtual ~TStream() = default;
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  virtual size_t Read(void* buffer, size_t count) = 0;
  virtual size_t Write(const void* buffer, size_t count) = 0;
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(int64_t position) { Seek(position, SeekOrigin::Begin); }
  virtual int64_t Size();
  int64_t Remaining() { return Size() - Position(); }

  // Exactly count bytes, or EReadError "Stream read error".
  void ReadBuffer(void* buffer, size_t count);
  // Exactly count bytes, or EWriteError "Stream write error".
  void WriteBuffer(const void* buffer, size_t count);
  // Copies count bytes from source (all that is left when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);
  // The next count bytes, when the stream reads a file, kept as a region of it for
  // later; none for other streams. The position does not move.
  virtual std::shared_ptr<const TFileRegion> RegionAt(int64_t count);
  // Writes the region's bytes at the position: through memory here, inside the system
  // from file to file.
  virtual void WriteRegion(const TFileRegion& region);
  // Reads one byte; false at the end of the stream.
  bool ReadByte(uint8_t& value) { return Read(&value, 1) == 1; }
};

enum class FileMode {
  OpenRead,  // read only; other writers are refused while the stream is open
  Create,    // create or truncate, write
};

// A file with a read buffer, so that byte-sized reads of the decoders stay cheap. Only
// regular files are opened. A read or write the system refuses raises EReadError or
// EWriteError with the path and the system's reason; it never passes for the end of the
// file.
class TFileStream final : public TStream {
 public:
  // EFOpenError "Cannot open file ..." or EFCreateError "Cannot create file ...", with
  // the path and the reason.
  TFileStream(const std::string& path, FileMode mode);
  // Takes over an open descriptor for writing; path names it in error texts.
  TFileStream(int fd, std::string path);
  ~TFileStream() override;

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override;
  std::shared_ptr<const TFileRegion> RegionAt(int64_t count) override;
  void WriteRegion(const TFileRegion& region) override;
  // Pushes written bytes to the disk (fsync); EWriteError when that fails.
  void Sync();
  // Gives up the descriptor without closing it.
  void Release() { fd_ = -1; }
  const std::string& FileName() const { return path_; }

 private:
  void DropReadBuffer();
  [[noreturn]] void RaiseWriteError(int error) const;

  std::string path_;
  int fd_ = -1;
  int64_t position_ = 0;  // logical position of the stream
  std::vector<uint8_t> buffer_;
  int64_t bufferStart_ = 0;  // file offset of buffer_[0]
  size_t bufferFill_ = 0;
};

// Bytes in memory, growable. Also the buffer the JPEG and GIF code read from.
class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }

  void SetSize(size_t size) { bytes_.resize(size); }
  void Clear() { bytes_.clear(); position_ = 0; }
  const uint8_t* Memory() const { return bytes_.data(); }
  uint8_t* Memory() { return bytes_.data(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t> TakeBytes() { position_ = 0; return std::move(bytes_); }
  void LoadFromStream(TStream& source);
  void LoadFromFile(const std::string& path);
  void SaveToStream(TStream& target) const;

 private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
};

// Read-only view of bytes owned elsewhere; reading never copies the whole input.
class TSpanStream final : public TStream {
 public:
  explicit TSpanStream(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void*, size_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

// Little-endian fields read from bytes in memory. Reading past the end raises
// EReadError "Stream read error", never yields a silent zero.
class TByteReader {
 public:
  explicit TByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Remaining() const { return bytes_.size() - position_; }

  uint8_t U8() { return *Take(1); }
  uint16_t U16() {
    const uint8_t* p = Take(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
  }
  uint32_t U32() {
    const uint8_t* p = Take(4);
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  void Skip(size_t count) { Take(count); }

 private:
  const uint8_t* Take(size_t count) {
    if (count > Remaining()) throw EReadError(msg::kStreamReadError);
    const uint8_t* p = bytes_.data() + position_;
    position_ += count;
    return p;
  }

  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

}  // namespace tapestro
