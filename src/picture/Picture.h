#pragma once

#include "picture/Gdi.h"

#include <cstddef>

namespace picture {

// The bytes of a picture: either held by the caller or a picture resource of the module.
struct PictureRef {
  int resourceId = 0;  // RCDATA resource of the program; 0 for none
  const unsigned char* bytes = nullptr;
  size_t size = 0;
};

struct ByteView {
  const unsigned char* data = nullptr;
  size_t size = 0;
};

// Resource memory lives as long as the module, so nothing is copied or freed.
ByteView PictureBytes(const PictureRef& picture);

// A bitmap compatible with the screen at the picture's own size, or null.
gdi::Bitmap DecodePicture(const unsigned char* bytes, size_t size);
gdi::Bitmap DecodePicture(const PictureRef& picture);

}  // namespace picture
