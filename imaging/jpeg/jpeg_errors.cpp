#include "imaging/jpeg/jpeg_errors.h"

#include "base/text.h"
#include "imaging/jpeg/jpeg_messages.h"

namespace tapestro {

void RaiseJpegError(int messageCode) { throw EJPEG(Format(msg::kJpegError, messageCode)); }

}  // namespace tapestro
