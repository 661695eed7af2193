#include "imaging/stand_in_graphics.h"

#include "base/errors.h"
#include "imaging/graphic.h"

namespace tapestro {

const TGraphicClass TMetafile::Class{"TMetafile", &TGraphic::Class,
                                     []() -> std::unique_ptr<TGraphic> { return std::make_unique<TMetafile>(); }};
const TGraphicClass TIcon::Class{"TIcon", &TGraphic::Class,
                                 []() -> std::unique_ptr<TGraphic> { return std::make_unique<TIcon>(); }};

void TMetafile::LoadFromStream(TStream&) { throw EInvalidGraphic(msg::kInvalidMetafile); }

void TIcon::LoadFromStream(TStream&) { throw EInvalidGraphic(msg::kInvalidIcon); }

}  // namespace tapestro
