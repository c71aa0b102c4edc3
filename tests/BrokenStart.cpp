// The program's start-up with a start window whose control cannot be created.
#include <windows.h>

#include "app/App.h"
#include "windows/Window.h"

namespace {
const windows::WindowSettings kSettings = {.Title = "broken", .Width = 100, .Height = 100};
const windows::ControlEntry kControls[] = {
    {.name = "bad", .kind = static_cast<windows::ControlKind>(99), .Width = 10, .Height = 10},
};
const windows::WindowDescription kDescription = {&kSettings, kControls, 1, nullptr};
WindowSlot Broken{&kDescription, nullptr};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AppMain(Broken); }
