#include "picture/JpegDecode.h"

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace picture {
namespace {

// libjpeg's default error_exit calls exit(): jump back to the decoder instead.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnFatalError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings (a damaged but readable scan) are neither fatal nor printed. A file that ends
// early is another matter: libjpeg would pad it with grey, and we show only whole pictures.
void OnEmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnFatalError(cinfo);
}

}  // namespace

bool DecodeJpeg(const unsigned char* bytes, size_t size, Pixels& out) {
  out = Pixels();
  if (bytes == nullptr || size == 0 || size > ULONG_MAX) return false;

  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnFatalError;
  errors.base.emit_message = OnEmitMessage;
  // Written between setjmp and longjmp, so it must not live in a register.
  unsigned char* volatile buffer = nullptr;

  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&cinfo);
    delete[] buffer;
    return false;
  }

  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes, static_cast<unsigned long>(size));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || cinfo.image_width == 0 ||
      cinfo.image_height == 0 || cinfo.image_width > kMaxPictureSide ||
      cinfo.image_height > kMaxPictureSide) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);

  const size_t stride = static_cast<size_t>(cinfo.output_width) * 4;
  buffer = new (std::nothrow) unsigned char[stride * cinfo.output_height];
  if (buffer == nullptr) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rows[4];
    JDIMENSION count = 0;
    for (; count < 4 && cinfo.output_scanline + count < cinfo.output_height; ++count)
      rows[count] = buffer + stride * (cinfo.output_scanline + count);
    if (jpeg_read_scanlines(&cinfo, rows, count) == 0) {
      jpeg_destroy_decompress(&cinfo);
      delete[] buffer;
      return false;
    }
  }
  jpeg_finish_decompress(&cinfo);

  out.width = cinfo.output_width;
  out.height = cinfo.output_height;
  out.bgrx.reset(buffer);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace picture
