#pragma once
// TGIFExtension: the blocks that start with 0x21, and the descriptors of their classes.
#include <cstdint>
#include <memory>

#include "gif/reader.h"

namespace tapestro {

class TGIFExtension;
class TGIFSubImage;

// What the reader knows about a kind of extension before it has one: its label, how
// to look further into the stream for a more exact kind, and how to make one.
struct TGIFExtensionClass {
  const char* Name;
  uint8_t Label;
  // Answers this class, a more exact one, or none, reading on from the stream position.
  const TGIFExtensionClass* (*RefineExtensionClass)(const TGIFExtensionClass& self, TStream& stream);
  std::unique_ptr<TGIFExtension> (*Create)(TGIFSubImage& parent);
};

// The refinement of every class that has nothing more to learn: itself, reading nothing.
const TGIFExtensionClass* KeepExtensionClass(const TGIFExtensionClass& self, TStream& stream);

// With the stream just after an 0x21: the class of the extension that follows, or none
// when its label is missing or not registered. The stream position is kept.
const TGIFExtensionClass* ResolveExtensionClass(TStream& stream);

class TGIFExtension : public TGIFItem {
 public:
  explicit TGIFExtension(TGIFSubImage& parent);

  virtual const TGIFExtensionClass& ClassType() const = 0;
  uint8_t ExtensionLabel() const { return ClassType().Label; }
  TGIFSubImage& Parent() const { return *parent_; }

  // Introducer and label, then the kind's own block.
  void ReadFromStream(TStream& stream) final;

 protected:
  virtual void ReadBody(TStream& stream) = 0;

 private:
  TGIFSubImage* parent_;
};

}  // namespace tapestro
