#pragma once
// TGraphic: the base of every picture class (bitmap, JPEG image, GIF image, and the
// registry's metafile and icon stand-ins); the images that graphics share by
// reference; and the fixed texts of the bitmap, the picture and its format registry.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tapestro {

namespace msg {
inline constexpr char kInvalidBitmap[] = "Bitmap image is not valid";
inline constexpr char kInvalidPixelFormat[] = "Invalid pixel format";
inline constexpr char kScanLineOutOfRange[] = "Scan line index out of range";
inline constexpr char kUnknownExtension[] = "Unknown picture file extension (.%s)";
inline constexpr char kInvalidMetafile[] = "Metafile is not valid";
inline constexpr char kInvalidIcon[] = "Icon image is not valid";
}  // namespace msg

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

// Images shared by reference between graphics: assigning a bitmap hands over its image
// instead of copying its pixels, and whoever changes a shared image first takes a
// private copy of it (copy on write). An image is destroyed with its last reference.
class TSharedImage {
 public:
  TSharedImage() = default;
  virtual ~TSharedImage() = default;
  TSharedImage(const TSharedImage&) = delete;
  TSharedImage& operator=(const TSharedImage&) = delete;

 private:
  template <typename T>
  friend class TImageRef;
  std::atomic<int> refCount_{0};
};

// Held while a graphic exchanges its image reference, so that the reference and the
// counts of both images change together.
std::mutex& ImageExchangeLock();

// A counted reference to a shared image.
template <typename T>
class TImageRef {
 public:
  TImageRef() = default;
  explicit TImageRef(std::unique_ptr<T> image) : image_(image.release()) { Acquire(); }
  TImageRef(const TImageRef& other) : image_(other.image_) { Acquire(); }
  TImageRef& operator=(const TImageRef& other) {
    TImageRef copy(other);
    std::swap(image_, copy.image_);
    return *this;
  }
  ~TImageRef() { Release(); }

  T* operator->() const { return image_; }
  T& operator*() const { return *image_; }
  bool Shared() const { return image_ != nullptr && image_->refCount_.load(std::memory_order_acquire) > 1; }

  // Refers to other's image from now on and lets go of the old one.
  void Exchange(const TImageRef& other) {
    std::lock_guard<std::mutex> lock(ImageExchangeLock());
    T* old = image_;
    image_ = other.image_;
    Acquire();
    if (old != nullptr && old->refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete old;
  }

 private:
  void Acquire() {
    if (image_ != nullptr) image_->refCount_.fetch_add(1, std::memory_order_acq_rel);
  }
  void Release() {
    if (image_ != nullptr && image_->refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete image_;
  }

  T* image_ = nullptr;
};

}  // namespace tapestro
