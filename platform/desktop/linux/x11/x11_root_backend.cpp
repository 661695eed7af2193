#include "platform/desktop/linux/x11/x11_root_backend.h"

#include "base/errors.h"
#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/x11/root_image.h"
#include "platform/desktop/linux/x11/x11_root_window.h"

namespace tapestro::desktop {

namespace {

QImage::Format QImageFormatOf(TRootPixelFormat format) {
  switch (format) {
    case TRootPixelFormat::Rgb16: return QImage::Format_RGB16;
    case TRootPixelFormat::Rgb15: return QImage::Format_RGB555;
    case TRootPixelFormat::Rgb32:
    case TRootPixelFormat::Unsupported: break;
  }
  return QImage::Format_RGB32;
}

}  // namespace

std::unique_ptr<TMonitorWatch> TX11DesktopBackend::WatchMonitors(std::function<void()> changed) {
  return std::make_unique<TRootMonitorWatch>(std::move(changed));
}

void TX11DesktopBackend::Apply(const TWallpaperRequest& request) {
  QImage screenImage;
  TX11RootWindow root;
  const TRootScreen screen = root.Screen();
  if (screen.Format == TRootPixelFormat::Unsupported) ThrowReloadError(Format(msg::kUnsupportedVisual, screen.Depth));
  {
    const TWallpaperPicture picture = LoadWallpaperImage(request.File, QSize(screen.Width, screen.Height));
    if (picture.IsNull()) ThrowReloadError(Format(msg::kCannotReadPicture, request.File));
    screenImage = ComposeRootImage(picture, screen.Width, screen.Height, root.Monitors(), request);
  }
  screenImage.convertTo(QImageFormatOf(screen.Format));
  if (screenImage.isNull()) ThrowReloadError(msg::kOutOfMemory);
  root.SetBackground({screenImage.constBits(), screenImage.width(), screenImage.height(),
                      static_cast<int>(screenImage.bytesPerLine()), screenImage.depth()});
}

}  // namespace tapestro::desktop
