#pragma once
// TGraphic: the base of every picture class (bitmap, JPEG image, GIF image, and the
// registry's metafile and icon stand-ins).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tapestro {

class TStream;
class TCanvas;
class TGraphic;

enum class TProgressStage { psStarting, psRunning, psEnding };

using TNotifyEvent = std::function<void(TGraphic& sender)>;
using TProgressEvent = std::function<void(TGraphic& sender, TProgressStage stage, uint8_t percentDone,
                                          bool redrawNow, const TRect& rect, const std::string& message)>;

// The class of a picture: what the registry stores and creates, and what
// "that class or a descendant" is asked of.
struct TGraphicClass {
  const char* Name;
  const TGraphicClass* Parent;
  std::unique_ptr<TGraphic> (*Create)();

  bool InheritsFrom(const TGraphicClass& other) const {
    for (const TGraphicClass* c = this; c != nullptr; c = c->Parent)
      if (c == &other) return true;
    return false;
  }
};

class TGraphic {
 public:
  static const TGraphicClass Class;

  TGraphic() = default;
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual const TGraphicClass& ClassType() const = 0;
  std::string ClassName() const { return ClassType().Name; }

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

  // Sets Modified and tells the change listener.
  virtual void Changed();
  // Draws the picture scaled into rect.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  // Same class and byte-identical persisted form, or both empty.
  virtual bool Equals(TGraphic& other);
  virtual bool Empty() const = 0;
  virtual int32_t Height() const = 0;
  virtual int32_t Width() const = 0;
  virtual HPALETTE Palette() { return nullptr; }
  virtual void SetPalette(HPALETTE) {}
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  virtual void SetHeight(int32_t value) = 0;
  virtual void SetWidth(int32_t value) = 0;

  // Persisted form: a 32-bit byte count followed by the saved stream.
  virtual void ReadData(TStream& stream);
  virtual void WriteData(TStream& stream);

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  // Opens for reading (other writers refused), loads, closes on every path.
  virtual void LoadFromFile(const std::string& path);
  // Creates or truncates the file, saves, closes on every path.
  virtual void SaveToFile(const std::string& path);

  // Copies source into this graphic. Without a known conversion, asks source to
  // AssignTo this one, and raises EConvertError "Cannot assign a %s to a %s" when
  // neither side knows how.
  virtual void Assign(TGraphic* source);
  // Converts this graphic into dest; EConvertError unless overridden.
  virtual void AssignTo(TGraphic& dest);

  bool Modified = false;
  bool PaletteModified = false;

 protected:
  void Progress(TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& rect,
                const std::string& message);

 private:
  bool transparent_ = false;
};

}  // namespace tapestro
