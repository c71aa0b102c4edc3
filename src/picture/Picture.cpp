#include "picture/Picture.h"

#include "picture/JpegDecode.h"

namespace gdi {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info;
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace gdi

namespace picture {

ByteView PictureBytes(const PictureRef& picture) {
  if (picture.resourceId == 0) return ByteView{picture.bytes, picture.size};
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(picture.resourceId), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (found == nullptr) return ByteView{};
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return ByteView{};
  return ByteView{static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(module, found)};
}

gdi::Bitmap DecodePicture(const unsigned char* bytes, size_t size) {
  Pixels pixels;
  if (!DecodeJpeg(bytes, size, pixels)) return nullptr;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(pixels.width);
  info.bmiHeader.biHeight = -static_cast<LONG>(pixels.height);  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  gdi::ScreenDc screen;
  if (screen.get() == nullptr) return nullptr;
  return gdi::Bitmap(CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT, pixels.bgrx.get(), &info,
                                    DIB_RGB_COLORS));
}

gdi::Bitmap DecodePicture(const PictureRef& picture) {
  ByteView bytes = PictureBytes(picture);
  return DecodePicture(bytes.data, bytes.size);
}

}  // namespace picture
