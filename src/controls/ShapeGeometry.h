#pragma once
// What a shape box draws, worked out without a window: pens, rectangles and passes.

#include <windows.h>

namespace controls {

constexpr COLORREF kNoColour = 0xFF000000;

struct ShapeBoxSettings {
  COLORREF BackColour = kNoColour;  // no colour: the button face
  int Shape = 0;      // 0 rectangle, 1 square, 2 ellipse, 3 circle, 4 rounded rectangle,
                      // 5 rounded square, 6 horizontal line, 7 vertical line
  int Relief = 0;     // 0 flat, 1 raised (white under black), other: sunken
  int LineStyle = 1;  // 0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot, other: dash-dot-dot
  int LineWidth = 1;
  COLORREF LineColour = 0x000000;
  COLORREF FillColour = kNoColour;  // no colour: hollow
};

enum class Figure { None, Rectangle, Ellipse, RoundRect, HorizontalLine, VerticalLine };

struct ShapePass {
  RECT rect;  // the figure's rectangle; a line runs along its top or left edge
  COLORREF penColour;
  bool hollow;  // else a solid brush of brushColour
  COLORREF brushColour;
};

struct ShapePlan {
  COLORREF backColour;
  int penStyle;  // PS_NULL, PS_INSIDEFRAME, PS_DASH, ...
  int penWidth;  // 0 is the system's one-pixel pen
  Figure figure;
  int cornerWidth, cornerHeight;  // of RoundRect
  int passCount;
  ShapePass passes[2];
};

ShapePlan PlanShape(const ShapeBoxSettings& settings, const RECT& client, COLORREF buttonFace);

}  // namespace controls
