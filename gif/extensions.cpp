#include "gif/extensions.h"

#include <algorithm>
#include <cstring>

#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_image.h"
#include "gif/sub_image.h"

namespace tapestro {

namespace {

template <typename Kind>
std::unique_ptr<TGIFExtension> Make(TGIFSubImage& parent) {
  return std::make_unique<Kind>(parent);
}

TAppIdentifier IdentifierOf(const char (&text)[12]) {
  TAppIdentifier identifier{};
  std::memcpy(identifier.data(), text, identifier.size());
  return identifier;
}

// Each extension read is charged kKeptItemBytes for its object and its list entry.
template <typename... Kind>
constexpr bool ItemsFitTheirCharge() {
  return ((sizeof(Kind) + sizeof(void*) <= kKeptItemBytes) && ...);
}
static_assert(ItemsFitTheirCharge<TGIFGraphicControlExtension, TGIFTextExtension, TGIFCommentExtension,
                                  TGIFUnknownAppExtension, TGIFAppExtNSLoop>());

}  // namespace

const TGIFExtensionClass TGIFGraphicControlExtension::Class{"TGIFGraphicControlExtension", 0xF9, KeepExtensionClass,
                                                            Make<TGIFGraphicControlExtension>};
const TGIFExtensionClass TGIFTextExtension::Class{"TGIFTextExtension", 0x01, KeepExtensionClass,
                                                  Make<TGIFTextExtension>};
const TGIFExtensionClass TGIFCommentExtension::Class{"TGIFCommentExtension", 0xFE, KeepExtensionClass,
                                                     Make<TGIFCommentExtension>};
const TGIFExtensionClass TGIFApplicationExtension::Class{"TGIFApplicationExtension", 0xFF, RefineApplicationClass,
                                                         Make<TGIFUnknownAppExtension>};
const TGIFExtensionClass TGIFUnknownAppExtension::Class{"TGIFUnknownAppExtension", 0xFF, RefineApplicationClass,
                                                        Make<TGIFUnknownAppExtension>};
const TGIFExtensionClass TGIFAppExtNSLoop::Class{"TGIFAppExtNSLoop", 0xFF, RefineApplicationClass,
                                                 Make<TGIFAppExtNSLoop>};

const TGIFExtensionClass* KeepExtensionClass(const TGIFExtensionClass& self, TStream&) { return &self; }

const TGIFExtensionClass* ResolveExtensionClass(TStream& stream) {
  const int64_t start = stream.Position();
  uint8_t label = 0;
  const TGIFExtensionClass* found = nullptr;
  if (stream.ReadByte(label)) found = TExtensionList::Instance().Find(label);
  // Each refinement reads on from where the previous one stopped; one that answers
  // another class has consumed bytes, so the search ends with the stream.
  while (found != nullptr) {
    const TGIFExtensionClass* refined = found->RefineExtensionClass(*found, stream);
    if (refined == found) break;
    found = refined;
  }
  stream.SetPosition(start);
  return found;
}

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

TGIFExtension::TGIFExtension(TGIFSubImage& parent) : TGIFItem(parent.Image()), parent_(&parent) {}

void TGIFExtension::ReadFromStream(TStream& stream) {
  std::array<uint8_t, 2> introducerAndLabel{};
  ReadOrFail(stream, introducerAndLabel.data(), introducerAndLabel.size());
  if (introducerAndLabel[0] != kExtensionIntroducer) throw GIFException(msg::kGifBadExtensionIntroducer);
  if (introducerAndLabel[1] != ExtensionLabel()) throw GIFException(msg::kGifExtensionLabelMismatch);
  ReadBody(stream);
}

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage& parent) : TGIFExtension(parent) {
  if (parent.GraphicControlExtension() == nullptr) parent.SetGraphicControlExtension(this);
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension() {
  // The sub-image only refers to us; never leave it pointing at a freed block.
  if (Parent().GraphicControlExtension() == this) Parent().SetGraphicControlExtension(nullptr);
}

void TGIFGraphicControlExtension::ReadBody(TStream& stream) {
  std::array<uint8_t, TGraphicControlBlock::kSize> bytes{};
  if (stream.Read(bytes.data(), bytes.size()) != bytes.size()) {
    ReportWarning(1, msg::kGifPrematureEnd);
    return;
  }
  block_ = {bytes[0], bytes[1], LittleEndian16(&bytes[2]), bytes[4], bytes[5]};
  if (Transparent()) Parent().SetTransparent();
}

void TGIFTextExtension::ReadBody(TStream& stream) {
  std::array<uint8_t, TPlainTextBlock::kSize> bytes{};
  ReadOrFail(stream, bytes.data(), bytes.size());
  block_ = {bytes[0],
            LittleEndian16(&bytes[1]),
            LittleEndian16(&bytes[3]),
            LittleEndian16(&bytes[5]),
            LittleEndian16(&bytes[7]),
            bytes[9],
            bytes[10],
            bytes[11],
            bytes[12]};
  text_.ReadFromStream(stream, Image());
}

void TGIFCommentExtension::ReadBody(TStream& stream) { text_.ReadFromStream(stream, Image()); }

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

void TGIFUnknownAppExtension::ReadAppData(TStream& stream) { blocks_.ReadFromStream(stream, Image()); }

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage& parent) : TGIFApplicationExtension(parent) {
  std::memcpy(identifier_.data(), "NETSCAPE2.0", identifier_.size());
}

