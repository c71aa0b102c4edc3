#include "TestSupport.h"

#include <cstdio>

#include "resources/ResourceIds.h"

namespace test {

void FlushEvents(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    app::DispatchPending();
    Sleep(10);
  }
  app::DispatchPending();
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Read from the window that shows at the point, through its own DC: that reads Wine's
// window surface at once, where the X screen may still lag behind.
COLORREF ClientPixel(HWND window, int x, int y) {
  POINT p = {x, y};
  HWND child = ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE);
  if (child != nullptr && child != window) {
    MapWindowPoints(window, child, &p, 1);
    return ClientPixel(child, p.x, p.y);
  }
  HDC dc = GetDC(window);
  COLORREF colour = GetPixel(dc, p.x, p.y);
  ReleaseDC(window, dc);
  return colour;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
  char text[16];
  snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

std::string BuildPath(const char* relative) {
  std::string path = TOVRIN_BINARY_DIR;
  path += "/";
  path += relative;
  // A Unix path of the build tree is reachable through Wine's Z: drive.
  std::string windowsPath = "Z:";
  for (char c : path) windowsPath += c == '/' ? '\\' : c;
  return windowsPath;
}

static void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string MakeTempFolder(const std::string& leaf) {
  std::string base = BuildPath("test-folders");
  CreateDirectoryA(base.c_str(), nullptr);
  char unique[32];
  snprintf(unique, sizeof unique, "\\%lu", GetCurrentProcessId());
  std::string folder = base + unique;
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string path = folder + "\\" + leaf;
  RemoveTree(path);
  // Create each level of the leaf, which may hold several.
  for (size_t i = folder.size() + 1; i <= path.size(); ++i)
    if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  return path;
}

bool CopyTo(const std::string& from, const std::string& folder, const std::string& name) {
  return CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE) != FALSE;
}

bool WriteFileText(const std::string& path, const std::string& text) {
  FILE* f = fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  fwrite(text.data(), 1, text.size(), f);
  fclose(f);
  return true;
}

std::string ReadFileText(const std::string& path) {
  std::string text;
  FILE* f = fopen(path.c_str(), "rb");
  if (f == nullptr) return text;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  fclose(f);
  return text;
}

std::wstring FromGbk(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

static std::function<void()> pendingLambda;
static void CALLBACK OnSoon(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::function<void()> lambda = std::move(pendingLambda);
  pendingLambda = nullptr;
  if (lambda) lambda();
}

void RunSoon(std::function<void()> lambda, UINT delayMs) {
  pendingLambda = std::move(lambda);
  SetTimer(nullptr, 0, delayMs, OnSoon);
}

bool Child::Start(const std::string& exe, const std::string& directory) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string line = "\"" + exe + "\"";
  return CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info) != FALSE;
}

namespace {
struct Search {
  DWORD pid;
  const char* className;
  const char* title;
  HWND found;
};
BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  char name[256] = "";
  if (search->className != nullptr) {
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, search->className) != 0) return TRUE;
  }
  if (search->title != nullptr && WindowText(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}
}  // namespace

