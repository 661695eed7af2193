#pragma once
// The drawing operations of a canvas on pixel memory, for any pixel layout. Concrete
// canvases say which pixels they draw on.
#include "imaging/canvas.h"

namespace tapestro {

class TSoftwareCanvas : public TCanvas {
 public:
  void FillRect(const TRect& rect) override;
  void CopyRect(const TRect& rect, TCanvas& source, const TRect& sourceRect) override;
  void Stretch(const TStretchRequest& request, const HPALETTE& palette) override;

 protected:
  // The pixels about to change; on a target of 8 or fewer bits per pixel the colours
  // written are limited to palette.
  virtual TPixelView BeginChange(const HPALETTE& palette) = 0;
  virtual void EndChange();
};

}  // namespace tapestro
