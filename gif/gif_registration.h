#pragma once
// Makes the picture registry load ".gif" files as TGIFImage ("GIF Image"). main()
// calls RegisterGifFormat at start-up, after the JPEG registration and after the
// display depth is known (it fixes LowColorDisplay), and UnregisterGifFormat at
// shutdown.

namespace tapestro {

void RegisterGifFormat();
void UnregisterGifFormat();

}  // namespace tapestro