HWND Child::FindTopWindow(const char* className, const char* title, DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  do {
    Search search = {info.dwProcessId, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (WaitForSingleObject(info.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

DWORD Child::Wait(DWORD timeoutMs) {
  if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info.hProcess, &code);
  return code;
}

Child::~Child() {
  if (info.hProcess != nullptr) {
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
}

namespace {
struct Counter {
  DWORD pid;
  int count;
};
BOOL CALLBACK CountWindow(HWND window, LPARAM lParam) {
  auto* counter = reinterpret_cast<Counter*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == counter->pid && IsWindowVisible(window)) ++counter->count;
  return TRUE;
}
}  // namespace

int FindTopWindowCount(const Child& child) {
  Counter counter = {child.info.dwProcessId, 0};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counter));
  return counter.count;
}

HWND FindChildByIndex(HWND parent, int zIndex) {
  HWND child = GetWindow(parent, GW_CHILD);
  for (int i = 0; child != nullptr && i < zIndex; ++i) child = GetWindow(child, GW_HWNDNEXT);
  return child;
}

void PostClick(HWND control) {
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

std::vector<std::string> ReadLaunches(const std::string& log, size_t count, int attempts) {
  std::vector<std::string> records;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    records.clear();
    const std::string text = ReadFileText(log);
    size_t start = 0, end;
    while ((end = text.find("--\r\n", start)) != std::string::npos) {
      records.push_back(text.substr(start, end - start));
      start = end + 4;
    }
    if (records.size() >= count) break;
    Sleep(50);
  }
  return records;
}

std::string StandIn() { return BuildPath("tools/ghost-standin/Ghost32.exe"); }

std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

static BoxWatcher* activeWatcher = nullptr;

BoxWatcher::BoxWatcher(std::vector<int> answers) : answers_(std::move(answers)) {
  activeWatcher = this;
  hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

BoxWatcher::~BoxWatcher() {
  UnhookWindowsHookEx(hook_);
  activeWatcher = nullptr;
}

static std::wstring WideText(HWND window) {
  wchar_t text[1024] = L"";
  GetWindowTextW(window, text, 1024);
  return text;
}

// The box is activated before its text is set, so it is read a moment later, from
// inside the box's own message loop.
static HWND pendingBox = nullptr;
static void CALLBACK InspectBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  BoxWatcher* self = activeWatcher;
  HWND box = pendingBox;
  pendingBox = nullptr;
  if (self == nullptr || box == nullptr || !IsWindow(box)) return;
  self->Inspect(box);
}

void BoxWatcher::Inspect(HWND box) {
  auto shown = [box](int id) {
    HWND button = GetDlgItem(box, id);
    return button != nullptr && IsWindowVisible(button);
  };
  BoxRecord record;
  record.caption = WideText(box);
  record.text = WideText(GetDlgItem(box, 0xFFFF));
  record.owner = GetWindow(box, GW_OWNER);
  record.hasOk = shown(IDOK);
  record.hasYes = shown(IDYES);
  record.hasNo = shown(IDNO);
  for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
    if (icon != nullptr) record.icon = icon;
  }
  const size_t index = boxes_.size();
  boxes_.push_back(record);
  const int answer = index < answers_.size() ? answers_[index] : IDCANCEL;
  if (answer == kPressEnter) {
    HWND focus = GetFocus();
    PostMessageA(focus != nullptr ? focus : box, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(focus != nullptr ? focus : box, WM_KEYUP, VK_RETURN, 0xC0000001);
  } else {
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
  }
}

LRESULT CALLBACK BoxWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && activeWatcher != nullptr) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char name[32] = "";
    GetClassNameA(box, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && pendingBox != box) {
      pendingBox = box;
      SetTimer(nullptr, 0, 30, InspectBox);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int testClicks = 0;

namespace {

void CountClick() { ++testClicks; }
void NoOp() {}

constexpr picture::PictureRef Res(int id) { return picture::PictureRef{id, nullptr, 0}; }

const windows::WindowSettings kTestSettings = {
    .Title = "test window",
    .Width = 300, .Height = 200,
    .BackColour = 0x00FFFFFF,
    .BackPicture = Res(IDR_ABOUT_BACK),
    .MinimiseBox = false,
};

const windows::ControlEntry kTestControls[] = {
    {.name = "图形按钮1", .kind = windows::ControlKind::PicBtn, .Left = 20, .Top = 20, .Width = 88, .Height = 32,
     .Pointer = windows::PointerShape::Hand,
     .picBtn = {Res(IDR_ABOUT_NORMAL), Res(IDR_ABOUT_HOT), {}, {}}, .click = CountClick},
    // Larger than its pictures: the rest shows black.
    {.name = "图形按钮2", .kind = windows::ControlKind::PicBtn, .Left = 20, .Top = 80, .Width = 60, .Height = 40,
     .picBtn = {Res(IDR_CLOSE_NORMAL), Res(IDR_CLOSE_HOT), {}, {}}, .click = CountClick},
    {.name = "图形按钮3", .kind = windows::ControlKind::PicBtn, .Left = 120, .Top = 20, .Width = 88, .Height = 32,
     .Disabled = true, .picBtn = {Res(IDR_EXIT_NORMAL), Res(IDR_EXIT_HOT), {}, {}}, .click = CountClick},
    {.name = "外形框1", .kind = windows::ControlKind::ShapeBox, .Left = 120, .Top = 80, .Width = 100, .Height = 50,
     .shapeBox = {.BackColour = 0x0000FF00, .Shape = 4, .LineColour = 0x00FF0000}},
};

const windows::WindowDescription kTestDescription = {&kTestSettings, kTestControls, std::size(kTestControls),
                                                     NoOp};

}  // namespace

WindowSlot TestButtonWindow{&kTestDescription, nullptr};

}  // namespace test
