// The main window and the picture button on real windows, messages and pixels.

#include <gtest/gtest.h>

#include "controls/PicBtn.h"
#include "resources/ResourceIds.h"
#include "TestSupport.h"
#include "windows/Descriptions.h"

namespace {

using controls::VisualState;
using test::ClientPixel;
using test::FlushEvents;
using test::Near;

constexpr COLORREF Rgb(unsigned v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::PrepareForTesting("Z:\\nowhere");
    ASSERT_TRUE(LoadWindow(MainWindow, nullptr, false));
    main = MainWindow.instance->handle();
    SetCursorPos(0, 767);  // away from every window
    FlushEvents();
  }
  void TearDown() override {
    if (MainWindow.instance != nullptr) DestroyWindow(MainWindow.instance->handle());
    FlushEvents();
  }
  HWND Button(int number) const { return MainWindow.instance->ControlWindow(number); }
  static VisualState StateOf(HWND button) {
    return reinterpret_cast<controls::PicButtonWindow*>(GetWindowLongPtrA(button, GWLP_USERDATA))->visualState();
  }
  HWND main = nullptr;
};

TEST_F(MainWindowTest, IsCentredFramelessAndUnowned) {
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 368) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 461) / 2);
  EXPECT_EQ(r.left, 328);  // on the 1024 x 768 test screen
  EXPECT_EQ(r.top, 153);
  EXPECT_EQ(r.right - r.left, 368);
  EXPECT_EQ(r.bottom - r.top, 461);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 368);
  EXPECT_EQ(client.bottom, 461);
  const LONG_PTR style = GetWindowLongPtrA(main, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD), 0);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0);
  EXPECT_NE(style & WS_CLIPCHILDREN, 0);
  EXPECT_NE(style & WS_VISIBLE, 0);
  EXPECT_EQ(GetWindowLongPtrA(main, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0);
  EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
  EXPECT_EQ(test::WindowText(main), "TovrinSundrake  -- Tovrin");
  EXPECT_NE(SendMessageA(main, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(main, WM_GETICON, ICON_SMALL, 0), 0);
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_SMALL, 0)), &info));
  BITMAP mask;
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 16);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
}

TEST_F(MainWindowTest, ButtonsSitInTheirStackingOrderAndPlaces) {
  struct Expected {
    int left, top, width, height;
  } order[] = {{238, 376, 88, 32}, {64, 376, 88, 32}, {64, 288, 261, 58},
               {64, 200, 261, 58}, {64, 112, 261, 58}, {336, 0, 32, 19}};
  for (int i = 0; i < 6; ++i) {
    HWND child = test::FindChildByIndex(main, i);
    ASSERT_EQ(child, Button(i + 1)) << i;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, order[i].left) << i;
    EXPECT_EQ(r.top, order[i].top) << i;
    EXPECT_EQ(r.right - r.left, order[i].width) << i;
    EXPECT_EQ(r.bottom - r.top, order[i].height) << i;
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE), WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE);
    EXPECT_EQ(style & (WS_TABSTOP | WS_DISABLED), 0);
  }
  EXPECT_EQ(test::FindChildByIndex(main, 6), nullptr);
}

TEST_F(MainWindowTest, HandPointerOverEveryButtonOnly) {
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER));
  HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  for (int n = 1; n <= 6; ++n) {
    SetCursor(arrow);
    EXPECT_TRUE(SendMessageA(Button(n), WM_SETCURSOR, reinterpret_cast<WPARAM>(Button(n)),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), hand) << n;
  }
  SetCursor(nullptr);
  EXPECT_FALSE(SendMessageA(main, WM_SETCURSOR, reinterpret_cast<WPARAM>(main), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), arrow);  // the class pointer
}

