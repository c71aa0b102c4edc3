// The program as a whole, in child processes: how it ends, and what the tool receives.

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

constexpr char kTitle[] = "TovrinSundrake  -- Tovrin";

// The program with the stand-in tool and the three images beside it.
std::string Stage(const std::string& folder) {
  test::CopyTo(test::BuildPath("TovrinSundrake.exe"), folder, "TovrinSundrake.exe");
  test::CopyTo(test::StandIn(), folder, "Ghost32.exe");
  for (const char* image : {"HD3.GHO", "HD4.GHO", "HD5.GHO"}) test::WriteFileText(folder + "\\" + image, "image");
  return folder + "\\TovrinSundrake.exe";
}

TEST(Program, EndsWithZeroByExitCloseAndEsc) {
  enum Road { ExitButton, CloseButton, Esc };
  for (Road road : {ExitButton, CloseButton, Esc}) {
    SCOPED_TRACE(road);
    const std::string exe = Stage(test::MakeTempFolder("ends" + std::to_string(road)));
    test::Child child;
    ASSERT_TRUE(child.Start(exe));
    HWND main = child.FindTopWindow("TovrinWindow", kTitle);
    ASSERT_NE(main, nullptr);
    if (road == ExitButton) test::PostClick(test::FindChildByIndex(main, 0));
    if (road == CloseButton) test::PostClick(test::FindChildByIndex(main, 5));
    if (road == Esc) PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(child.Wait(), 0u);
  }
}

TEST(Program, StartUpThatCannotBuildItsWindowShowsOneErrorAndEndsWithMinusOne) {
  const std::string folder = test::MakeTempFolder("broken");
  ASSERT_TRUE(test::CopyTo(test::BuildPath("tests/tovrin_broken_start.exe"), folder, "broken.exe"));
  test::Child child;
  ASSERT_TRUE(child.Start(folder + "\\broken.exe"));
  HWND box = child.FindTopWindow("#32770", nullptr);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(test::FindTopWindowCount(child), 1);  // the box alone: no window of the program
  wchar_t text[256] = L"";
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  EXPECT_NE(std::wstring(text).find(L"无法创建主窗口"), std::wstring::npos);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(child.Wait(), 0xFFFFFFFFu);
}

// ProgramDirectory, the current directory and the tool's command line, seen from the tool.
TEST(Program, ToolReceivesTheLineForEachKindOfFolder) {
  struct Case {
    const char* what;
    std::string folder;   // where the program runs
    std::string directory;  // ProgramDirectory as the tool should see it
    std::string cwd;
  };
  const std::string plain = test::MakeTempFolder("e2e\\plain");
  const std::string blank = test::MakeTempFolder("e2e\\My Tools");
  const std::string trail = test::MakeTempFolder("e2e\\\xD5\x5C");  // a GBK character ending in 0x5C
  // Drive Q: is a folder of the build; clear what an earlier run left there.
  for (const char* name : {"TovrinSundrake.exe", "Ghost32.exe", "HD3.GHO", "HD4.GHO", "HD5.GHO"})
    DeleteFileA((std::string("Q:\\") + name).c_str());
  std::vector<Case> cases = {
      {"plain folder", plain, plain, plain},
      {"folder with a blank", blank, blank, blank},
      {"folder ending in a 0x5C trail byte", trail, trail, trail},
      {"drive root", "Q:", "Q:", "Q:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string exe = Stage(c.folder);
    const std::string log = test::MakeTempFolder("e2e-logs") + "\\launch.log";
    SetEnvironmentVariableA("TOVRIN_STANDIN_LOG", log.c_str());
    test::Child child;
    // Started elsewhere: the program makes its own folder the current one.
    ASSERT_TRUE(child.Start(exe, test::BuildPath("")));
    HWND main = child.FindTopWindow("TovrinWindow", kTitle);
    ASSERT_NE(main, nullptr);
    test::PostClick(test::FindChildByIndex(main, 3));  // the four-partition button
    HWND box = child.FindTopWindow("#32770", nullptr);
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDYES, 0);
    std::vector<std::string> records = test::ReadLaunches(log, 1);
    ASSERT_EQ(records.size(), 1u);
    const std::string line = c.directory + "\\Ghost32.exe -nousb -clone,mode=pload,src=" + c.directory +
                             "\\HD4.gho:1,dst=1:1 -crcignore -sure -fx";
    EXPECT_NE(records[0].find("command line: " + line + "\r\n"), std::string::npos) << records[0];
    EXPECT_NE(records[0].find("current directory: " + c.cwd + "\r\n"), std::string::npos) << records[0];
    PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(child.Wait(), 0u);
  }
}

}  // namespace
