#pragma once
// The picture button: a borderless child that shows one of four pictures by state,
// lights up under the pointer and raises a click when the left button is released
// on it.

#include "controls/Control.h"
#include "controls/PictureChoice.h"
#include "picture/Picture.h"

namespace controls {

struct PicBtnSettings {
  picture::PictureRef NormalPicture;
  picture::PictureRef HotPicture;
  picture::PictureRef PressedPicture;
  picture::PictureRef DisabledPicture;
};

// The button-window layer: states, pictures, input and painting.
class PicButtonWindow {
 public:
  HWND handle() const { return window_; }
  VisualState visualState() const { return visualState_; }
  HBITMAP CurrentPicture() const;
  void PaintContent(HDC dc);

 protected:
  // Called after a click has been recognised; the handler may destroy the window.
  virtual void OnClicked() {}
  // Called after every change of state or of the enabled state.
  virtual void UpdateAppearance() {}
  virtual ~PicButtonWindow() = default;

  bool CreateButtonWindow(const ControlPlacement& placement);
  void SetVisualState(VisualState state);

  gdi::Bitmap pictures_[4];

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool Inside(int x, int y) const;
  void OnLeftButtonDown(int x, int y);
  void OnMouseMove(WPARAM keys, int x, int y);
  void OnLeftButtonUp(int x, int y);

  HWND window_ = nullptr;
  bool creating_ = true;  // a failed creation is cleaned up by Create
  VisualState visualState_ = VisualState::Normal;
  // Kept between paints so painting only copies bitmaps. The buffer is declared before
  // its DC so that it outlives it: a bitmap still selected into a DC cannot be deleted.
  gdi::Bitmap buffer_;
  gdi::MemoryDc pictureDc_;
  gdi::MemoryDc bufferDc_;
  SIZE bufferSize_ = {0, 0};
};

// The control layer: settings, identity, the click event and repainting.
class PicBtn final : public PicButtonWindow {
 public:
  // Creates the button, or returns null and creates nothing.
  static PicBtn* Create(const PicBtnSettings& settings, const ControlPlacement& placement,
                        const ControlIdentity& identity);

 protected:
  void OnClicked() override;
  void UpdateAppearance() override;
  ~PicBtn() override;

 private:
  PicBtn(const PicBtnSettings& settings, const ControlIdentity& identity)
      : settings_(settings), identity_(identity) {}

  PicBtnSettings settings_;
  ControlIdentity identity_;
};

}  // namespace controls
