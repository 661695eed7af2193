#pragma once
// Zero-filled pixel memory. Large blocks come straight from the system already zeroed,
// so the rows a short file never reaches cost no time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace tapestro {

class TPixelBuffer {
 public:
  TPixelBuffer() = default;
  // EOSError with the system's text when the memory is refused.
  explicit TPixelBuffer(size_t size);

  uint8_t* Data() { return data_.get(); }
  const uint8_t* Data() const { return data_.get(); }
  size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  TPixelBuffer Clone() const;

 private:
  struct Free {
    void operator()(uint8_t* memory) const noexcept { std::free(memory); }
  };
  std::unique_ptr<uint8_t, Free> data_;
  size_t size_ = 0;
};

}  // namespace tapestro
