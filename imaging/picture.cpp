#include "imaging/picture.h"

#include "base/errors.h"
#include "base/text.h"
#include "imaging/file_formats.h"
#include "imaging/graphic.h"

namespace tapestro {

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::string extension = PictureFileExtension(fileName);
  const TGraphicClass* graphicClass = FileFormats().FindExt(extension);
  if (graphicClass == nullptr || graphicClass->Create == nullptr)
    throw EInvalidGraphic(Format(msg::kUnknownExtension, extension));
  std::unique_ptr<TGraphic> fresh = graphicClass->Create();
  ForwardProgress(*fresh);
  fresh->LoadFromFile(fileName);
  SetGraphic(std::move(fresh));
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  if (graphic) {
    ForwardProgress(*graphic);
    graphic->OnChange = [this](TGraphic&) { Changed(); };
  }
  graphic_ = std::move(graphic);
  Changed();
}

void TPicture::ForwardProgress(TGraphic& graphic) {
  graphic.OnProgress = [this](TGraphic& sender, TProgressStage stage, uint8_t percent, bool redraw, const TRect& rect,
                              const std::string& message) {
    if (OnProgress) OnProgress(sender, stage, percent, redraw, rect, message);
  };
}

void TPicture::Changed() {
  if (OnChange) OnChange(*this);
}

}  // namespace tapestro
