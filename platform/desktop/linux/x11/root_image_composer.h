#pragma once
// Lays a picture out on a screen-sized image as the root window shows it.
#include <QImage>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

// A width x height image in QImage::Format_RGB32 with the picture tiled from the top
// left corner, centred, stretched to the whole size, or with its top left corner at
// the request's origin. Uncovered parts and transparent pixels are black. A null image
// when the memory cannot be had.
QImage ComposeRootImage(const QImage& picture, int width, int height, const TWallpaperRequest& request);

}  // namespace tapestro::desktop
