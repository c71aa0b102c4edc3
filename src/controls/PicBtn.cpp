#include "controls/PicBtn.h"

#include <windowsx.h>

#include "app/App.h"

namespace controls {
namespace {

constexpr char kClassName[] = "TovrinPicBtn";

}  // namespace

HBITMAP PicButtonWindow::CurrentPicture() const {
  const bool enabled = IsWindowEnabled(window_) != FALSE;
  PictureSlot slot = ChoosePicture(visualState_, enabled, pictures_[1] != nullptr, pictures_[2] != nullptr,
                                   pictures_[3] != nullptr);
  return pictures_[static_cast<int>(slot)].get();
}

bool PicButtonWindow::CreateButtonWindow(const ControlPlacement& placement) {
  if (!RegisterControlClass(kClassName, Procedure)) return false;
  if (CreateControlWindow(kClassName, placement, this) == nullptr) return false;
  creating_ = false;
  return true;
}

void PicButtonWindow::SetVisualState(VisualState state) {
  if (state == visualState_) return;
  visualState_ = state;
  UpdateAppearance();
  UpdateWindow(window_);
}

bool PicButtonWindow::Inside(int x, int y) const {
  RECT client;
  GetClientRect(window_, &client);
  POINT point = {x, y};
  return PtInRect(&client, point) != FALSE;
}

void PicButtonWindow::OnLeftButtonDown(int x, int y) {
  if (!Inside(x, y) || !IsWindowEnabled(window_)) return;
  SetVisualState(VisualState::Pressed);
  if (GetCapture() != window_) SetCapture(window_);
}

// The capture is how the button notices that the pointer has left: while it holds it,
// moves elsewhere over the program's windows still arrive here.
void PicButtonWindow::OnMouseMove(WPARAM keys, int x, int y) {
  if (!IsWindowEnabled(window_)) {
    ReleaseCapture();
    return;
  }
  const bool inside = Inside(x, y);
  POINT screen = {x, y};
  ClientToScreen(window_, &screen);
  HWND over = WindowFromPoint(screen);
  if (over == window_ || (over == nullptr && inside)) {
    if (GetCapture() != window_) SetCapture(window_);
    SetVisualState((keys & MK_LBUTTON) ? VisualState::Pressed : VisualState::Hot);
  } else {
    // With the button held the capture stays, so the button keeps following the pointer.
    if (!(keys & MK_LBUTTON)) ReleaseCapture();
    SetVisualState(VisualState::Normal);
  }
}

void PicButtonWindow::OnLeftButtonUp(int x, int y) {
  ReleaseCapture();
  if (!Inside(x, y) || !IsWindowEnabled(window_)) return;
  SetVisualState(VisualState::Normal);
  OnClicked();
  // The handler may have destroyed the window, and this object with it.
}

void PicButtonWindow::PaintContent(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  const SIZE size = {client.right, client.bottom};
  if (size.cx <= 0 || size.cy <= 0) return;
  if (!bufferDc_) bufferDc_.reset(CreateCompatibleDC(dc));
  if (!pictureDc_) pictureDc_.reset(CreateCompatibleDC(dc));
  if (!bufferDc_ || !pictureDc_) return;
  if (!buffer_ || bufferSize_.cx != size.cx || bufferSize_.cy != size.cy) {
    gdi::Bitmap fresh(CreateCompatibleBitmap(dc, size.cx, size.cy));
    if (!fresh) return;
    SelectObject(bufferDc_.get(), fresh.get());  // deselects the old buffer before it goes
    buffer_ = std::move(fresh);
    bufferSize_ = size;
  }
  PatBlt(bufferDc_.get(), 0, 0, size.cx, size.cy, BLACKNESS);
  if (HBITMAP picture = CurrentPicture()) {
    const SIZE pictureSize = gdi::BitmapSize(picture);
    gdi::ScopedSelect select(pictureDc_.get(), picture);
    BitBlt(bufferDc_.get(), 0, 0, pictureSize.cx, pictureSize.cy, pictureDc_.get(), 0, 0, SRCCOPY);
  }
  BitBlt(dc, 0, 0, size.cx, size.cy, bufferDc_.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK PicButtonWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PicButtonWindow* self;
  if (message == WM_NCCREATE) {
    self = static_cast<PicButtonWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<PicButtonWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    if (!self->creating_) delete self;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT PicButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    // WM_LBUTTONDBLCLK is left to the default: the second press of a double click
    // neither shows Pressed nor takes the capture, but its release still clicks.
    case WM_ENABLE: {
      LRESULT result = DefWindowProcA(window_, message, wParam, lParam);
      UpdateAppearance();
      UpdateWindow(window_);
      return result;
    }
    case WM_PAINT: {
      gdi::PaintDc paint(window_);
      PaintContent(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(reinterpret_cast<HDC>(wParam));
      return 0;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

PicBtn* PicBtn::Create(const PicBtnSettings& settings, const ControlPlacement& placement,
                       const ControlIdentity& identity) {
  PicBtn* button = new PicBtn(settings, identity);
  if (!button->CreateButtonWindow(placement)) {
    // No window means no WM_NCDESTROY to free it, and nothing to report.
    button->identity_.host = nullptr;
    delete button;
    return nullptr;
  }
  button->pictures_[0] = picture::DecodePicture(settings.NormalPicture);
  button->pictures_[1] = picture::DecodePicture(settings.HotPicture);
  button->pictures_[2] = picture::DecodePicture(settings.PressedPicture);
  button->pictures_[3] = picture::DecodePicture(settings.DisabledPicture);
  button->UpdateAppearance();
  return button;
}

void PicBtn::OnClicked() { RaiseEvent(*identity_.window, identity_.number, EventKind::Click); }

void PicBtn::UpdateAppearance() { InvalidateRect(handle(), nullptr, FALSE); }

PicBtn::~PicBtn() {
  if (identity_.host != nullptr) identity_.host->OnControlEnded(identity_.number);
}

}  // namespace controls
