#include "windows/Descriptions.h"

#include "resources/ResourceIds.h"
#include "resources/Version.h"
#include "restore/Restore.h"
#include "windows/Window.h"

namespace {

using windows::ControlEntry;
using windows::ControlKind;
using windows::PointerShape;
using windows::WindowDescription;
using windows::WindowSettings;

constexpr picture::PictureRef Resource(int id) { return picture::PictureRef{id, nullptr, 0}; }

constexpr controls::PicBtnSettings Pictures(int normal, int hot) {
  return controls::PicBtnSettings{Resource(normal), Resource(hot), {}, {}};
}

void OnCreated() {}
void OnExitClicked() { ExitProgram(0); }
void OnAboutClicked() { LoadWindow(AboutWindow, nullptr, true); }
void OnLayout3Clicked() { RestoreAction(ImageBase::HD3); }
void OnLayout4Clicked() { RestoreAction(ImageBase::HD4); }
void OnLayout5Clicked() { RestoreAction(ImageBase::HD5); }
void OnAboutCloseClicked() { UnloadWindow(AboutWindow); }

const WindowSettings kMainSettings = {
    .Title = TOVRIN_TITLE_TEXT,
    .Left = 50, .Top = 50,
    .Width = 368, .Height = 461,
    .Visible = true,
    .Border = 0,
    .BackColour = controls::kNoColour,
    .BackPicture = Resource(IDR_MAIN_BACK),
    .BackPictureMode = windows::kBackPictureTiled,
    .MinimiseBox = true,
    .MaximiseBox = false,
    .StartPosition = 1,
    .EscCloses = true,
    .DragAnywhere = true,
    .ShowInTaskbar = true,
    .TopMost = false,
};

// In stacking order: the first lies on top.
const ControlEntry kMainControls[] = {
    {.name = "图形按钮6", .kind = ControlKind::PicBtn, .Left = 238, .Top = 376, .Width = 88, .Height = 32,
     .Pointer = PointerShape::Hand, .picBtn = Pictures(IDR_EXIT_NORMAL, IDR_EXIT_HOT), .click = OnExitClicked},
    {.name = "图形按钮2", .kind = ControlKind::PicBtn, .Left = 64, .Top = 376, .Width = 88, .Height = 32,
     .Pointer = PointerShape::Hand, .picBtn = Pictures(IDR_ABOUT_NORMAL, IDR_ABOUT_HOT), .click = OnAboutClicked},
    {.name = "图形按钮5", .kind = ControlKind::PicBtn, .Left = 64, .Top = 288, .Width = 261, .Height = 58,
     .Pointer = PointerShape::Hand, .picBtn = Pictures(IDR_LAYOUT5_NORMAL, IDR_LAYOUT5_HOT),
     .click = OnLayout5Clicked},
    {.name = "图形按钮4", .kind = ControlKind::PicBtn, .Left = 64, .Top = 200, .Width = 261, .Height = 58,
     .Pointer = PointerShape::Hand, .picBtn = Pictures(IDR_LAYOUT4_NORMAL, IDR_LAYOUT4_HOT),
     .click = OnLayout4Clicked},
    {.name = "图形按钮3", .kind = ControlKind::PicBtn, .Left = 64, .Top = 112, .Width = 261, .Height = 58,
     .Pointer = PointerShape::Hand, .picBtn = Pictures(IDR_LAYOUT3_NORMAL, IDR_LAYOUT3_HOT),
     .click = OnLayout3Clicked},
    {.name = "图形按钮1", .kind = ControlKind::PicBtn, .Left = 336, .Top = 0, .Width = 32, .Height = 19,
     .Pointer = PointerShape::Hand, .picBtn = Pictures(IDR_CLOSE_NORMAL, IDR_CLOSE_HOT), .click = OnExitClicked},
};

const WindowSettings kAboutSettings = {
    .Title = "关于",
    .Left = 50, .Top = 50,
    .Width = 370, .Height = 271,
    .Visible = true,
    .Border = 0,
    .BackColour = 0x00FFFFFF,
    .BackPicture = Resource(IDR_ABOUT_BACK),
    .BackPictureMode = windows::kBackPictureTiled,
    .MinimiseBox = false,
    .MaximiseBox = false,
    .StartPosition = 1,
    .EscCloses = true,
    .DragAnywhere = true,
    // Loaded modally, so it is owned by the hidden window and has no taskbar button anyway.
    .ShowInTaskbar = true,
    .TopMost = false,
};

constexpr controls::ShapeBoxSettings FrameLine(int lineWidth) {
  return controls::ShapeBoxSettings{.BackColour = controls::kNoColour, .Shape = 0, .Relief = 0, .LineStyle = 1,
                                    .LineWidth = lineWidth, .LineColour = 0x00808080,
                                    .FillColour = controls::kNoColour};
}

// The frame lines run past the client area; what lies outside is cut off.
const ControlEntry kAboutControls[] = {
    {.name = "外形框4", .kind = ControlKind::ShapeBox, .Left = 369, .Top = 0, .Width = 1, .Height = 280,
     .shapeBox = FrameLine(1)},
    {.name = "外形框3", .kind = ControlKind::ShapeBox, .Left = 0, .Top = 0, .Width = 1, .Height = 280,
     .shapeBox = FrameLine(1)},
    {.name = "外形框2", .kind = ControlKind::ShapeBox, .Left = 0, .Top = 270, .Width = 400, .Height = 1,
     .shapeBox = FrameLine(2)},
    {.name = "外形框1", .kind = ControlKind::ShapeBox, .Left = 1, .Top = 0, .Width = 400, .Height = 1,
     .shapeBox = FrameLine(2)},
    {.name = "图形按钮6", .kind = ControlKind::PicBtn, .Left = 288, .Top = 232, .Width = 74, .Height = 23,
     .picBtn = Pictures(IDR_OK_NORMAL, IDR_OK_HOT), .click = OnAboutCloseClicked},
    {.name = "图形按钮1", .kind = ControlKind::PicBtn, .Left = 338, .Top = 0, .Width = 32, .Height = 19,
     .Pointer = PointerShape::Hand, .picBtn = Pictures(IDR_CLOSE_NORMAL, IDR_CLOSE_HOT),
     .click = OnAboutCloseClicked},
};

const WindowDescription kMainDescription = {&kMainSettings, kMainControls, std::size(kMainControls), OnCreated};
const WindowDescription kAboutDescription = {&kAboutSettings, kAboutControls, std::size(kAboutControls),
                                             OnCreated};

}  // namespace

WindowSlot MainWindow{&kMainDescription, nullptr};
WindowSlot AboutWindow{&kAboutDescription, nullptr};
