// The restore actions with real files, real message boxes and the stand-in tool.

#include <gtest/gtest.h>

#include "restore/Restore.h"
#include "TestSupport.h"

namespace {

using test::BoxWatcher;

const wchar_t kToolMissing[] = L"主程序 Ghost32.exe 不存在";
const wchar_t kWarning[] = L"该操作将删除硬盘所有数据\xFF0C是否继续\xFF1F";

class RestoreTest : public ::testing::Test {
 protected:
  void Use(const std::string& leaf) {
    folder = test::MakeTempFolder(leaf);
    log = folder + "-launches.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("TOVRIN_STANDIN_LOG", log.c_str());
    app::PrepareForTesting(folder.c_str());
  }
  void AddTool() { ASSERT_TRUE(test::CopyTo(test::StandIn(), folder, "Ghost32.exe")); }
  void AddImage(const char* name) { ASSERT_TRUE(test::WriteFileText(folder + "\\" + name, "image")); }
  std::string ExpectedLine(const char* image) const {
    return folder + "\\Ghost32.exe -nousb -clone,mode=pload,src=" + folder + "\\" + image +
           ".gho:1,dst=1:1 -crcignore -sure -fx";
  }
  std::string folder, log;
};

TEST_F(RestoreTest, SequenceOfTestsBoxesAndLaunch) {
  struct Case {
    const char* what;
    bool tool, image;
    std::vector<int> answers;
    std::vector<std::wstring> texts;
    size_t launches;
  } cases[] = {
      {"nothing there", false, false, {IDOK}, {kToolMissing}, 0},
      {"image missing", true, false, {IDOK}, {L"Ghost 映象文件 HD4.GHO 不存在"}, 0},
      {"image but no tool", false, true, {IDOK}, {kToolMissing}, 0},
      {"answered No", true, true, {IDNO}, {kWarning}, 0},
      {"answered Yes", true, true, {IDYES}, {kWarning}, 1},
      {"Enter answers Yes", true, true, {test::kPressEnter}, {kWarning}, 1},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Use("sequence" + std::to_string(n++));
    if (c.tool) AddTool();
    if (c.image) AddImage("HD4.GHO");
    std::vector<test::BoxRecord> boxes;
    {
      BoxWatcher watcher(c.answers);
      RestoreAction(ImageBase::HD4);
      boxes = watcher.boxes();
    }
    ASSERT_EQ(boxes.size(), c.texts.size());
    for (size_t i = 0; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].text, c.texts[i]);
    // A launch writes its record before it ends; wait a little for one that should not come.
    EXPECT_EQ(test::ReadLaunches(log, c.launches == 0 ? 1 : c.launches, c.launches == 0 ? 20 : 100).size(),
              c.launches);
  }
}

TEST_F(RestoreTest, BoxesHaveTheirCaptionsIconsAndButtons) {
  Use("boxes");
  std::vector<test::BoxRecord> boxes;
  {
    BoxWatcher watcher({IDOK, IDOK, IDNO});
    RestoreAction(ImageBase::HD5);  // box 1
    AddTool();
    RestoreAction(ImageBase::HD5);  // box 2
    AddImage("HD5.GHO");
    RestoreAction(ImageBase::HD5);  // the warning
    boxes = watcher.boxes();
  }
  ASSERT_EQ(boxes.size(), 3u);
  HICON stop = LoadIconA(nullptr, MAKEINTRESOURCEA(32513));         // IDI_HAND
  HICON information = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_ASTERISK
  EXPECT_EQ(boxes[0].caption, L"提示");
  EXPECT_EQ(boxes[1].caption, L"提示");
  EXPECT_EQ(boxes[1].text, L"Ghost 映象文件 HD5.GHO 不存在");
  EXPECT_EQ(boxes[2].caption, L"警告");
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(boxes[i].hasOk);
    EXPECT_FALSE(boxes[i].hasYes);
    EXPECT_EQ(boxes[i].icon, stop);
  }
  EXPECT_TRUE(boxes[2].hasYes);
  EXPECT_TRUE(boxes[2].hasNo);
  EXPECT_FALSE(boxes[2].hasOk);
  EXPECT_EQ(boxes[2].icon, information);
  for (const auto& box : boxes) EXPECT_EQ(box.owner, nullptr);
}

