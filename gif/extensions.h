#pragma once
// The blocks that start with 0x21: TGIFExtension and its kinds (graphic control, plain
// text, comment, and the application extensions: unknown ones kept raw, the looping
// one read), the descriptors of their classes, the two registries that pick a class
// from the bytes, and the list of extensions that precede one image.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

struct TGraphicControlBlock {
  static constexpr size_t kSize = 6;
  static constexpr uint8_t kTransparentFlag = 0x01;
  static constexpr uint8_t kUserInputFlag = 0x02;

  uint8_t BlockSize = 4;
  uint8_t PackedFields = 0;  // bit 0 transparent index given, bit 1 user input, bits 2-4 disposal
  uint16_t DelayTime = 0;    // hundredths of a second
  uint8_t TransparentColorIndex = 0;
  uint8_t Terminator = 0;
};

// Label 0xF9: transparency, delay and disposal of the image that follows.
class TGIFGraphicControlExtension final : public TGIFExtension {
 public:
  static const TGIFExtensionClass Class;

  // The first one made for a sub-image becomes that sub-image's graphic control.
  explicit TGIFGraphicControlExtension(TGIFSubImage& parent);
  ~TGIFGraphicControlExtension() override;

  const TGIFExtensionClass& ClassType() const override { return Class; }
  const TGraphicControlBlock& Block() const { return block_; }
  bool Transparent() const { return block_.PackedFields & TGraphicControlBlock::kTransparentFlag; }
  bool UserInput() const { return block_.PackedFields & TGraphicControlBlock::kUserInputFlag; }
  int Disposal() const { return (block_.PackedFields >> 2) & 7; }
  uint16_t Delay() const { return block_.DelayTime; }
  uint8_t TransparentColorIndex() const { return block_.TransparentColorIndex; }

 protected:
  // A block cut short only warns: the sub-image then stays opaque.
  void ReadBody(TStream& stream) override;

 private:
  TGraphicControlBlock block_;
};

struct TPlainTextBlock {
  static constexpr size_t kSize = 13;

  uint8_t BlockSize = 12;
  uint16_t Left = 0;
  uint16_t Top = 0;
  uint16_t GridWidth = 0;
  uint16_t GridHeight = 0;
  uint8_t CellWidth = 0;
  uint8_t CellHeight = 0;
  uint8_t ForegroundColorIndex = 0;
  uint8_t BackgroundColorIndex = 0;
};

// Label 0x01: a plain-text block and its text.
class TGIFTextExtension final : public TGIFExtension {
 public:
  static const TGIFExtensionClass Class;

  using TGIFExtension::TGIFExtension;

  const TGIFExtensionClass& ClassType() const override { return Class; }
  const TPlainTextBlock& Block() const { return block_; }
  // One line per data sub-block (TextLine).
  const TGIFSubBlocks& Text() const { return text_; }

 protected:
  void ReadBody(TStream& stream) override;

 private:
  TPlainTextBlock block_;
  TGIFSubBlocks text_;
};

// Label 0xFE: free text, one line per data sub-block.
class TGIFCommentExtension final : public TGIFExtension {
 public:
  static const TGIFExtensionClass Class;

  using TGIFExtension::TGIFExtension;

  const TGIFExtensionClass& ClassType() const override { return Class; }
  // One line per data sub-block (TextLine).
  const TGIFSubBlocks& Text() const { return text_; }

 protected:
  void ReadBody(TStream& stream) override;

 private:
  TGIFSubBlocks text_;
};

// 8 bytes of application name and 3 bytes of authentication code.
using TAppIdentifier = std::array<uint8_t, 11>;

// The refinement shared by every application kind: the block size byte and the
// identifier behind it pick the registered kind, or the unknown kind; anything else
// keeps self with the stream where it was.
const TGIFExtensionClass* RefineApplicationClass(const TGIFExtensionClass& self, TStream& stream);

// Label 0xFF: an application's identifier followed by data sub-blocks that only the
// kinds below know how to read.
class TGIFApplicationExtension : public TGIFExtension {
 public:
  // Resolving to this class means the block did not say which kind it is; an instance
  // made from it reads its data as an unknown application's raw sub-blocks.
  static const TGIFExtensionClass Class;
  static constexpr uint8_t kShortBlockSize = 10;  // identifier without its last byte
  static constexpr uint8_t kBlockSize = 11;

  using TGIFExtension::TGIFExtension;

  const TAppIdentifier& Identifier() const { return identifier_; }

 protected:
  // Block size and identifier, then the kind's data.
  void ReadBody(TStream& stream) final;
  virtual void ReadAppData(TStream& stream) = 0;

  TAppIdentifier identifier_{};
};

// An application extension we do not interpret; its data sub-blocks are kept as they
// were read.
class TGIFUnknownAppExtension final : public TGIFApplicationExtension {
 public:
  static const TGIFExtensionClass Class;

  using TGIFApplicationExtension::TGIFApplicationExtension;

  const TGIFExtensionClass& ClassType() const override { return Class; }
  const TGIFSubBlocks& Blocks() const { return blocks_; }

 protected:
  void ReadAppData(TStream& stream) override;

 private:
  TGIFSubBlocks blocks_;
};

// The looping extension ("NETSCAPE2.0" or "ANIMEXTS1.0"): how often an animation plays
// and how much it should buffer.
class TGIFAppExtNSLoop final : public TGIFApplicationExtension {
 public:
  static const TGIFExtensionClass Class;
  static constexpr uint8_t kLoopCountId = 1;   // then a 16-bit loop count
  static constexpr uint8_t kBufferSizeId = 2;  // then a 32-bit buffer size

  explicit TGIFAppExtNSLoop(TGIFSubImage& parent);

  const TGIFExtensionClass& ClassType() const override { return Class; }
  // 0 means play without end.
  uint16_t LoopCount() const { return loopCount_; }
  uint32_t BufferSize() const { return bufferSize_; }

 protected:
  void ReadAppData(TStream& stream) override;

 private:
  void ReadSubBlock(TStream& stream, uint8_t size);

  uint16_t loopCount_ = 0;
  uint32_t bufferSize_ = 0;
};

// The program-wide registries of extension classes: by label, and application
// extensions by their 11-byte identifier. Both are made on first use; later entries
// win over earlier ones with the same key.
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

// TGIFExtensionList: the extensions that precede one image, in stream order.
class TGIFExtensionList final : public TGIFList {
 public:
  using TGIFList::TGIFList;

  TGIFExtension& operator[](int index) const { return static_cast<TGIFExtension&>(ItemAt(index)); }
  // Extensions up to the byte that is not an introducer (image separator, trailer or
  // anything else); the stream is left standing at that byte.
  void ReadFromStream(TStream& stream, TGIFSubImage& parent);
};

}  // namespace tapestro
