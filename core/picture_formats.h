#pragma once
// The picture formats the program and the tool load by extension, registered once at
// start in the order the registry keeps them: JPEG, then GIF. Both decoders read the
// display depth when they register, so it is set first.
namespace tapestro {

void RegisterPictureFormats(int displayBitsPerPixel);

}  // namespace tapestro
