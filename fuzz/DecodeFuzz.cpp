// libFuzzer target for the portable JPEG decoder: any bytes must give a picture or
// nothing, never a crash, a leak or an exit.
#include <cstddef>
#include <cstdint>

#include "picture/JpegDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  picture::Pixels pixels;
  if (picture::DecodeJpeg(data, size, pixels)) {
    // Touch the last pixel so a short buffer shows up under ASan.
    volatile unsigned char last = pixels.bgrx[static_cast<size_t>(pixels.width) * pixels.height * 4 - 1];
    (void)last;
  }
  return 0;
}
