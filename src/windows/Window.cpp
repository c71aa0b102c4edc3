#include "windows/Window.h"

#include "controls/ShapeBox.h"
#include "resources/ResourceIds.h"

namespace windows {
namespace {

constexpr char kClassName[] = "TovrinWindow";

bool RegisterWindowClass(WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, kClassName, &existing)) return true;
  WNDCLASSA wc = {};
  // Full redraw on resizing and no background brush: the system never erases.
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0;
}

bool KindHandsPressesToWindow(ControlKind kind) { return kind == ControlKind::ShapeBox; }

bool ModifierDown() {
  return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
}

}  // namespace

Window* Window::Build(WindowSlot& slot, HWND ownerHwnd, bool dialogStyle) {
  if (!RegisterWindowClass(Procedure)) return nullptr;
  Window* window = new Window(slot);
  HWND owner = ownerHwnd;
  if (owner == nullptr && (dialogStyle || !window->settings().ShowInTaskbar)) owner = HiddenOwnerWindow();
  if (!window->Create(owner)) {
    if (window->creating_) {
      delete window;
    } else {
      DestroyWindow(window->window_);  // its WM_NCDESTROY frees the object
    }
    return nullptr;
  }
  return window;
}

bool Window::Create(HWND owner) {
  const WindowSettings& s = settings();
  DWORD style = WS_CLIPCHILDREN;
  if (s.MinimiseBox) style |= WS_MINIMIZEBOX;
  if (s.MaximiseBox) style |= WS_MAXIMIZEBOX;
  // Only a window given an owner by its loader becomes a pop-up; the hidden owner
  // leaves the window overlapped.
  if (owner != nullptr && owner != HiddenOwnerWindow()) style |= WS_POPUP;

  int x = s.Left, y = s.Top;
  if (s.StartPosition == 1) {
    x = (GetSystemMetrics(SM_CXSCREEN) - s.Width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - s.Height) / 2;
  }
  if (CreateWindowExA(0, kClassName, s.Title, style, x, y, s.Width, s.Height, owner, nullptr,
                      GetModuleHandleA(nullptr), this) == nullptr) {
    return false;
  }
  creating_ = false;

  // An overlapped window is always given a caption at creation: take off what the
  // settings do not want, and let the frame follow.
  const LONG_PTR frameBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  LONG_PTR wanted = 0;
  if (s.Border != 0) wanted |= WS_CAPTION | WS_SYSMENU;
  if (s.MinimiseBox) wanted |= WS_MINIMIZEBOX;
  if (s.MaximiseBox) wanted |= WS_MAXIMIZEBOX;
  LONG_PTR current = GetWindowLongPtrA(window_, GWL_STYLE);
  if ((current & frameBits) != wanted) {
    SetWindowLongPtrA(window_, GWL_STYLE, (current & ~frameBits) | wanted);
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT rect;
  GetWindowRect(window_, &rect);
  if (rect.right - rect.left != s.Width || rect.bottom - rect.top != s.Height)
    SetWindowPos(window_, nullptr, x, y, s.Width, s.Height, SWP_NOZORDER | SWP_NOACTIVATE);

  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app::ProgramIcon(true)));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app::ProgramIcon(false)));
  if (s.TopMost)
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return BuildControls();
}

bool Window::BuildControls() {
  const WindowDescription& d = *slot_.description;
  controls_.assign(d.controlCount, nullptr);
  for (size_t i = 0; i < d.controlCount; ++i) {
    const ControlEntry& entry = d.controls[i];
    controls::ControlPlacement placement;
    placement.parent = window_;
    placement.left = entry.Left;
    placement.top = entry.Top;
    placement.width = entry.Width;
    placement.height = entry.Height;
    placement.style = (entry.Disabled ? WS_DISABLED : 0) | (entry.TabStop ? WS_TABSTOP : 0);
    const controls::ControlIdentity identity{&slot_, this, static_cast<int>(i) + 1};
    HWND created = nullptr;
    switch (entry.kind) {
      case ControlKind::PicBtn:
        if (auto* button = controls::PicBtn::Create(entry.picBtn, placement, identity)) created = button->handle();
        break;
      case ControlKind::ShapeBox:
        if (auto* box = controls::ShapeBox::Create(entry.shapeBox, placement, identity)) created = box->handle();
        break;
    }
    if (created == nullptr) return false;
    controls_[i] = created;
  }
  // The first control goes on top, each next one directly below the one before.
  HWND previous = HWND_TOP;
  for (HWND control : controls_) {
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
  for (size_t i = 0; i < controls_.size(); ++i)
    if (d.controls[i].Visible) ShowWindow(controls_[i], SW_SHOWNA);
  return true;
}

int Window::ControlNumberOf(HWND child) const {
  if (child == nullptr) return 0;
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i] == child) return static_cast<int>(i) + 1;
  return 0;
}

