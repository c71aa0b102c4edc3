#include "controls/Control.h"

namespace controls {

bool RegisterControlClass(const char* className, WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, className, &existing)) return true;
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = className;
  return RegisterClassA(&wc) != 0;
}

HWND CreateControlWindow(const char* className, const ControlPlacement& placement, void* self) {
  return CreateWindowExA(0, className, "", placement.style | WS_CHILD | WS_CLIPSIBLINGS, placement.left,
                         placement.top, placement.width, placement.height, placement.parent, nullptr,
                         GetModuleHandleA(nullptr), self);
}

}  // namespace controls
