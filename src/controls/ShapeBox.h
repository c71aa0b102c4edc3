#pragma once
// The shape box: a child that paints one figure over its background colour. It takes
// no input and raises no event.

#include "controls/Control.h"
#include "controls/ShapeGeometry.h"

namespace controls {

class ShapeBox final {
 public:
  // Creates the shape box, or returns null and creates nothing.
  static ShapeBox* Create(const ShapeBoxSettings& settings, const ControlPlacement& placement,
                          const ControlIdentity& identity);
  HWND handle() const { return window_; }
  void PaintContent(HDC dc);

 private:
  ShapeBox(const ShapeBoxSettings& settings, const ControlIdentity& identity)
      : settings_(settings), identity_(identity) {}
  ~ShapeBox();
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  ShapeBoxSettings settings_;
  ControlIdentity identity_;
  HWND window_ = nullptr;
  bool creating_ = true;  // a failed creation is cleaned up by Create
};

}  // namespace controls
