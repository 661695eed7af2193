#include "gif/painter/frame_compositor.h"

#include <algorithm>

#include "gif/gif_image.h"
#include "gif/sub_image.h"

namespace tapestro {

namespace {

// Buffers keep true colours whatever the screen shows; the target realises palettes.
constexpr int kBufferBitsPerPixel = 24;

TRect Union(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return Rect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
              std::max(a.Bottom, b.Bottom));
}

TRect Clipped(const TRect& a, int32_t width, int32_t height) {
  return Rect(std::max(a.Left, 0), std::max(a.Top, 0), std::min(a.Right, width), std::min(a.Bottom, height));
}

std::unique_ptr<TSurfaceCanvas> CopyOf(TCanvas& target, const TRect& rect) {
  auto buffer = std::make_unique<TSurfaceCanvas>(rect.Width(), rect.Height(), kBufferBitsPerPixel);
  buffer->CopyRect(Rect(0, 0, rect.Width(), rect.Height()), target, rect);
  return buffer;
}

}  // namespace

TFrameCompositor::TFrameCompositor(TCanvas& target, const TRect& rect, TColor background, bool keepBackground,
                                   uint16_t options)
    : target_(target),
      rect_(rect),
      background_(background),
      options_(options),
      composite_(rect.Width(), rect.Height(), kBufferBitsPerPixel) {
  composite_.BrushColor = background;
  composite_.CopyRect(Rect(0, 0, rect.Width(), rect.Height()), target, rect);
  if (keepBackground) backgroundCopy_ = CopyOf(target, rect);
}

void TFrameCompositor::Paint(TGIFSubImage& frame, int index, int disposal, int previousDisposal) {
  const TRect area = FrameArea(frame);
  const TRect whole = Rect(0, 0, rect_.Width(), rect_.Height());
  if ((options_ & TGIFImage::kPaintRestoreFirstImage) && index == 0) RestoreToBackground(area);
  if (disposal <= 2) {
    Draw(frame, composite_, whole);
    CopyToTarget(composite_, Union(area, pending_));
    pending_ = TRect{};
    if (disposal == 2) {
      RestoreToBackground(area);
      pending_ = area;
    }
  } else if (disposal == 3 && previousDisposal <= 1) {
    // The composite buffer keeps the picture from before the frame.
    CopyToTarget(composite_, pending_);
    Draw(frame, target_, rect_);
    pending_ = area;
  } else if (disposal == 3 && previousDisposal <= 3) {
    const TRect changed = Union(area, pending_);
    TSurfaceCanvas& scratch = Scratch();
    scratch.CopyRect(changed, composite_, changed);
    Draw(frame, scratch, whole);
    CopyToTarget(scratch, changed);
    pending_ = area;
  }
  // Disposal methods 4 to 7 are not defined: such frames are not drawn.
}

TRect TFrameCompositor::FrameArea(const TGIFSubImage& frame) const {
  const TRect whole = Rect(0, 0, rect_.Width(), rect_.Height());
  // Tiles cover the whole rectangle.
  if (options_ & TGIFImage::kPaintTile) return whole;
  return Clipped(frame.PlaceRect(whole), whole.Right, whole.Bottom);
}

void TFrameCompositor::Draw(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect) const {
  frame.PaintFrame(canvas, rect, (options_ & TGIFImage::kPaintTile) != 0,
                   (options_ & TGIFImage::kPaintTransparent) != 0);
}

void TFrameCompositor::RestoreToBackground(const TRect& area) {
  if (area.IsEmpty()) return;
  if (options_ & TGIFImage::kPaintTransparent) {
    // The picture from before the animation; without a copy of it the area stays.
    if (backgroundCopy_) composite_.CopyRect(area, *backgroundCopy_, area);
    return;
  }
  composite_.BrushColor = background_;
  composite_.FillRect(area);
}

void TFrameCompositor::CopyToTarget(TCanvas& buffer, const TRect& area) {
  if (area.IsEmpty()) return;
  target_.CopyRect(Rect(rect_.Left + area.Left, rect_.Top + area.Top, rect_.Left + area.Right, rect_.Top + area.Bottom),
                   buffer, area);
}

TSurfaceCanvas& TFrameCompositor::Scratch() {
  if (!scratch_) {
    scratch_ = std::make_unique<TSurfaceCanvas>(rect_.Width(), rect_.Height(), kBufferBitsPerPixel);
    scratch_->BrushColor = background_;
  }
  return *scratch_;
}

}  // namespace tapestro
