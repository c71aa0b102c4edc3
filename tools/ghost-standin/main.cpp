// Stand-in imaging tool. With TOVRIN_STANDIN_LOG set it appends what it was given to
// that file (command line, current directory, show mode) and ends; without it, it shows
// a small window saying what it was asked to do and closes on a click or after a while.

#include <windows.h>

#include <string>

namespace {

constexpr UINT_PTR kCloseTimer = 1;
std::string report;

void AppendReport() {
  char cwd[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, cwd);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  char flags[64];
  wsprintfA(flags, "%lu %u", startup.dwFlags, startup.wShowWindow);
  report = std::string("program: ") + self + "\r\ncommand line: " + GetCommandLineA() +
           "\r\ncurrent directory: " + cwd +
           "\r\nstart-up flags and show mode: " + flags + "\r\n";
}

// Records are separated by a line holding only "--", so a test can count the launches.
bool WriteLog(const char* path) {
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string record = report + "--\r\n";
  DWORD written = 0;
  const BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == record.size();
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      InflateRect(&client, -12, -12);
      const std::string text = "Stand-in imaging tool: nothing is written to any disk.\r\n\r\n" + report +
                               "\r\nClick to close.";
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      DrawTextA(dc, text.c_str(), -1, &client, DT_WORDBREAK | DT_NOPREFIX);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  AppendReport();
  char logPath[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("TOVRIN_STANDIN_LOG", logPath, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    // Enter a message queue first so that the launcher's wait for input idle ends early.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    return WriteLog(logPath) ? 0 : 1;
  }

  WNDCLASSA wc = {};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "TovrinGhostStandIn";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "Ghost32 (stand-in)", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 560, 240, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  SetTimer(window, kCloseTimer, 8000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