void TGIFAppExtNSLoop::ReadAppData(TStream& stream) {
  uint8_t size = 0;
  while (stream.ReadByte(size) && size != 0) ReadSubBlock(stream, size);
}

void TGIFAppExtNSLoop::ReadSubBlock(TStream& stream, uint8_t size) {
  constexpr uint8_t kLoopCountBlock = 3;   // id + 16 bits
  constexpr uint8_t kBufferSizeBlock = 5;  // id + 32 bits
  const uint8_t id = ReadByteOrFail(stream) & 7;
  std::array<uint8_t, 4> field{};
  if (id == kLoopCountId) {
    if (size < kLoopCountBlock) throw GIFException(msg::kGifInvalidData);
    ReadOrFail(stream, field.data(), 2);
    loopCount_ = LittleEndian16(field.data());
    Skip(stream, size - kLoopCountBlock);
  } else if (id == kBufferSizeId) {
    if (size < kBufferSizeBlock) throw GIFException(msg::kGifInvalidData);
    ReadOrFail(stream, field.data(), 4);
    bufferSize_ = LittleEndian32(field.data());
    Skip(stream, size - kBufferSizeBlock);
  } else {
    Skip(stream, size - 1);
  }
}

const TExtensionList& TExtensionList::Instance() {
  static const TExtensionList list;
  return list;
}

TExtensionList::TExtensionList()
    : classes_{&TGIFTextExtension::Class, &TGIFGraphicControlExtension::Class, &TGIFCommentExtension::Class,
               &TGIFApplicationExtension::Class} {}

const TGIFExtensionClass* TExtensionList::Find(uint8_t label) const {
  const auto hit = std::find_if(classes_.rbegin(), classes_.rend(),
                                [label](const TGIFExtensionClass* c) { return c->Label == label; });
  return hit == classes_.rend() ? nullptr : *hit;
}

const TAppExtensionList& TAppExtensionList::Instance() {
  static const TAppExtensionList list;
  return list;
}

TAppExtensionList::TAppExtensionList()
    : entries_{{IdentifierOf("NETSCAPE2.0"), &TGIFAppExtNSLoop::Class},
               {IdentifierOf("ANIMEXTS1.0"), &TGIFAppExtNSLoop::Class}} {}

const TGIFExtensionClass* TAppExtensionList::Find(const TAppIdentifier& identifier) const {
  const auto hit = std::find_if(entries_.rbegin(), entries_.rend(),
                                [&identifier](const Entry& e) { return e.Identifier == identifier; });
  return hit == entries_.rend() ? nullptr : hit->Class;
}

void TGIFExtensionList::ReadFromStream(TStream& stream, TGIFSubImage& parent) {
  uint8_t introducer = 0;
  if (!stream.ReadByte(introducer)) return;
  while (introducer != kImageSeparator && introducer != kTrailer) {
    if (introducer != kExtensionIntroducer) {
      ReportWarning(1, msg::kGifBadExtensionIntroducer);
      break;
    }
    const TGIFExtensionClass* extensionClass = ResolveExtensionClass(stream);
    if (extensionClass == nullptr) throw GIFException(msg::kGifUnknownExtension);
    Image().ClaimKeptBytes(kKeptItemBytes);
    StepBack(stream);
    std::unique_ptr<TGIFExtension> extension = extensionClass->Create(parent);
    extension->ReadFromStream(stream);
    Append(std::move(extension));
    if (!stream.ReadByte(introducer)) return;
  }
  StepBack(stream);
}

}  // namespace tapestro
