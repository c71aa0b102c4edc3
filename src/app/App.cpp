#include "app/App.h"

#include <string>
#include <vector>

#include "app/ProgramDirectory.h"
#include "windows/Window.h"

namespace {

using windows::Window;

struct AppState {
  std::string ProgramDirectory;
  HWND HiddenOwnerWindow = nullptr;
  bool LoopStarted = false;
  Window* ModalWindow = nullptr;
  unsigned EventHold = 0;
  std::vector<Window*> loaded;  // in load order
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
};

AppState state;

constexpr char kHiddenOwnerClass[] = "TovrinHiddenOwner";

bool CreateHiddenOwnerWindow() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kHiddenOwnerClass;
  WNDCLASSA existing;
  if (!GetClassInfoA(instance, kHiddenOwnerClass, &existing) && RegisterClassA(&wc) == 0) return false;
  // A tool window with no style bit is never shown and gets no taskbar button, and
  // windows it owns get none either.
  state.HiddenOwnerWindow =
      CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenOwnerClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  return state.HiddenOwnerWindow != nullptr;
}

// Limits the program's own DLL search to the system folder before anything loads a DLL
// on demand, so a DLL dropped beside the exe is never picked up. The functions are
// looked up because older systems lack them.
void LimitDllSearch() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return;
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  if (auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories"))))
    setDefault(kSearchSystem32);
  if (auto setDirectory = reinterpret_cast<SetDllDirectoryFn>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryA"))))
    setDirectory("");
}

// Runs the messages already waiting, stopping short of a quit message, which stays queued.
void DispatchWaiting() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) break;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Window* target = app::FindLoadedWindow(message.hwnd);
    if (target != nullptr && target->PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool IsLoaded(const Window* window) {
  for (Window* w : state.loaded)
    if (w == window) return true;
  return false;
}

bool Load(WindowSlot& slot, WindowSlot* owner, bool dialogStyle, bool startWindow) {
  if (slot.description == nullptr) return false;
  if (Window* existing = slot.instance) {
    if (existing->DestroyPending) {
      app::DeferredDestroy(*existing);
    } else {
      if (IsIconic(existing->handle()))
        ShowWindow(existing->handle(), SW_RESTORE);
      else
        SetActiveWindow(existing->handle());
      return true;
    }
  }
  HWND ownerHwnd = nullptr;
  if (!dialogStyle && owner != nullptr) {
    if (owner->instance == nullptr || !IsWindow(owner->instance->handle())) return false;
    ownerHwnd = owner->instance->handle();
  }

  DispatchWaiting();
  ++state.EventHold;
  Window* window = Window::Build(slot, ownerHwnd, dialogStyle);
  if (window == nullptr) {
    --state.EventHold;
    return false;
  }
  slot.instance = window;
  state.loaded.push_back(window);
  // Events raised by what the build left in the queue are dropped: the hold is on.
  DispatchWaiting();
  --state.EventHold;

  RaiseEvent(slot, 0, EventKind::Created);
  if (!IsLoaded(window)) return true;
  const bool visible = window->settings().Visible;
  if (visible) ShowWindow(window->handle(), SW_SHOW);

  if (dialogStyle && IsLoaded(window)) {
    window->IsModal = true;
    for (Window* other : state.loaded) {
      if (other == window || (GetWindowLongPtrA(other->handle(), GWL_STYLE) & WS_CHILD)) continue;
      window->DisabledWindows.emplace_back(other->handle(), IsWindowEnabled(other->handle()) != FALSE);
      EnableWindow(other->handle(), FALSE);
    }
  }
  if (!startWindow && visible && IsLoaded(window) && window->IsModal) {
    Window* outer = state.ModalWindow;
    state.ModalWindow = window;
    RunMessageLoop(LoopMode::Modal);
    state.ModalWindow = outer;
  }
  return true;
}

void ReleaseProgramIcon() {
  if (state.bigIcon != nullptr) DestroyIcon(state.bigIcon);
  if (state.smallIcon != nullptr) DestroyIcon(state.smallIcon);
  state.bigIcon = state.smallIcon = nullptr;
}

}  // namespace

const char* ProgramDirectory() {
  return state.ProgramDirectory.empty() ? nullptr : state.ProgramDirectory.c_str();
}

HWND HiddenOwnerWindow() { return state.HiddenOwnerWindow; }

void RaiseEvent(WindowSlot& window, int controlNumber, EventKind event) {
  if (state.EventHold > 0 || window.description == nullptr) return;
  windows::EventHandler handler = nullptr;
  if (event == EventKind::Created) {
    handler = window.description->created;
  } else if (controlNumber >= 1 && static_cast<size_t>(controlNumber) <= window.description->controlCount) {
    handler = window.description->controls[controlNumber - 1].click;
  }
  if (handler != nullptr) handler();
}

