#pragma once
// Which kinds of folder entries the image file list shows. On Linux an entry's kinds
// come from its name and type: a dot name is hidden, a folder is a directory, and
// anything that is neither a regular file nor a folder (device, socket, pipe, broken
// link) counts as a system entry, so the default [ftNormal] lists regular files only.
#include <cstdint>

namespace tapestro {

enum class TFileType : uint8_t { ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive, ftNormal };

// The attribute bits the members stand for; ftNormal stands for none.
inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrSystem = 0x04;
inline constexpr uint32_t kAttrVolumeID = 0x08;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;

class TFileTypes {
 public:
  constexpr TFileTypes() = default;
  constexpr TFileTypes(std::initializer_list<TFileType> members) {
    for (TFileType member : members) bits_ |= Bit(member);
  }
  constexpr bool Contains(TFileType member) const { return (bits_ & Bit(member)) != 0; }
  // The OR of the attribute bits of every member but ftNormal.
  constexpr uint32_t AttributeFilter() const { return bits_ & 0x3F; }
  constexpr bool operator==(const TFileTypes&) const = default;

 private:
  static constexpr uint32_t Bit(TFileType member) { return 1u << static_cast<unsigned>(member); }
  uint32_t bits_ = 0;
};

}  // namespace tapestro
