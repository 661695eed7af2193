#pragma once
// TGIFList: an owning, ordered list of GIF items. Its kinds hand out their own item type.
#include <memory>
#include <string>
#include <vector>

#include "gif/item.h"

namespace tapestro {

class TGIFList {
 public:
  explicit TGIFList(TGIFImage& image) : image_(&image) {}
  virtual ~TGIFList() = default;
  TGIFList(const TGIFList&) = delete;
  TGIFList& operator=(const TGIFList&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TGIFImage& Image() const { return *image_; }
  // Frees the items from the front until the list is empty.
  void Clear();
  // Hands the warning to the owner image with this list as its sender.
  virtual void ReportWarning(int severity, const std::string& text);

 protected:
  // EListError "List index out of bounds (%d)" outside 0..Count()-1.
  TGIFItem& ItemAt(int index) const;
  void Append(std::unique_ptr<TGIFItem> item) { items_.push_back(std::move(item)); }

 private:
  TGIFImage* image_;
  std::vector<std::unique_ptr<TGIFItem>> items_;
};

}  // namespace tapestro