bool LoadWindow(WindowSlot& window, WindowSlot* owner, bool dialogStyle) {
  return Load(window, owner, dialogStyle, false);
}

void UnloadWindow(WindowSlot& window) {
  if (window.instance == nullptr) FatalError("要关闭的窗口并未载入。");
  window.instance->DestroyPending = true;
  PostMessageA(window.instance->handle(), WM_DEFERRED_DESTROY, 0, 0);
}

void ExitProgram(UINT exitCode) {
  app::ExitCleanUp();
  ExitProcess(exitCode);
}

void FatalError(const char* message) {
  ++state.EventHold;
  std::string text = "程序运行时发生错误：\n";
  text += message != nullptr ? message : "";
  MessageBoxA(nullptr, text.c_str(), "错误", MB_OK | MB_ICONERROR);
  app::ExitCleanUp();
  ExitProcess(static_cast<UINT>(-1));
}

int RunMessageLoop(LoopMode mode) {
  const bool modal = mode == LoopMode::Modal;
  for (;;) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      if (modal && state.ModalWindow == nullptr) return 0;
    } else if (modal && message.message == WM_QUIT) {
      return 0;  // left queued for the outer loop
    }
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      if (modal) PostQuitMessage(static_cast<int>(message.wParam));
      return static_cast<int>(message.wParam);
    }
    if (got == -1) return 0;
    Window* target = app::FindLoadedWindow(message.hwnd);
    if (target == nullptr || !target->PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (modal && state.ModalWindow == nullptr) return 0;
  }
}

int AppMain(WindowSlot& startWindow) {
  LimitDllSearch();
  state.ProgramDirectory = app::FormProgramDirectory();
  // Given exactly as formed: for a drive root the drive alone, which means that
  // drive's current directory. A failure leaves the directory the program started in.
  SetCurrentDirectoryA(state.ProgramDirectory.c_str());
  if (!CreateHiddenOwnerWindow()) FatalError("无法创建程序的隐藏窗口。");
  if (startWindow.description == nullptr) FatalError("无法读取窗口的描述。");
  if (!Load(startWindow, nullptr, false, true)) FatalError("无法创建主窗口。");
  state.LoopStarted = true;
  int exitCode = 0;
  if (!state.loaded.empty()) exitCode = RunMessageLoop(LoopMode::Main);
  app::ExitCleanUp();
  return exitCode;
}

namespace app {

void WindowGone(Window* window) {
  if (state.ModalWindow == window) state.ModalWindow = nullptr;
  if (window->slot().instance == window) window->slot().instance = nullptr;
  // A window whose load failed was never counted as loaded.
  for (size_t i = 0; i < state.loaded.size(); ++i) {
    if (state.loaded[i] == window) {
      state.loaded.erase(state.loaded.begin() + static_cast<std::ptrdiff_t>(i));
      if (state.loaded.empty() && state.LoopStarted) PostQuitMessage(0);
      return;
    }
  }
}

Window* FindLoadedWindow(HWND handle) {
  if (handle == nullptr) return nullptr;
  HWND root = GetAncestor(handle, GA_ROOT);
  for (Window* w : state.loaded)
    if (w->handle() == root) return w;
  return nullptr;
}

void EndModalState(Window& window) {
  if (!window.IsModal) return;
  for (const auto& [handle, wasEnabled] : window.DisabledWindows)
    if (IsWindow(handle)) EnableWindow(handle, wasEnabled ? TRUE : FALSE);
  window.IsModal = false;
  window.DisabledWindows.clear();
}

void DeferredDestroy(Window& window) {
  if (!window.DestroyPending) return;
  window.DestroyPending = false;
  EndModalState(window);
  DestroyWindow(window.handle());
}

HICON ProgramIcon(bool big) {
  if (state.bigIcon == nullptr && state.smallIcon == nullptr) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    state.bigIcon = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
    state.smallIcon = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
  }
  return big ? state.bigIcon : state.smallIcon;
}

unsigned EventHold() { return state.EventHold; }

void DispatchPending() { DispatchWaiting(); }

void PrepareForTesting(const char* programDirectory) {
  state.ProgramDirectory = programDirectory != nullptr ? programDirectory : "";
  if (state.HiddenOwnerWindow == nullptr) CreateHiddenOwnerWindow();
}

void ExitCleanUp() {
  ++state.EventHold;  // never lowered: no handler runs from here on
  while (!state.loaded.empty()) {
    Window* window = state.loaded.back();
    DestroyWindow(window->handle());
    if (!state.loaded.empty() && state.loaded.back() == window) state.loaded.pop_back();
  }
  ReleaseProgramIcon();
  if (state.HiddenOwnerWindow != nullptr) DestroyWindow(state.HiddenOwnerWindow);
  state.HiddenOwnerWindow = nullptr;
}

size_t LoadedWindowCount() { return state.loaded.size(); }

}  // namespace app
