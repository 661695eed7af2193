#pragma once
// Painting frames through off-screen buffers, for animations whose frames restore
// their area to the background (disposal 2) or to the picture before them (disposal 3).
// The composite buffer holds the picture the next frame is drawn over; the target is
// brought up to date from it after each frame. Runs on the user-interface thread only.
#include <cstdint>
#include <memory>

#include "imaging/canvas.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tapestro {

class TCanvas;
class TGIFSubImage;

class TFrameCompositor {
 public:
  // Buffers of rect's size holding what target shows in rect now. keepBackground: also
  // keep that picture, which areas restored to the background show again when
  // transparent pixels are left unpainted (options bit 1).
  TFrameCompositor(TCanvas& target, const TRect& rect, TColor background, bool keepBackground, uint16_t options);
  TFrameCompositor(const TFrameCompositor&) = delete;
  TFrameCompositor& operator=(const TFrameCompositor&) = delete;

  // Draws sub-image index with its disposal method; previousDisposal is that of the
  // frame before it (1 at the start of a run).
  void Paint(TGIFSubImage& frame, int index, int disposal, int previousDisposal);

 private:
  // The frame's place in buffer coordinates: all of it when tiling.
  TRect FrameArea(const TGIFSubImage& frame) const;
  void Draw(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect) const;
  void RestoreToBackground(const TRect& area);
  // Copies area (buffer coordinates) of a buffer to the target.
  void CopyToTarget(TCanvas& buffer, const TRect& area);
  TSurfaceCanvas& Scratch();

  TCanvas& target_;
  const TRect rect_;
  const TColor background_;
  const uint16_t options_;
  TSurfaceCanvas composite_;
  std::unique_ptr<TSurfaceCanvas> backgroundCopy_;
  std::unique_ptr<TSurfaceCanvas> scratch_;  // made on first use
  // Where the target may differ from the composite buffer: the area of a frame
  // restored in the buffer or drawn past it. Only changed areas are copied, never the
  // whole buffer, so a small frame on a large screen costs what the frame covers.
  TRect pending_;
};

}  // namespace tapestro
