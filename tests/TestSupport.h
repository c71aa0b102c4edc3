#pragma once
// Helpers shared by the tests: pumping messages, reading pixels, files and folders,
// child processes and message boxes.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "windows/Window.h"

namespace test {

// Dispatches everything waiting, the way the program's own loop would.
void FlushEvents(int rounds = 3);
// The colour at a point of the screen, as the user sees it.
COLORREF ScreenPixel(int x, int y);
COLORREF ClientPixel(HWND window, int x, int y);
// Within `tolerance` on each of red, green and blue.
bool Near(COLORREF actual, COLORREF expected, int tolerance = 8);
std::string Hex(COLORREF colour);

// A fresh, empty folder under the build tree, as a Windows path.
std::string MakeTempFolder(const std::string& leaf);
bool CopyTo(const std::string& from, const std::string& folder, const std::string& name);
bool WriteFileText(const std::string& path, const std::string& text);
std::string ReadFileText(const std::string& path);
std::string BuildPath(const char* relative);  // a file of the x86_64 build

// GBK bytes to UTF-16, to compare a text with its expected characters.
std::wstring FromGbk(const std::string& text);

// Runs `lambda` once from inside whatever message loop runs next.
void RunSoon(std::function<void()> lambda, UINT delayMs = 20);

// A child process of the program.
struct Child {
  PROCESS_INFORMATION info = {};
  bool Start(const std::string& exe, const std::string& directory = std::string());
  HWND FindTopWindow(const char* className, const char* title, DWORD timeoutMs = 15000) const;
  // Waits for the end and gives the full 32-bit exit code, or STILL_ACTIVE.
  DWORD Wait(DWORD timeoutMs = 15000);
  ~Child();
};

int FindTopWindowCount(const Child& child);  // its visible top-level windows
HWND FindChildByIndex(HWND parent, int zIndex);
// A press and release at (5, 5) of a control, through the owning thread's queue.
void PostClick(HWND control);
// The stand-in tool's records in its log, waiting up to a few seconds for `count`.
std::vector<std::string> ReadLaunches(const std::string& log, size_t count, int attempts = 100);
std::string StandIn();  // 0 is the top of the child order
std::string WindowText(HWND window);

// Message boxes of this thread, seen through a CBT hook: each is recorded with its
// texts and answered with the next answer in the list.
struct BoxRecord {
  std::wstring text;
  std::wstring caption;
  bool hasOk = false, hasYes = false, hasNo = false;
  HICON icon = nullptr;
  HWND owner = nullptr;
};
constexpr int kPressEnter = -1;  // answer by pressing Enter, not a button
class BoxWatcher {
 public:
  explicit BoxWatcher(std::vector<int> answers);
  ~BoxWatcher();
  const std::vector<BoxRecord>& boxes() const { return boxes_; }
  void Inspect(HWND box);

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  HHOOK hook_ = nullptr;
  std::vector<int> answers_;
  std::vector<BoxRecord> boxes_;
};

// A window description of the tests' own with a single picture button, whose clicks
// are counted.
extern int testClicks;
extern WindowSlot TestButtonWindow;

}  // namespace test
