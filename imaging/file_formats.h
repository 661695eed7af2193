#pragma once
// The process-wide registry of picture file formats: which TGraphic class loads files of
// which extension. It is made on first use with its built-in entries (wmf and emf as
// TMetafile, ico as TIcon, bmp as TBitmap); other picture modules add theirs at start-up
// by calling RegisterFileFormat, and remove them at shutdown with
// UnregisterGraphicClass.
#include <mutex>
#include <string>
#include <vector>

#include "imaging/graphic.h"

namespace tapestro {

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

}  // namespace tapestro
