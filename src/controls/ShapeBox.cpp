#include "controls/ShapeBox.h"

#include "picture/Gdi.h"

namespace controls {
namespace {

constexpr char kClassName[] = "TovrinShapeBox";

void DrawFigure(HDC dc, const ShapePlan& plan, const RECT& r) {
  switch (plan.figure) {
    case Figure::Rectangle:
      Rectangle(dc, r.left, r.top, r.right, r.bottom);
      break;
    case Figure::Ellipse:
      Ellipse(dc, r.left, r.top, r.right, r.bottom);
      break;
    case Figure::RoundRect:
      RoundRect(dc, r.left, r.top, r.right, r.bottom, plan.cornerWidth, plan.cornerHeight);
      break;
    case Figure::HorizontalLine:  // along the top edge; LineTo leaves out the end point
      MoveToEx(dc, r.left, r.top, nullptr);
      LineTo(dc, r.right, r.top);
      break;
    case Figure::VerticalLine:
      MoveToEx(dc, r.left, r.top, nullptr);
      LineTo(dc, r.left, r.bottom);
      break;
    case Figure::None:
      break;
  }
}

}  // namespace

ShapeBox* ShapeBox::Create(const ShapeBoxSettings& settings, const ControlPlacement& placement,
                           const ControlIdentity& identity) {
  if (!RegisterControlClass(kClassName, Procedure)) return nullptr;
  ShapeBox* box = new ShapeBox(settings, identity);
  if (CreateControlWindow(kClassName, placement, box) == nullptr) {
    box->identity_.host = nullptr;
    delete box;
    return nullptr;
  }
  box->creating_ = false;
  return box;
}

ShapeBox::~ShapeBox() {
  if (identity_.host != nullptr) identity_.host->OnControlEnded(identity_.number);
}

void ShapeBox::PaintContent(HDC dc) {
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip)) return;
  RECT client;
  GetClientRect(window_, &client);
  const ShapePlan plan = PlanShape(settings_, client, GetSysColor(COLOR_BTNFACE));

  HGDIOBJ oldPen = GetCurrentObject(dc, OBJ_PEN);
  HGDIOBJ oldBrush = GetCurrentObject(dc, OBJ_BRUSH);
  const int oldMode = GetBkMode(dc);
  gdi::Pen pens[2];
  for (int pass = 0; pass < plan.passCount; ++pass)
    pens[pass].reset(CreatePen(plan.penStyle, plan.penWidth, plan.passes[pass].penColour));
  gdi::Brush back(CreateSolidBrush(plan.backColour));
  gdi::Brush fill(plan.passes[0].hollow ? nullptr : CreateSolidBrush(plan.passes[0].brushColour));
  HGDIOBJ hollow = GetStockObject(NULL_BRUSH);

  SelectObject(dc, back.get());
  PatBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, PATCOPY);
  // Gaps of broken lines show the background just painted.
  SetBkMode(dc, TRANSPARENT);
  for (int pass = 0; pass < plan.passCount; ++pass) {
    SelectObject(dc, pens[pass].get());
    SelectObject(dc, pass == 0 && fill ? fill.get() : hollow);
    DrawFigure(dc, plan, plan.passes[pass].rect);
  }
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

LRESULT CALLBACK ShapeBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ShapeBox* self;
  if (message == WM_NCCREATE) {
    self = static_cast<ShapeBox*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<ShapeBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      gdi::PaintDc paint(window);
      self->PaintContent(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      self->PaintContent(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      if (!self->creating_) delete self;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace controls
