#include "imaging/software_canvas.h"

#include "imaging/pixel_ops.h"

namespace tapestro {

void TSoftwareCanvas::FillRect(const TRect& rect) {
  FillPixels(BeginChange(nullptr), rect, BrushColor);
  EndChange();
}

void TSoftwareCanvas::CopyRect(const TRect& rect, TCanvas& source, const TRect& sourceRect) {
  TStretchRequest request;
  request.Dest = rect;
  request.Source = source.Pixels();
  request.SourceArea = sourceRect;
  Stretch(request, nullptr);
}

void TSoftwareCanvas::Stretch(const TStretchRequest& request, const HPALETTE& palette) {
  StretchPixels(BeginChange(palette), request);
  EndChange();
}

void TSoftwareCanvas::EndChange() {
  if (OnChange) OnChange(*this);
}

}  // namespace tapestro
