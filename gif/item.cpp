#include "gif/item.h"

#include "gif/gif_image.h"

namespace tapestro {

void TGIFItem::ReportWarning(int severity, const std::string& text) { image_->ReportWarning(this, severity, text); }

}  // namespace tapestro
