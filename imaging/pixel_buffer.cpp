#include "imaging/pixel_buffer.h"

#include <cerrno>
#include <cstring>

#include "base/errors.h"

namespace tapestro {

TPixelBuffer::TPixelBuffer(size_t size) {
  if (size == 0) return;
  data_.reset(static_cast<uint8_t*>(std::calloc(size, 1)));
  if (!data_) throw EOSError(std::strerror(ENOMEM));
  size_ = size;
}

TPixelBuffer TPixelBuffer::Clone() const {
  TPixelBuffer copy(size_);
  if (size_ != 0) std::memcpy(copy.Data(), Data(), size_);
  return copy;
}

}  // namespace tapestro
