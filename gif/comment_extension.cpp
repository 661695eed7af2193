#include "gif/comment_extension.h"

#include "gif/reader.h"

namespace tapestro {

const TGIFExtensionClass TGIFCommentExtension::Class{
    "TGIFCommentExtension", 0xFE, KeepExtensionClass,
    [](TGIFSubImage& parent) -> std::unique_ptr<TGIFExtension> {
      return std::make_unique<TGIFCommentExtension>(parent);
    }};

void TGIFCommentExtension::ReadBody(TStream& stream) { text_ = ReadTextSubBlocks(stream); }

}  // namespace tapestro
