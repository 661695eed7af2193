#pragma once
// The program-wide registries of extension classes: by label, and application
// extensions by their 11-byte identifier. Both are made on first use; later entries
// win over earlier ones with the same key.
#include <cstdint>
#include <vector>

#include "gif/application_extension.h"
#include "gif/extensions.h"

namespace tapestro {

class TExtensionList {
 public:
  static const TExtensionList& Instance();
  const TGIFExtensionClass* Find(uint8_t label) const;

 private:
  TExtensionList();
  std::vector<const TGIFExtensionClass*> classes_;
};

class TAppExtensionList {
 public:
  static const TAppExtensionList& Instance();
  const TGIFExtensionClass* Find(const TAppIdentifier& identifier) const;

 private:
  struct Entry {
    TAppIdentifier Identifier;
    const TGIFExtensionClass* Class;
  };
  TAppExtensionList();
  std::vector<Entry> entries_;
};

}  // namespace tapestro
