#pragma once
// TGIFCommentExtension (label 0xFE): free text, one line per data sub-block.
#include <string>
#include <vector>

#include "gif/extensions.h"

namespace tapestro {

class TGIFCommentExtension final : public TGIFExtension {
 public:
  static const TGIFExtensionClass Class;

  using TGIFExtension::TGIFExtension;

  const TGIFExtensionClass& ClassType() const override { return Class; }
  const std::vector<std::string>& Text() const { return text_; }

 protected:
  void ReadBody(TStream& stream) override;

 private:
  std::vector<std::string> text_;
};

}  // namespace tapestro
