#pragma once
// Application state, event delivery, window loading and the ends of the program.

#include <windows.h>

namespace windows {
class Window;
struct WindowDescription;
}  // namespace windows

// One of the program's windows: its fixed description and, while it is loaded, its
// live instance. Each load builds a fresh instance from the description.
struct WindowSlot {
  const windows::WindowDescription* description = nullptr;  // null: the window is absent
  windows::Window* instance = nullptr;
};

enum class EventKind { Created, Click };
enum class LoopMode { Main, Modal };

// Posted by UnloadWindow; the window is destroyed when the loop dispatches it.
constexpr UINT WM_DEFERRED_DESTROY = WM_APP + 0x65;

// The folder of the running executable without a trailing backslash, or null when it
// could not be formed.
const char* ProgramDirectory();
HWND HiddenOwnerWindow();

// Runs the handler bound to the event, unless events are held back. controlNumber 0
// is the window itself.
void RaiseEvent(WindowSlot& window, int controlNumber, EventKind event);
bool LoadWindow(WindowSlot& window, WindowSlot* owner, bool dialogStyle);
void UnloadWindow(WindowSlot& window);
[[noreturn]] void ExitProgram(UINT exitCode);
[[noreturn]] void FatalError(const char* message);
int RunMessageLoop(LoopMode mode);

// Start-up: everything from forming ProgramDirectory to the end of the main loop.
int AppMain(WindowSlot& startWindow);

namespace app {

// For the window module.
void WindowGone(windows::Window* window);
windows::Window* FindLoadedWindow(HWND handle);
void EndModalState(windows::Window& window);
void DeferredDestroy(windows::Window& window);
HICON ProgramIcon(bool big);
unsigned EventHold();
void DispatchPending();

// Prepares what start-up prepares, for tests that build windows in their own process.
void PrepareForTesting(const char* programDirectory);
// Runs the exit clean-up without ending the process.
void ExitCleanUp();
size_t LoadedWindowCount();

}  // namespace app
