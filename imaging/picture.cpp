#include "imaging/picture.h"

#include <algorithm>

#include "base/errors.h"
#include "base/text.h"
#include "imaging/bitmap.h"

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

TFileFormatsList::TFileFormatsList() {
  Add("wmf", "Metafiles", 0, TMetafile::Class);
  Add("emf", "Enhanced Metafiles", 0, TMetafile::Class);
  Add("ico", "Icons", 0, TIcon::Class);
  Add("bmp", "Bitmaps", 0, TBitmap::Class);
}

void TFileFormatsList::Add(const std::string& extension, const std::string& description, int descriptionResource,
                           const TGraphicClass& graphicClass) {
  std::lock_guard<std::mutex> guard(lock_);
  entries_.push_back({&graphicClass, LowerCase(extension), description, descriptionResource});
}

void TFileFormatsList::Remove(const TGraphicClass& graphicClass) {
  std::lock_guard<std::mutex> guard(lock_);
  std::erase_if(entries_, [&](const TFileFormat& entry) { return entry.GraphicClass->InheritsFrom(graphicClass); });
}

const TGraphicClass* TFileFormatsList::FindExt(const std::string& extension) const {
  const std::string wanted = LowerCase(extension);
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = std::find_if(entries_.rbegin(), entries_.rend(),
                                  [&](const TFileFormat& entry) { return entry.Extension == wanted; });
  return found == entries_.rend() ? nullptr : found->GraphicClass;
}

std::vector<TFileFormat> TFileFormatsList::Entries() const {
  std::lock_guard<std::mutex> guard(lock_);
  return entries_;
}

TFileFormatsList& FileFormats() {
  static TFileFormatsList list;
  return list;
}

void RegisterFileFormat(const std::string& extension, const std::string& description,
                        const TGraphicClass& graphicClass) {
  FileFormats().Add(extension, description, 0, graphicClass);
}

void UnregisterGraphicClass(const TGraphicClass& graphicClass) { FileFormats().Remove(graphicClass); }

std::string PictureFileExtension(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return std::string();
  const size_t delimiter = fileName.find_last_of("/\\:");
  if (delimiter != std::string::npos && delimiter > dot) return std::string();
  return fileName.substr(dot + 1);
}

const TGraphicClass TMetafile::Class{"TMetafile", &TGraphic::Class,
                                     []() -> std::unique_ptr<TGraphic> { return std::make_unique<TMetafile>(); }};
const TGraphicClass TIcon::Class{"TIcon", &TGraphic::Class,
                                 []() -> std::unique_ptr<TGraphic> { return std::make_unique<TIcon>(); }};

void TMetafile::LoadFromStream(TStream&) { throw EInvalidGraphic(msg::kInvalidMetafile); }

void TIcon::LoadFromStream(TStream&) { throw EInvalidGraphic(msg::kInvalidIcon); }

}  // namespace tapestro
