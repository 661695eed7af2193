#include "gif/list.h"

#include "base/errors.h"
#include "gif/gif_image.h"

namespace tapestro {

void TGIFList::Clear() {
  // Front to back, as items were read; erasing one at a time would be quadratic.
  std::vector<std::unique_ptr<TGIFItem>> items;
  items.swap(items_);
  for (auto& item : items) item.reset();
}

void TGIFList::ReportWarning(int severity, const std::string& text) { image_->ReportWarning(this, severity, text); }

TGIFItem& TGIFList::ItemAt(int index) const {
  if (index < 0 || index >= Count()) ThrowListIndexError(index);
  return *items_[static_cast<size_t>(index)];
}

}  // namespace tapestro
