#include "gif/application_extension.h"

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/extension_registry.h"
#include "gif/reader.h"
#include "gif/unknown_app_extension.h"

namespace tapestro {

const TGIFExtensionClass TGIFApplicationExtension::Class{
    "TGIFApplicationExtension", 0xFF, RefineApplicationClass,
    [](TGIFSubImage& parent) -> std::unique_ptr<TGIFExtension> {
      return std::make_unique<TGIFUnknownAppExtension>(parent);
    }};

const TGIFExtensionClass* RefineApplicationClass(const TGIFExtensionClass& self, TStream& stream) {
  const int64_t start = stream.Position();
  uint8_t size = 0;
  if (!stream.ReadByte(size)) return nullptr;
  TAppIdentifier identifier{};
  if (size == TGIFApplicationExtension::kShortBlockSize) {
    const bool whole = stream.Read(identifier.data(), size) == size;
    return whole ? &TGIFUnknownAppExtension::Class : nullptr;
  }
  if (size == TGIFApplicationExtension::kBlockSize && stream.Read(identifier.data(), size) == size) {
    const TGIFExtensionClass* registered = TAppExtensionList::Instance().Find(identifier);
    return registered != nullptr ? registered : &TGIFUnknownAppExtension::Class;
  }
  stream.SetPosition(start);
  return &self;
}

void TGIFApplicationExtension::ReadBody(TStream& stream) {
  const uint8_t size = ReadByteOrFail(stream);
  if (size < kShortBlockSize) throw GIFException(msg::kGifUnsupportedAppBlockSize);
  identifier_ = {};
  if (size == kShortBlockSize) {
    ReadOrFail(stream, identifier_.data(), kShortBlockSize);
  } else {
    ReadOrFail(stream, identifier_.data(), kBlockSize);
    Skip(stream, size - kBlockSize);
  }
  ReadAppData(stream);
}

}  // namespace tapestro
