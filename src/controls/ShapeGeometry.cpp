#include "controls/ShapeGeometry.h"

namespace controls {
namespace {

int PenStyleOf(int lineStyle) {
  switch (lineStyle) {
    case 0: return PS_NULL;
    case 1: return PS_INSIDEFRAME;  // solid, kept inside the bounding rectangle
    case 2: return PS_DASH;
    case 3: return PS_DOT;
    case 4: return PS_DASHDOT;
    default: return PS_DASHDOTDOT;
  }
}

Figure FigureOf(int shape) {
  switch (shape) {
    case 0: case 1: return Figure::Rectangle;
    case 2: case 3: return Figure::Ellipse;
    case 4: case 5: return Figure::RoundRect;
    case 6: return Figure::HorizontalLine;
    case 7: return Figure::VerticalLine;
    default: return Figure::None;
  }
}

}  // namespace

ShapePlan PlanShape(const ShapeBoxSettings& settings, const RECT& client, COLORREF buttonFace) {
  ShapePlan plan = {};
  plan.backColour = settings.BackColour == kNoColour ? buttonFace : settings.BackColour;
  plan.penStyle = PenStyleOf(settings.LineStyle);
  const bool wide = settings.Relief == 0 && settings.LineStyle == 1;
  plan.penWidth = wide && settings.LineWidth != 1 ? settings.LineWidth : 0;
  plan.figure = FigureOf(settings.Shape);

  RECT r = client;
  COLORREF first = settings.LineColour, second = 0;
  plan.passCount = 1;
  if (settings.Relief != 0) {
    plan.passCount = 2;
    first = settings.Relief == 1 ? 0xFFFFFF : 0x000000;
    second = settings.Relief == 1 ? 0x000000 : 0xFFFFFF;
    // The first pass lies one pixel right of and below the second.
    if (settings.Shape == 6) {
      ++r.top;
    } else if (settings.Shape == 7) {
      ++r.left;
    } else {
      ++r.left;
      ++r.top;
    }
  }

  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (settings.Shape == 1 || settings.Shape == 3 || settings.Shape == 5) {
    if (h < w) {
      r.left += (w - h) / 2;
      r.right = r.left + h;
    } else if (w < h) {
      r.top += (h - w) / 2;
      r.bottom = r.top + w;
    }
  }
  // The rounded square takes its corners from the size before squaring.
  plan.cornerWidth = w / 5;
  plan.cornerHeight = h / 5;

  plan.passes[0] = ShapePass{r, first, settings.FillColour == kNoColour, settings.FillColour};
  RECT next = r;
  if (plan.figure == Figure::HorizontalLine) {
    --next.top;
  } else if (plan.figure == Figure::VerticalLine) {
    --next.left;
  } else {
    OffsetRect(&next, -1, -1);
  }
  plan.passes[1] = ShapePass{next, second, true, 0};
  return plan;
}

}  // namespace controls
