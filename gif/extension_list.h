#pragma once
// TGIFExtensionList: the extensions that precede one image, in stream order.
#include "gif/extensions.h"
#include "gif/reader.h"

namespace tapestro {

class TGIFExtensionList final : public TGIFList {
 public:
  using TGIFList::TGIFList;

  TGIFExtension& operator[](int index) const { return static_cast<TGIFExtension&>(ItemAt(index)); }
  // Extensions up to the byte that is not an introducer (image separator, trailer or
  // anything else); the stream is left standing at that byte.
  void ReadFromStream(TStream& stream, TGIFSubImage& parent);
};

}  // namespace tapestro
