// Logic with no window in it: the program directory, texts, picture choice, shapes.

#include <gtest/gtest.h>

#include <cstring>

#include "app/ProgramDirectory.h"
#include "controls/PictureChoice.h"
#include "controls/ShapeGeometry.h"
#include "restore/Texts.h"
#include "TestSupport.h"

namespace {

using controls::PictureSlot;
using controls::VisualState;

TEST(ProgramDirectory, CutsAtTheLastTrueBackslash) {
  struct Case {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Tools\\TovrinSundrake.exe", "C:\\Tools"},
      {"D:\\TovrinSundrake.exe", "D:"},
      {"TovrinSundrake.exe", ""},
      {"\\\\server\\share\\a.exe", "\\\\server\\share"},
      // 0xD5 0x5C is one GBK character whose trail byte is a backslash.
      {"C:\\\xD5\x5C\\a.exe", "C:\\\xD5\x5C"},
      {"C:\\dir\\\xD5\x5C.exe", "C:\\dir"},
      {"C:\\\xB1\xED\\\xD5\x5C\xD5\x5C", "C:\\\xB1\xED"},
  };
  for (const Case& c : cases) {
    std::string got = app::DirectoryOfModulePath(c.path, static_cast<DWORD>(strlen(c.path)), MAX_PATH, 936);
    EXPECT_EQ(got, c.expected) << c.path;
  }
  // The trail byte really is part of one character in code page 936.
  EXPECT_EQ(test::FromGbk("\xD5\x5C").size(), 1u);
}

TEST(ProgramDirectory, PathThatFillsTheBufferGivesNothing) {
  // Without room for its zero the platform gives back the buffer size and no terminator.
  char path[MAX_PATH];
  memset(path, 'a', sizeof path);
  path[0] = 'C';
  path[1] = ':';
  path[2] = '\\';
  path[10] = '\\';
  EXPECT_EQ(app::DirectoryOfModulePath(path, MAX_PATH, MAX_PATH, 936), "");
  // One byte shorter fits, zero included.
  path[MAX_PATH - 1] = '\0';
  EXPECT_EQ(app::DirectoryOfModulePath(path, MAX_PATH - 1, MAX_PATH, 936), std::string(path, 10));
  EXPECT_EQ(app::DirectoryOfModulePath(path, 0, MAX_PATH, 936), "");
}

TEST(JoinTexts, JoinsInOrderWithAbsentPiecesEmpty) {
  EXPECT_STREQ(JoinTexts({"D:\\Tools", "\\HD4.GHO"}).get(), "D:\\Tools\\HD4.GHO");
  EXPECT_STREQ(JoinTexts({nullptr, "\\Ghost32.exe"}).get(), "\\Ghost32.exe");
  EXPECT_STREQ(JoinTexts({nullptr}).get(), "");
  EXPECT_STREQ(JoinTexts({"", "a", nullptr, "b"}).get(), "ab");
}

TEST(RestoreTexts, AreTheExactCharactersInCodePage936) {
  EXPECT_EQ(test::FromGbk(kToolMissingMessage), L"主程序 Ghost32.exe 不存在");
  EXPECT_EQ(test::FromGbk(kNoticeCaption), L"提示");
  EXPECT_EQ(test::FromGbk(kWarningMessage), L"该操作将删除硬盘所有数据\xFF0C是否继续\xFF1F");
  EXPECT_EQ(std::string(kWarningMessage).substr(24), "\xA3\xAC\xCA\xC7\xB7\xF1\xBC\xCC\xD0\xF8\xA3\xBF");
  EXPECT_EQ(test::FromGbk(kWarningCaption), L"警告");
  EXPECT_STREQ(kToolName, "\\Ghost32.exe");
  EXPECT_STREQ(kCommandHead, "\\Ghost32.exe -nousb -clone,mode=pload,src=");
  struct Row {
    ImageBase image;
    const char* tested;
    const wchar_t* message;
    const char* tail;
  } rows[] = {
      {ImageBase::HD3, "\\HD3.GHO", L"Ghost 映象文件 HD3.GHO 不存在", "\\HD3.gho:1,dst=1:1 -crcignore -sure -fx"},
      {ImageBase::HD4, "\\HD4.GHO", L"Ghost 映象文件 HD4.GHO 不存在", "\\HD4.gho:1,dst=1:1 -crcignore -sure -fx"},
      {ImageBase::HD5, "\\HD5.GHO", L"Ghost 映象文件 HD5.GHO 不存在", "\\HD5.gho:1,dst=1:1 -crcignore -sure -fx"},
  };
  for (const Row& row : rows) {
    const ImageTexts& t = TextsOf(row.image);
    EXPECT_STREQ(t.testedName, row.tested);
    EXPECT_EQ(test::FromGbk(t.missingMessage), row.message);
    EXPECT_STREQ(t.commandTail, row.tail);
  }
}

TEST(PictureChoice, FallsBackToTheNormalPicture) {
  struct Case {
    VisualState state;
    bool enabled, hot, pressed, disabled;
    PictureSlot expected;
  } cases[] = {
      {VisualState::Normal, true, true, true, true, PictureSlot::Normal},
      {VisualState::Hot, true, true, false, false, PictureSlot::Hot},
      {VisualState::Hot, true, false, false, false, PictureSlot::Normal},
      {VisualState::Pressed, true, true, false, false, PictureSlot::Normal},  // the program's buttons
      {VisualState::Pressed, true, true, true, false, PictureSlot::Pressed},
      {VisualState::Hot, false, true, true, true, PictureSlot::Disabled},
      {VisualState::Hot, false, true, true, false, PictureSlot::Hot},  // keeps its state's picture
      {VisualState::Normal, false, false, false, false, PictureSlot::Normal},
  };
  for (const Case& c : cases)
    EXPECT_EQ(controls::ChoosePicture(c.state, c.enabled, c.hot, c.pressed, c.disabled), c.expected)
        << static_cast<int>(c.state) << c.enabled << c.hot << c.pressed << c.disabled;
}

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::string Show(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

TEST(ShapeGeometry, FiguresRectanglesAndCorners) {
  const RECT wide = {0, 0, 100, 50}, tall = {0, 0, 50, 100};
  using controls::Figure;
  struct Case {
    int shape, relief;
    RECT client;
    Figure figure;
    RECT first;
    int passes;
    RECT second;
    int cornerW, cornerH;
  } cases[] = {
      {0, 0, wide, Figure::Rectangle, {0, 0, 100, 50}, 1, {-1, -1, 99, 49}, 20, 10},
      {1, 0, wide, Figure::Rectangle, {25, 0, 75, 50}, 1, {24, -1, 74, 49}, 20, 10},
      {1, 0, tall, Figure::Rectangle, {0, 25, 50, 75}, 1, {-1, 24, 49, 74}, 10, 20},
      {2, 0, wide, Figure::Ellipse, {0, 0, 100, 50}, 1, {-1, -1, 99, 49}, 20, 10},
      {3, 0, tall, Figure::Ellipse, {0, 25, 50, 75}, 1, {-1, 24, 49, 74}, 10, 20},
      {4, 0, wide, Figure::RoundRect, {0, 0, 100, 50}, 1, {-1, -1, 99, 49}, 20, 10},
      // The rounded square keeps the corners of the unsquared size.
      {5, 0, wide, Figure::RoundRect, {25, 0, 75, 50}, 1, {24, -1, 74, 49}, 20, 10},
      {5, 0, tall, Figure::RoundRect, {0, 25, 50, 75}, 1, {-1, 24, 49, 74}, 10, 20},
      {6, 0, wide, Figure::HorizontalLine, {0, 0, 100, 50}, 1, {0, -1, 100, 50}, 20, 10},
      {7, 0, tall, Figure::VerticalLine, {0, 0, 50, 100}, 1, {-1, 0, 50, 100}, 10, 20},
      // A relief moves the first figure in by a pixel on its starting side, before squaring.
      {0, 1, wide, Figure::Rectangle, {1, 1, 100, 50}, 2, {0, 0, 99, 49}, 19, 9},
      {1, 2, wide, Figure::Rectangle, {26, 1, 75, 50}, 2, {25, 0, 74, 49}, 19, 9},
      {6, 1, wide, Figure::HorizontalLine, {0, 1, 100, 50}, 2, {0, 0, 100, 50}, 20, 9},
      {7, 2, tall, Figure::VerticalLine, {1, 0, 50, 100}, 2, {0, 0, 50, 100}, 9, 20},
      {8, 0, wide, Figure::None, {0, 0, 100, 50}, 1, {-1, -1, 99, 49}, 20, 10},
      {-1, 0, wide, Figure::None, {0, 0, 100, 50}, 1, {-1, -1, 99, 49}, 20, 10},
  };
  for (const Case& c : cases) {
    controls::ShapeBoxSettings s;
    s.Shape = c.shape;
    s.Relief = c.relief;
    const controls::ShapePlan plan = controls::PlanShape(s, c.client, 0x123456);
    SCOPED_TRACE("shape " + std::to_string(c.shape) + " relief " + std::to_string(c.relief));
    EXPECT_EQ(plan.figure, c.figure);
    EXPECT_TRUE(plan.passes[0].rect == c.first) << Show(plan.passes[0].rect);
    EXPECT_EQ(plan.passCount, c.passes);
    if (c.passes == 2) {
      EXPECT_TRUE(plan.passes[1].rect == c.second) << Show(plan.passes[1].rect);
    }
    EXPECT_EQ(plan.cornerWidth, c.cornerW);
    EXPECT_EQ(plan.cornerHeight, c.cornerH);
  }
}

TEST(ShapeGeometry, PensBrushesAndColours) {
  using controls::kNoColour;
  struct Case {
    int relief, lineStyle, lineWidth;
    int penStyle, penWidth;
    COLORREF first, second;
  } cases[] = {
      {0, 0, 3, PS_NULL, 0, 0x0000FF, 0},
      {0, 1, 1, PS_INSIDEFRAME, 0, 0x0000FF, 0},
      {0, 1, 2, PS_INSIDEFRAME, 2, 0x0000FF, 0},  // only a flat solid outline is wide
      {0, 2, 4, PS_DASH, 0, 0x0000FF, 0},
      {0, 3, 4, PS_DOT, 0, 0x0000FF, 0},
      {0, 4, 4, PS_DASHDOT, 0, 0x0000FF, 0},
      {0, 5, 4, PS_DASHDOTDOT, 0, 0x0000FF, 0},
      {0, 99, 1, PS_DASHDOTDOT, 0, 0x0000FF, 0},
      {1, 1, 4, PS_INSIDEFRAME, 0, 0xFFFFFF, 0x000000},  // reliefs ignore LineColour
      {2, 1, 4, PS_INSIDEFRAME, 0, 0x000000, 0xFFFFFF},
      {7, 2, 4, PS_DASH, 0, 0x000000, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    controls::ShapeBoxSettings s;
    s.Relief = c.relief;
    s.LineStyle = c.lineStyle;
    s.LineWidth = c.lineWidth;
    s.LineColour = 0x0000FF;
    const controls::ShapePlan plan = controls::PlanShape(s, RECT{0, 0, 10, 10}, 0x123456);
    SCOPED_TRACE("relief " + std::to_string(c.relief) + " style " + std::to_string(c.lineStyle));
    EXPECT_EQ(plan.penStyle, c.penStyle);
    EXPECT_EQ(plan.penWidth, c.penWidth);
    EXPECT_EQ(plan.passes[0].penColour, c.first);
    if (plan.passCount == 2) {
      EXPECT_EQ(plan.passes[1].penColour, c.second);
    }
    EXPECT_EQ(plan.backColour, 0x123456u);  // no colour: the button face given
    EXPECT_TRUE(plan.passes[0].hollow);
    EXPECT_TRUE(plan.passes[1].hollow);
  }
  controls::ShapeBoxSettings filled;
  filled.BackColour = 0x00FF00;
  filled.FillColour = 0x0000FF;
  const controls::ShapePlan plan = controls::PlanShape(filled, RECT{0, 0, 10, 10}, 0x123456);
  EXPECT_EQ(plan.backColour, 0x00FF00u);
  EXPECT_FALSE(plan.passes[0].hollow);
  EXPECT_EQ(plan.passes[0].brushColour, 0x0000FFu);
}

}  // namespace
