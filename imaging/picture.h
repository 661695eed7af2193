#pragma once
// Loading a picture by its file's extension. TPicture holds at most one graphic, loaded
// from a file by the class the format registry gives for the file's extension; a failed
// load keeps the graphic it had.
//
// The registry (TFileFormatsList) is made on first use with its built-in entries (wmf
// and emf as TMetafile, ico as TIcon, bmp as TBitmap); other picture modules add theirs
// at start-up by calling RegisterFileFormat, and remove them at shutdown with
// UnregisterGraphicClass.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "imaging/graphic.h"

namespace tapestro {

class TPicture {
 public:
  TPicture() = default;
  ~TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Called after a successful load and whenever the held graphic changes.
  std::function<void(TPicture& sender)> OnChange;
  // The held graphic's progress notifications, passed on.
  TProgressEvent OnProgress;

  TGraphic* Graphic() const { return graphic_.get(); }
  int32_t Width() const { return graphic_ ? graphic_->Width() : 0; }
  int32_t Height() const { return graphic_ ? graphic_->Height() : 0; }

  // Creates a graphic of the class registered for the file's extension, lets it load
  // the file and, on success, replaces the held graphic with it. Raises EInvalidGraphic
  // "Unknown picture file extension (.%s)" (the extension as the name has it) when no
  // class is registered, and passes on the graphic's own error when loading fails.
  void LoadFromFile(const std::string& fileName);
  // Holds graphic (none: nothing) in place of the graphic held before, as a load does:
  // a picture kept in the program rather than in a file.
  void SetGraphic(std::unique_ptr<TGraphic> graphic);

 private:
  void Changed();
  void ForwardProgress(TGraphic& graphic);

  std::unique_ptr<TGraphic> graphic_;
};

struct TFileFormat {
  const TGraphicClass* GraphicClass = nullptr;
  std::string Extension;  // lower case, without the dot
  std::string Description;
  int DescriptionResource = 0;
};

class TFileFormatsList {
 public:
  TFileFormatsList();

  // Appends an entry; the extension is stored in lower case.
  void Add(const std::string& extension, const std::string& description, int descriptionResource,
           const TGraphicClass& graphicClass);
  // Removes every entry of that class or of a class descending from it.
  void Remove(const TGraphicClass& graphicClass);
  // The class of the last-registered entry for the extension (without dot, any case),
  // or none.
  const TGraphicClass* FindExt(const std::string& extension) const;
  std::vector<TFileFormat> Entries() const;

 private:
  mutable std::mutex lock_;
  std::vector<TFileFormat> entries_;
};

TFileFormatsList& FileFormats();

void RegisterFileFormat(const std::string& extension, const std::string& description,
                        const TGraphicClass& graphicClass);
void UnregisterGraphicClass(const TGraphicClass& graphicClass);

// The text after the last dot of a file name, provided that dot comes after the last
// "/", "\" and ":"; otherwise empty. Letter case is kept.
std::string PictureFileExtension(const std::string& fileName);

// The registry's metafile and icon classes. No file list ever offers such files, so
// they only report their files as not valid.
class TUnreadableGraphic : public TGraphic {
 public:
  void Draw(TCanvas&, const TRect&) override {}
  bool Empty() const override { return true; }
  int32_t Height() const override { return 0; }
  int32_t Width() const override { return 0; }
  void SetHeight(int32_t) override {}
  void SetWidth(int32_t) override {}
  void SaveToStream(TStream&) override {}
};

class TMetafile final : public TUnreadableGraphic {
 public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
  // EInvalidGraphic "Metafile is not valid".
  void LoadFromStream(TStream& stream) override;
};

class TIcon final : public TUnreadableGraphic {
 public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
  // EInvalidGraphic "Icon image is not valid".
  void LoadFromStream(TStream& stream) override;
};

}  // namespace tapestro
