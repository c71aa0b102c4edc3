#pragma once
// JPEG bytes in memory to pixels, with no window system involved, so it can be
// tested and fuzzed on its own.

#include <cstddef>
#include <memory>

namespace picture {

// Larger pictures are refused before anything is allocated for them.
constexpr unsigned kMaxPictureSide = 4096;

struct Pixels {
  unsigned width = 0;
  unsigned height = 0;
  // Rows top-down, 4 bytes a pixel in the order blue, green, red, unused: the layout
  // of a 32-bit device-independent bitmap.
  std::unique_ptr<unsigned char[]> bgrx;
};

// Decodes a complete JPEG file. Empty, damaged, unsupported or oversized input gives
// false and leaves `out` empty; it never ends the process.
bool DecodeJpeg(const unsigned char* bytes, size_t size, Pixels& out);

}  // namespace picture
