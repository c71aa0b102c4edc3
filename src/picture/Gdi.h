#pragma once
// Move-only owners for GDI objects and scoped helpers that put back what they select.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace gdi {

struct ObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDeleter>;
using Pen = std::unique_ptr<std::remove_pointer_t<HPEN>, ObjectDeleter>;
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, ObjectDeleter>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelect() { SelectObject(dc_, old_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { BeginPaint(window, &ps_); }
  ~PaintDc() { EndPaint(window_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC dc() const { return ps_.hdc; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT ps_;
};

// Width and height of a bitmap, or 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace gdi
