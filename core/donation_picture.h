#pragma once
// The about box's donation picture, a small animated GIF kept in the program itself.
#include <cstdint>
#include <span>

namespace tapestro {

std::span<const uint8_t> DonationPicture();

}  // namespace tapestro
