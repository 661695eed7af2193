#pragma once
// The registry's metafile and icon classes. No file list ever offers such files, so
// they only report their files as not valid.
#include "imaging/graphic.h"

namespace tapestro {

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
