#include "gif/extension_registry.h"

#include <algorithm>
#include <cstring>

#include "gif/application_extension.h"
#include "gif/comment_extension.h"
#include "gif/graphic_control_extension.h"
#include "gif/loop_extension.h"
#include "gif/text_extension.h"

namespace tapestro {

namespace {
TAppIdentifier IdentifierOf(const char (&text)[12]) {
  TAppIdentifier identifier{};
  std::memcpy(identifier.data(), text, identifier.size());
  return identifier;
}
}  // namespace

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

}  // namespace tapestro
