#pragma once
// What every control kind shares: where it sits and whom it reports to.

#include <windows.h>

struct WindowSlot;

namespace controls {

// A window that holds controls: it is told when one of them is gone.
class ControlHost {
 public:
  virtual void OnControlEnded(int controlNumber) = 0;

 protected:
  ~ControlHost() = default;
};

// The identity under which a control raises its events and reports its end.
struct ControlIdentity {
  WindowSlot* window = nullptr;
  ControlHost* host = nullptr;
  int number = 0;
};

struct ControlPlacement {
  HWND parent = nullptr;
  int left = 0, top = 0, width = 0, height = 0;
  DWORD style = 0;  // the window's flags: WS_DISABLED, WS_TABSTOP
};

// Registers a control class once: double clicks, full redraw on resizing, the arrow
// pointer and no background brush, so nothing is ever erased behind a control.
bool RegisterControlClass(const char* className, WNDPROC procedure);

// Creates a hidden child of the given placement in a registered control class.
HWND CreateControlWindow(const char* className, const ControlPlacement& placement, void* self);

}  // namespace controls
