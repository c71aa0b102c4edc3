#pragma once

namespace controls {

enum class VisualState { Normal = 0, Hot = 1, Pressed = 2 };
enum class PictureSlot { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

// Which of a picture button's four pictures shows. A missing picture for the state
// falls back to the normal one; a disabled button without a disabled picture keeps
// the picture of its state.
constexpr PictureSlot ChoosePicture(VisualState state, bool enabled, bool hasHot, bool hasPressed,
                                    bool hasDisabled) {
  bool hasCandidate = false;
  PictureSlot candidate = PictureSlot::Normal;
  if (state == VisualState::Hot) {
    candidate = PictureSlot::Hot;
    hasCandidate = hasHot;
  } else if (state == VisualState::Pressed) {
    candidate = PictureSlot::Pressed;
    hasCandidate = hasPressed;
  }
  if (!enabled && hasDisabled) return PictureSlot::Disabled;
  return hasCandidate ? candidate : PictureSlot::Normal;
}

}  // namespace controls
