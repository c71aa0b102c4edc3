#pragma once
// The generic window: built from a description, painted from its background picture,
// dragged by its background and closed by Esc.

#include <windows.h>

#include <utility>
#include <vector>

#include "app/App.h"
#include "controls/Control.h"
#include "controls/PicBtn.h"
#include "controls/ShapeGeometry.h"
#include "picture/Picture.h"

namespace windows {

using EventHandler = void (*)();

constexpr int kBackPictureTiled = 1;

struct WindowSettings {
  const char* Title = "";
  int Left = 0, Top = 0;
  int Width = 0, Height = 0;
  bool Visible = true;
  int Border = 0;  // 0: no frame, caption or system menu
  COLORREF BackColour = controls::kNoColour;
  picture::PictureRef BackPicture = {};
  int BackPictureMode = kBackPictureTiled;
  bool MinimiseBox = false;
  bool MaximiseBox = false;
  int StartPosition = 1;  // 1: centred on the screen
  bool EscCloses = true;
  bool DragAnywhere = true;
  bool ShowInTaskbar = true;
  bool TopMost = false;
};

enum class ControlKind { PicBtn, ShapeBox };
enum class PointerShape { Default, Hand };

struct ControlEntry {
  const char* name = "";
  ControlKind kind = ControlKind::PicBtn;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = true;
  bool Disabled = false;
  bool TabStop = false;
  PointerShape Pointer = PointerShape::Default;
  controls::PicBtnSettings picBtn = {};
  controls::ShapeBoxSettings shapeBox = {};
  EventHandler click = nullptr;
};

struct WindowDescription {
  const WindowSettings* settings;
  const ControlEntry* controls;
  size_t controlCount;
  EventHandler created;
};

class Window final : public controls::ControlHost {
 public:
  // Builds a hidden window with its controls, or returns null having destroyed
  // whatever it made. ownerHwnd is a window given by the caller, or null.
  static Window* Build(WindowSlot& slot, HWND ownerHwnd, bool dialogStyle);

  HWND handle() const { return window_; }
  WindowSlot& slot() const { return slot_; }
  const WindowSettings& settings() const { return *slot_.description->settings; }

  // Looks at mouse and key input meant for the window or its controls before it is
  // dispatched; true drops the message.
  bool PreTranslate(const MSG& message);
  void PaintContent(HDC dc, const RECT& area);
  void OnControlEnded(int controlNumber) override;
  HWND ControlWindow(int controlNumber) const;

  bool DestroyPending = false;
  bool IsModal = false;
  std::vector<std::pair<HWND, bool>> DisabledWindows;

 private:
  explicit Window(WindowSlot& slot) : slot_(slot) {}
  ~Window() = default;
  bool Create(HWND owner);
  bool BuildControls();
  int ControlNumberOf(HWND child) const;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnSetCursor(HWND over);

  WindowSlot& slot_;
  HWND window_ = nullptr;
  // Until CreateWindowExA returns, a failed creation is cleaned up by Build, not by WM_NCDESTROY.
  bool creating_ = true;
  std::vector<HWND> controls_;  // by control number less one; null once a control is gone
  // The background is decoded at the first paint and kept. The bitmap is declared
  // before its DC so that it is deleted after the DC lets go of it.
  gdi::Bitmap backPicture_;
  gdi::MemoryDc backDc_;
};

}  // namespace windows