TEST_F(RestoreTest, EachImageNamesItselfAndTheToolGetsItsExactLine) {
  struct Row {
    ImageBase image;
    const char* name;
  } rows[] = {{ImageBase::HD3, "HD3"}, {ImageBase::HD4, "HD4"}, {ImageBase::HD5, "HD5"}};
  Use("lines");
  AddTool();
  size_t launches = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AddImage((std::string(row.name) + ".GHO").c_str());
    {
      BoxWatcher watcher({IDYES});
      RestoreAction(row.image);
    }
    std::vector<std::string> records = test::ReadLaunches(log, ++launches);
    ASSERT_EQ(records.size(), launches);
    const std::string& record = records.back();
    EXPECT_NE(record.find("command line: " + ExpectedLine(row.name) + "\r\n"), std::string::npos) << record;
    EXPECT_NE(record.find("start-up flags and show mode: 1 1\r\n"), std::string::npos) << record;  // SW_SHOWNORMAL
  }
}

TEST_F(RestoreTest, TheTestedToolIsStartedNotAProgramAtABlank) {
  // "...\x\My Tools\Ghost32.exe -nousb ..." unquoted would first try "...\x\My.exe".
  Use("x\\My Tools");
  const std::string parent = folder.substr(0, folder.rfind('\\'));
  ASSERT_TRUE(test::CopyTo(test::StandIn(), parent, "My.exe"));
  AddTool();
  AddImage("HD3.GHO");
  {
    BoxWatcher watcher({IDYES});
    RestoreAction(ImageBase::HD3);
  }
  std::vector<std::string> records = test::ReadLaunches(log, 2, 30);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].find("program: " + folder + "\\Ghost32.exe\r\n"), std::string::npos) << records[0];
  EXPECT_NE(records[0].find("command line: " + ExpectedLine("HD3") + "\r\n"), std::string::npos) << records[0];
}

TEST_F(RestoreTest, NamesPassByTheSearchWhateverTheirCaseOrKind) {
  struct Case {
    const char* what;
    bool toolIsFolder, toolIsDamaged;
    bool imageIsFolder;
    const char* imageName;
    size_t launches;
  } cases[] = {
      {"image stored in lower case", false, false, false, "hd4.gho", 1},
      {"image is a folder", false, false, true, "HD4.GHO", 1},
      {"tool is a folder", true, false, false, "HD4.GHO", 0},
      {"tool is damaged", false, true, false, "HD4.GHO", 0},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Use("kinds" + std::to_string(n++));
    if (c.toolIsFolder)
      CreateDirectoryA((folder + "\\Ghost32.exe").c_str(), nullptr);
    else if (c.toolIsDamaged)
      test::WriteFileText(folder + "\\Ghost32.exe", "MZ this is not a program");
    else
      AddTool();
    if (c.imageIsFolder)
      CreateDirectoryA((folder + "\\" + c.imageName).c_str(), nullptr);
    else
      AddImage(c.imageName);
    std::vector<test::BoxRecord> boxes;
    {
      BoxWatcher watcher({IDYES});
      RestoreAction(ImageBase::HD4);
      boxes = watcher.boxes();
    }
    // Only the warning: a failed start shows nothing at all.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kWarning);
    EXPECT_EQ(test::ReadLaunches(log, 1, c.launches == 0 ? 20 : 100).size(), c.launches);
  }
}

TEST_F(RestoreTest, EveryConfirmedClickStartsOneMoreToolAndLeavesNoHandle) {
  Use("repeat");
  AddTool();
  AddImage("HD4.GHO");
  auto confirm = [] {
    BoxWatcher watcher({IDYES});
    RestoreAction(ImageBase::HD4);
  };
  confirm();
  ASSERT_EQ(test::ReadLaunches(log, 1).size(), 1u);
  Sleep(300);
  DWORD before = 0, after = 0;
  GetProcessHandleCount(GetCurrentProcess(), &before);
  for (int i = 0; i < 10; ++i) confirm();
  EXPECT_EQ(test::ReadLaunches(log, 11).size(), 11u);
  Sleep(300);
  GetProcessHandleCount(GetCurrentProcess(), &after);
  EXPECT_LE(after, before + 2) << before << " -> " << after;
}

TEST(ShowMessageBox, GivesTheProgramsOwnAnswerNumbers) {
  struct Case {
    UINT style;
    int pressed;
    int answer;
  } cases[] = {
      {MB_OK, IDOK, kAnswerOk},         {MB_OKCANCEL, IDCANCEL, kAnswerCancel},
      {MB_ABORTRETRYIGNORE, IDABORT, kAnswerAbort}, {MB_ABORTRETRYIGNORE, IDRETRY, kAnswerRetry},
      {MB_ABORTRETRYIGNORE, IDIGNORE, kAnswerIgnore}, {MB_YESNO, IDYES, kAnswerYes},
      {MB_YESNO, IDNO, kAnswerNo},
  };
  for (const Case& c : cases) {
    BoxWatcher watcher({c.pressed});
    EXPECT_EQ(ShowMessageBox("text", c.style, "caption"), c.answer) << c.pressed;
  }
  EXPECT_EQ(kAnswerYes, IDYES - 1);
}

}  // namespace