TEST_F(MainWindowTest, PaintsItsPicturesAndLightsButtons) {
  struct Point {
    int x, y;
    unsigned colour;
  } background[] = {{2, 2, 0x00C9FF}, {330, 2, 0x00C9FF}, {365, 30, 0x00C9FF}, {2, 458, 0x00C9FF}, {365, 458, 0x00C9FF},
                    {30, 100, 0xF5F5F5}, {100, 460, 0x00C9FF}, {300, 460, 0x00C9FF}};
  for (const Point& p : background)
    EXPECT_TRUE(Near(ClientPixel(main, p.x, p.y), Rgb(p.colour))) << p.x << "," << p.y << " "
                                                                  << test::Hex(ClientPixel(main, p.x, p.y));
  struct ButtonColours {
    int number, x, y;
    unsigned normal, hot;
  } buttons[] = {{1, 238 + 4, 376 + 28, 0xCB0892, 0xFF0100}, {2, 64 + 4, 376 + 28, 0x00B300, 0x01D1FF},
                 {3, 64 + 5, 288 + 5, 0x1EAD06, 0xFF8D16},   {4, 64 + 5, 200 + 5, 0x07A3CB, 0xFB660A},
                 {5, 64 + 5, 112 + 5, 0xCA6E09, 0x055BA6},   {6, 336 + 3, 3, 0x00A7FF, 0xE6005A}};
  for (const ButtonColours& b : buttons) {
    SCOPED_TRACE(b.number);
    EXPECT_TRUE(Near(ClientPixel(main, b.x, b.y), Rgb(b.normal))) << test::Hex(ClientPixel(main, b.x, b.y));
    SendMessageA(Button(b.number), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(StateOf(Button(b.number)), VisualState::Hot);
    EXPECT_EQ(GetCapture(), Button(b.number));
    EXPECT_TRUE(Near(ClientPixel(main, b.x, b.y), Rgb(b.hot))) << test::Hex(ClientPixel(main, b.x, b.y));
    // Holding the left button shows the normal picture: there is no pressed one.
    SendMessageA(Button(b.number), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(StateOf(Button(b.number)), VisualState::Pressed);
    EXPECT_TRUE(Near(ClientPixel(main, b.x, b.y), Rgb(b.normal))) << test::Hex(ClientPixel(main, b.x, b.y));
    // Off the button onto the background: normal again.
    SendMessageA(Button(b.number), WM_MOUSEMOVE, 0, MAKELPARAM(-3, -3));
    EXPECT_EQ(StateOf(Button(b.number)), VisualState::Normal);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Near(ClientPixel(main, b.x, b.y), Rgb(b.normal)));
  }
}

TEST_F(MainWindowTest, BackgroundPressesDragAndButtonPressesDoNot) {
  MSG press = {main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30), 0, {}};
  MSG peek;
  PeekMessageA(&peek, main, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE);
  EXPECT_FALSE(MainWindow.instance->PreTranslate(press));  // the press itself goes on
  ASSERT_TRUE(PeekMessageA(&peek, main, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
  EXPECT_EQ(peek.wParam, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(peek.lParam, 0);
  for (int n = 1; n <= 6; ++n) {
    MSG onButton = {Button(n), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3), 0, {}};
    EXPECT_FALSE(MainWindow.instance->PreTranslate(onButton));
    EXPECT_FALSE(PeekMessageA(&peek, main, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) << n;
  }
  MSG doubleClick = {main, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 30), 0, {}};
  EXPECT_FALSE(MainWindow.instance->PreTranslate(doubleClick));
  EXPECT_FALSE(PeekMessageA(&peek, main, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
}

TEST_F(MainWindowTest, EscClosesButNotWithAModifier) {
  BYTE keys[256];
  GetKeyboardState(keys);
  const struct {
    int modifier;
  } held[] = {{VK_SHIFT}, {VK_CONTROL}, {VK_MENU}};
  for (const auto& h : held) {
    BYTE withModifier[256];
    memcpy(withModifier, keys, sizeof keys);
    withModifier[h.modifier] = 0x80;
    SetKeyboardState(withModifier);
    MSG esc = {main, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_FALSE(MainWindow.instance->PreTranslate(esc)) << h.modifier;
    EXPECT_TRUE(IsWindow(main));
  }
  SetKeyboardState(keys);
  for (WPARAM key : {static_cast<WPARAM>(VK_RETURN), static_cast<WPARAM>(VK_TAB), static_cast<WPARAM>(VK_F1)}) {
    MSG other = {main, WM_KEYDOWN, key, 1, 0, {}};
    EXPECT_FALSE(MainWindow.instance->PreTranslate(other));
  }
  FlushEvents();
  EXPECT_TRUE(IsWindow(main));
  EXPECT_EQ(GetFocus() == nullptr || GetFocus() == main, true);  // no control ever takes the focus
  MSG esc = {Button(3), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  EXPECT_TRUE(MainWindow.instance->PreTranslate(esc));
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(MainWindow.instance, nullptr);
}

TEST_F(MainWindowTest, LoadingALoadedWindowBringsItForward) {
  windows::Window* first = MainWindow.instance;
  ShowWindow(main, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(main));
  EXPECT_TRUE(LoadWindow(MainWindow, nullptr, false));
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(MainWindow.instance, first);
  EXPECT_TRUE(LoadWindow(MainWindow, nullptr, false));
  EXPECT_EQ(MainWindow.instance, first);
  EXPECT_EQ(app::LoadedWindowCount(), 1u);
}

TEST_F(MainWindowTest, TwoDeferredDestroyRequestsDestroyOnce) {
  UnloadWindow(MainWindow);
  PostMessageA(main, WM_DEFERRED_DESTROY, 0, 0);
  EXPECT_TRUE(IsWindow(main));  // nothing happens until the loop takes the request
  FlushEvents();
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(MainWindow.instance, nullptr);
  // A fresh load after that is a new instance.
  ASSERT_TRUE(LoadWindow(MainWindow, nullptr, false));
  EXPECT_EQ(app::LoadedWindowCount(), 1u);
}

TEST_F(MainWindowTest, AnUnloadedWindowLoadedAgainIsRebuiltAtOnce) {
  UnloadWindow(MainWindow);
  ASSERT_TRUE(LoadWindow(MainWindow, nullptr, false));
  EXPECT_FALSE(IsWindow(main));
  EXPECT_NE(MainWindow.instance, nullptr);
  EXPECT_EQ(app::LoadedWindowCount(), 1u);
}

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::PrepareForTesting("Z:\\nowhere");
    test::testClicks = 0;
    ASSERT_TRUE(LoadWindow(test::TestButtonWindow, nullptr, false));
    window = test::TestButtonWindow.instance->handle();
    button = test::TestButtonWindow.instance->ControlWindow(1);
    SetCursorPos(0, 767);
    FlushEvents();
  }
  void TearDown() override {
    if (test::TestButtonWindow.instance != nullptr) DestroyWindow(window);
  }
  VisualState State() const {
    return reinterpret_cast<controls::PicButtonWindow*>(GetWindowLongPtrA(button, GWLP_USERDATA))->visualState();
  }
  HWND window = nullptr, button = nullptr;
};

TEST_F(ButtonTest, StateTable) {
  enum Point { In, OffOnWindow };
  struct Step {
    const char* what;
    UINT message;
    WPARAM keys;
    Point where;
    VisualState state;
    bool captured;
    int clicks;
  } steps[] = {
      {"move on", WM_MOUSEMOVE, 0, In, VisualState::Hot, true, 0},
      {"move off", WM_MOUSEMOVE, 0, OffOnWindow, VisualState::Normal, false, 0},
      {"press inside", WM_LBUTTONDOWN, MK_LBUTTON, In, VisualState::Pressed, true, 0},
      {"drag off", WM_MOUSEMOVE, MK_LBUTTON, OffOnWindow, VisualState::Normal, true, 0},
      {"drag back", WM_MOUSEMOVE, MK_LBUTTON, In, VisualState::Pressed, true, 0},
      {"release inside", WM_LBUTTONUP, 0, In, VisualState::Normal, false, 1},
      {"move on again", WM_MOUSEMOVE, 0, In, VisualState::Hot, true, 1},
      {"press while hot", WM_LBUTTONDOWN, MK_LBUTTON, In, VisualState::Pressed, true, 1},
      {"drag off", WM_MOUSEMOVE, MK_LBUTTON, OffOnWindow, VisualState::Normal, true, 1},
      {"release outside", WM_LBUTTONUP, 0, OffOnWindow, VisualState::Normal, false, 1},
      // Pressed elsewhere, then moved on with the button held.
      {"arrive held", WM_MOUSEMOVE, MK_LBUTTON, In, VisualState::Pressed, true, 1},
      {"release inside", WM_LBUTTONUP, 0, In, VisualState::Normal, false, 2},
      // A quick double click: the second press arrives as a double click.
      {"first press", WM_LBUTTONDOWN, MK_LBUTTON, In, VisualState::Pressed, true, 2},
      {"first release", WM_LBUTTONUP, 0, In, VisualState::Normal, false, 3},
      {"second press", WM_LBUTTONDBLCLK, MK_LBUTTON, In, VisualState::Normal, false, 3},
      {"second release", WM_LBUTTONUP, 0, In, VisualState::Normal, false, 4},
  };
  for (const Step& s : steps) {
    const LPARAM where = s.where == In ? MAKELPARAM(10, 10) : MAKELPARAM(-10, 10);
    SendMessageA(button, s.message, s.keys, where);
    EXPECT_EQ(State(), s.state) << s.what;
    EXPECT_EQ(GetCapture() == button, s.captured) << s.what;
    EXPECT_EQ(test::testClicks, s.clicks) << s.what;
  }
}

TEST_F(ButtonTest, MovingStraightOntoANeighbourDarkensTheFirstAndLightsTheNextOnItsMove) {
  HWND neighbour = test::TestButtonWindow.instance->ControlWindow(2);
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  ASSERT_EQ(State(), VisualState::Hot);
  POINT onNeighbour = {5, 5};
  MapWindowPoints(neighbour, button, &onNeighbour, 1);
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(onNeighbour.x, onNeighbour.y));
  EXPECT_EQ(State(), VisualState::Normal);
  EXPECT_EQ(GetCapture(), nullptr);
  SendMessageA(neighbour, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCapture(), neighbour);
}

TEST_F(ButtonTest, DisabledButtonTakesNoInputAndRaisesNoClick) {
  HWND disabled = test::TestButtonWindow.instance->ControlWindow(3);
  EXPECT_FALSE(IsWindowEnabled(disabled));
  auto* self = reinterpret_cast<controls::PicButtonWindow*>(GetWindowLongPtrA(disabled, GWLP_USERDATA));
  for (UINT message : {static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_LBUTTONDOWN),
                       static_cast<UINT>(WM_LBUTTONUP)}) {
    SendMessageA(disabled, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(5, 5));
    EXPECT_EQ(self->visualState(), VisualState::Normal);
    EXPECT_NE(GetCapture(), disabled);
  }
  EXPECT_EQ(test::testClicks, 0);
  // Without a disabled picture it shows its normal one.
  EXPECT_TRUE(Near(ClientPixel(disabled, 4, 28), Rgb(0xCB0892))) << test::Hex(ClientPixel(disabled, 4, 28));
  // Disabling a lit button keeps its hot picture; it shows as soon as it changes.
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EnableWindow(button, FALSE);
  EXPECT_TRUE(Near(ClientPixel(button, 4, 28), Rgb(0x01D1FF))) << test::Hex(ClientPixel(button, 4, 28));
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(test::testClicks, 0);
}

TEST_F(ButtonTest, AreaBeyondThePictureIsBlack) {
  HWND big = test::TestButtonWindow.instance->ControlWindow(2);  // 60 x 40, pictures 32 x 19
  EXPECT_TRUE(Near(ClientPixel(big, 3, 3), Rgb(0x00A7FF)));
  EXPECT_EQ(ClientPixel(big, 45, 5), RGB(0, 0, 0));
  EXPECT_EQ(ClientPixel(big, 5, 30), RGB(0, 0, 0));
  EXPECT_EQ(ClientPixel(big, 59, 39), RGB(0, 0, 0));
}

TEST_F(ButtonTest, ShapeBoxPressesDragTheWindow) {
  HWND shape = test::TestButtonWindow.instance->ControlWindow(4);
  MSG press = {shape, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), 0, {}};
  EXPECT_TRUE(test::TestButtonWindow.instance->PreTranslate(press));  // the shape box never sees it
  MSG peek;
  ASSERT_TRUE(PeekMessageA(&peek, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
  EXPECT_EQ(peek.wParam, static_cast<WPARAM>(HTCAPTION));
}

TEST_F(ButtonTest, EventsRaisedUnderTheHoldAreDropped) {
  // A click that is waiting when a window starts loading runs before the hold;
  // one that the build itself leaves queued is dropped, not queued for later.
  PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  ASSERT_TRUE(LoadWindow(MainWindow, nullptr, false));
  EXPECT_EQ(test::testClicks, 1);
  EXPECT_EQ(app::EventHold(), 0u);
  DestroyWindow(MainWindow.instance->handle());
}

}  // namespace