HWND Window::ControlWindow(int controlNumber) const {
  if (controlNumber < 1 || static_cast<size_t>(controlNumber) > controls_.size()) return nullptr;
  return controls_[controlNumber - 1];
}

void Window::OnControlEnded(int controlNumber) {
  if (controlNumber >= 1 && static_cast<size_t>(controlNumber) <= controls_.size())
    controls_[controlNumber - 1] = nullptr;
}

bool Window::PreTranslate(const MSG& message) {
  const WindowSettings& s = settings();
  if (message.message == WM_LBUTTONDOWN && s.DragAnywhere) {
    // The system's caption drag then moves the window with the pointer.
    if (message.hwnd == window_) {
      PostMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return false;
    }
    const int number = ControlNumberOf(message.hwnd);
    if (number != 0 && KindHandsPressesToWindow(slot_.description->controls[number - 1].kind)) {
      PostMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return true;
    }
  }
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && message.wParam == VK_ESCAPE &&
      s.EscCloses && !ModifierDown() && !(message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)))) {
    SendMessageA(window_, WM_CLOSE, 0, 0);
    return true;
  }
  return false;
}

bool Window::OnSetCursor(HWND over) {
  const int number = ControlNumberOf(over);
  if (number == 0 || slot_.description->controls[number - 1].Pointer != PointerShape::Hand) return false;
  SetCursor(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER)));
  return true;
}

void Window::PaintContent(HDC dc, const RECT& area) {
  if (IsRectEmpty(&area)) return;
  const WindowSettings& s = settings();
  if (!backPicture_ && (s.BackPicture.resourceId != 0 || s.BackPicture.size != 0)) {
    gdi::Bitmap decoded = picture::DecodePicture(s.BackPicture);
    gdi::MemoryDc decodedDc(decoded ? CreateCompatibleDC(dc) : nullptr);
    if (decodedDc) {
      SelectObject(decodedDc.get(), decoded.get());
      backPicture_ = std::move(decoded);
      backDc_ = std::move(decodedDc);
    }
  }
  RECT client;
  GetClientRect(window_, &client);
  const SIZE picture = gdi::BitmapSize(backPicture_.get());
  if (!backPicture_ || picture.cx <= 0 || picture.cy <= 0) {
    // Decoding is tried again at the next paint.
    gdi::Brush brush(CreateSolidBrush(s.BackColour == controls::kNoColour ? GetSysColor(COLOR_BTNFACE)
                                                                          : s.BackColour));
    FillRect(dc, &area, brush.get());
    return;
  }
  // Only tiles that meet the area to paint are copied.
  for (int y = 0; y < client.bottom; y += picture.cy) {
    for (int x = 0; x < client.right; x += picture.cx) {
      RECT tile = {x, y, x + picture.cx, y + picture.cy}, common;
      if (IntersectRect(&common, &tile, &area))
        BitBlt(dc, x, y, picture.cx, picture.cy, backDc_.get(), 0, 0, SRCCOPY);
    }
  }
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    if (!self->creating_) {
      app::WindowGone(self);
      delete self;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      gdi::PaintDc paint(window_);
      PaintContent(paint.dc(), paint.area());
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window_, &client);
      PaintContent(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
      break;
    case WM_CLOSE:
      app::EndModalState(*this);
      break;  // the default destroys the window
    case WM_DEFERRED_DESTROY:
      app::DeferredDestroy(*this);
      return 0;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace windows
