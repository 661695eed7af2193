#pragma once
// TGIFImageList: the sub-images of a GIF image, in stream order.
#include "gif/reader.h"
#include "gif/sub_image.h"

namespace tapestro {

class TGIFImageList final : public TGIFList {
 public:
  using TGIFList::TGIFList;

  TGIFSubImage& operator[](int index) const { return static_cast<TGIFSubImage&>(ItemAt(index)); }
  // One sub-image per block group that starts with an extension or an image, up to
  // the trailer (left for the caller to read), the end of the stream or a byte that
  // starts no block.
  void ReadFromStream(TStream& stream, TGIFImage& parent);
};

}  // namespace tapestro
