#pragma once
// EJPEG: every failure of the JPEG library, carrying the library's message code.
#include "base/errors.h"

namespace tapestro {

class EJPEG : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

// EJPEG "JPEG error #%d" with the library's message code.
[[noreturn]] void RaiseJpegError(int messageCode);

}  // namespace tapestro
