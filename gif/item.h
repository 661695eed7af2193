#pragma once
// TGIFItem: the base of every part of a GIF image that is read from the stream.
#include <string>

namespace tapestro {

class TGIFImage;
class TStream;

class TGIFItem {
 public:
  explicit TGIFItem(TGIFImage& image) : image_(&image) {}
  virtual ~TGIFItem() = default;
  TGIFItem(const TGIFItem&) = delete;
  TGIFItem& operator=(const TGIFItem&) = delete;

  TGIFImage& Image() const { return *image_; }
  // Hands the warning to the owner image with this item as its sender.
  virtual void ReportWarning(int severity, const std::string& text);
  virtual void ReadFromStream(TStream& stream) = 0;

 private:
  TGIFImage* image_;
};

}  // namespace tapestro
