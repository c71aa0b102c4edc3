// The picture decoder and the resources of the executable.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "picture/JpegDecode.h"
#include "picture/Picture.h"
#include "resources/ResourceIds.h"
#include "TestSupport.h"

namespace {

struct Sample {
  int x, y;
  COLORREF colour;  // 0x00BBGGRR
};
constexpr COLORREF Rgb(unsigned rrggbb) { return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

struct PictureCase {
  int id;
  unsigned width, height;
  std::vector<Sample> samples;  // flat fills, away from edges and text
};

const std::vector<PictureCase>& Pictures() {
  static const std::vector<PictureCase> cases = {
      {IDR_MAIN_BACK, 370, 460, {{5, 5, Rgb(0x00C9FF)}, {5, 455, Rgb(0x00C9FF)}, {30, 100, Rgb(0xF5F5F5)}}},
      {IDR_LAYOUT3_NORMAL, 261, 58, {{5, 5, Rgb(0xCA6E09)}, {250, 50, Rgb(0xCA6E09)}}},
      {IDR_LAYOUT3_HOT, 261, 58, {{5, 5, Rgb(0x055BA6)}, {250, 50, Rgb(0x055BA6)}}},
      {IDR_LAYOUT4_NORMAL, 261, 58, {{5, 5, Rgb(0x07A3CB)}, {250, 50, Rgb(0x07A3CB)}}},
      {IDR_LAYOUT4_HOT, 261, 58, {{5, 5, Rgb(0xFB660A)}, {250, 50, Rgb(0xFB660A)}}},
      {IDR_LAYOUT5_NORMAL, 261, 58, {{5, 5, Rgb(0x1EAD06)}, {250, 50, Rgb(0x1EAD06)}}},
      {IDR_LAYOUT5_HOT, 261, 58, {{5, 5, Rgb(0xFF8D16)}, {250, 50, Rgb(0xFF8D16)}}},
      {IDR_ABOUT_NORMAL, 88, 32, {{4, 28, Rgb(0x00B300)}, {45, 16, Rgb(0x00B300)}}},
      {IDR_ABOUT_HOT, 88, 32, {{4, 28, Rgb(0x01D1FF)}, {45, 16, Rgb(0x01D1FF)}}},
      {IDR_EXIT_NORMAL, 88, 32, {{4, 28, Rgb(0xCB0892)}, {45, 16, Rgb(0xCB0892)}}},
      {IDR_EXIT_HOT, 88, 32, {{4, 28, Rgb(0xFF0100)}, {45, 16, Rgb(0xFF0100)}}},
      {IDR_CLOSE_NORMAL, 32, 19, {{3, 3, Rgb(0x00A7FF)}, {28, 16, Rgb(0x00A7FF)}}},
      {IDR_CLOSE_HOT, 32, 19, {{3, 3, Rgb(0xE6005A)}, {28, 16, Rgb(0xE6005A)}}},
      {IDR_ABOUT_BACK, 368, 273, {{200, 10, Rgb(0x00C9FF)}, {0, 50, Rgb(0x00C9FF)}, {300, 200, Rgb(0xFFFFFF)}}},
      {IDR_OK_NORMAL, 74, 23, {}},
      {IDR_OK_HOT, 74, 23, {}},
  };
  return cases;
}

COLORREF PixelAt(const picture::Pixels& p, int x, int y) {
  const unsigned char* px = p.bgrx.get() + (static_cast<size_t>(y) * p.width + x) * 4;
  return RGB(px[2], px[1], px[0]);
}

TEST(Decoder, EveryPictureHasItsSizeAndColours) {
  for (const PictureCase& c : Pictures()) {
    picture::ByteView bytes = picture::PictureBytes(picture::PictureRef{c.id, nullptr, 0});
    ASSERT_NE(bytes.data, nullptr) << c.id;
    // Baseline (SOF0), 8 bits, three components.
    const unsigned char* sof = nullptr;
    for (size_t i = 2; i + 9 < bytes.size; ++i)
      if (bytes.data[i] == 0xFF && (bytes.data[i + 1] & 0xF0) == 0xC0 && bytes.data[i + 1] != 0xC4 &&
          bytes.data[i + 1] != 0xC8 && bytes.data[i + 1] != 0xCC) {
        sof = bytes.data + i;
        break;
      }
    ASSERT_NE(sof, nullptr) << c.id;
    EXPECT_EQ(sof[1], 0xC0) << c.id;
    EXPECT_EQ(sof[4], 8) << c.id;
    EXPECT_EQ(sof[9], 3) << c.id;

    picture::Pixels pixels;
    ASSERT_TRUE(picture::DecodeJpeg(bytes.data, bytes.size, pixels)) << c.id;
    EXPECT_EQ(pixels.width, c.width) << c.id;
    EXPECT_EQ(pixels.height, c.height) << c.id;
    for (const Sample& s : c.samples)
      EXPECT_TRUE(test::Near(PixelAt(pixels, s.x, s.y), s.colour, 6))
          << c.id << " at " << s.x << "," << s.y << ": " << test::Hex(PixelAt(pixels, s.x, s.y));

    gdi::Bitmap bitmap = picture::DecodePicture(picture::PictureRef{c.id, nullptr, 0});
    ASSERT_TRUE(bitmap) << c.id;
    SIZE size = gdi::BitmapSize(bitmap.get());
    EXPECT_EQ(size.cx, static_cast<LONG>(c.width));
    EXPECT_EQ(size.cy, static_cast<LONG>(c.height));
  }
}

TEST(Decoder, TheMainBackgroundTopAndBottomRowsMatch) {
  picture::ByteView bytes = picture::PictureBytes(picture::PictureRef{IDR_MAIN_BACK, nullptr, 0});
  picture::Pixels p;
  ASSERT_TRUE(picture::DecodeJpeg(bytes.data, bytes.size, p));
  for (unsigned x = 0; x < p.width; x += 7) {
    EXPECT_TRUE(test::Near(PixelAt(p, x, 0), Rgb(0x00C9FF), 6)) << x;
    EXPECT_TRUE(test::Near(PixelAt(p, x, p.height - 1), Rgb(0x00C9FF), 6)) << x;
  }
}

TEST(Decoder, BadBytesGiveNothing) {
  picture::ByteView good = picture::PictureBytes(picture::PictureRef{IDR_LAYOUT3_NORMAL, nullptr, 0});
  std::vector<unsigned char> bytes(good.data, good.data + good.size);
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"not a JPEG", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}});
  cases.push_back({"only the start marker", {0xFF, 0xD8}});
  cases.push_back({"cut in the header", std::vector<unsigned char>(bytes.begin(), bytes.begin() + 100)});
  cases.push_back({"cut in the scan", std::vector<unsigned char>(bytes.begin(), bytes.begin() + bytes.size() / 2)});
  std::vector<unsigned char> zeroSize = bytes;
  for (size_t i = 2; i + 8 < zeroSize.size(); ++i)
    if (zeroSize[i] == 0xFF && zeroSize[i + 1] == 0xC0) {
      zeroSize[i + 5] = zeroSize[i + 6] = 0;  // height 0
      break;
    }
  cases.push_back({"zero height", zeroSize});
  std::vector<unsigned char> huge = bytes;
  for (size_t i = 2; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 7] = 0x7F;  // width 32767
      huge[i + 8] = 0xFF;
      break;
    }
  cases.push_back({"larger than the bound", huge});
  std::vector<unsigned char> noise(5000);
  unsigned seed = 12345;
  for (auto& b : noise) b = static_cast<unsigned char>((seed = seed * 1103515245 + 12345) >> 16);
  noise[0] = 0xFF;
  noise[1] = 0xD8;
  cases.push_back({"noise after the start marker", noise});

  for (const Case& c : cases) {
    picture::Pixels pixels;
    EXPECT_FALSE(picture::DecodeJpeg(c.bytes.data(), c.bytes.size(), pixels)) << c.what;
    EXPECT_EQ(pixels.bgrx, nullptr) << c.what;
    EXPECT_FALSE(picture::DecodePicture(c.bytes.data(), c.bytes.size())) << c.what;
  }
  picture::Pixels pixels;
  EXPECT_FALSE(picture::DecodeJpeg(nullptr, 10, pixels));
}

TEST(Decoder, DamagedScanDataStillDecodes) {
  // Corrupt bytes inside the scan are a warning, not a failure: the picture keeps its size.
  picture::ByteView good = picture::PictureBytes(picture::PictureRef{IDR_MAIN_BACK, nullptr, 0});
  std::vector<unsigned char> bytes(good.data, good.data + good.size);
  for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 40; ++i) bytes[i] ^= 0x5A;
  picture::Pixels pixels;
  if (picture::DecodeJpeg(bytes.data(), bytes.size(), pixels)) {
    EXPECT_EQ(pixels.width, 370u);
    EXPECT_EQ(pixels.height, 460u);
  }
}

TEST(Platform, AnsiCodePageIs936) { EXPECT_EQ(GetACP(), 936u); }

std::string VersionString(const std::string& exe, const char* name) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
  if (size == 0) return "<no version>";
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(exe.c_str(), 0, size, data.data())) return "<no version>";
  char* value = nullptr;
  UINT length = 0;
  std::string key = std::string("\\StringFileInfo\\080404B0\\") + name;
  if (!VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return "<missing>";
  return value;
}

TEST(Resources, VersionBlockOfBothExes) {
  for (const char* relative : {"TovrinSundrake.exe", "../win32/TovrinSundrake.exe"}) {
    const std::string exe = test::BuildPath(relative);
    SCOPED_TRACE(exe);
    EXPECT_EQ(VersionString(exe, "FileVersion"), "1.0.0.0");
    EXPECT_EQ(VersionString(exe, "FileDescription"), "TovrinSundrake  -- Tovrin");
    EXPECT_EQ(VersionString(exe, "ProductName"), "TovrinSundrake  -- Tovrin");
    EXPECT_EQ(VersionString(exe, "ProductVersion"), "1.0.0.0");
    EXPECT_EQ(VersionString(exe, "CompanyName"), "Tovrin");
    EXPECT_EQ(VersionString(exe, "Comments"), "TovrinSundrake  -- Tovrin");

    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x04B0);
  }
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

struct FoundGroup {
  std::string firstName;
  int count = 0;
};
BOOL CALLBACK OnGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
  auto* found = reinterpret_cast<FoundGroup*>(param);
  if (found->count++ == 0) found->firstName = IS_INTRESOURCE(name) ? "#" : name;
  return TRUE;
}

TEST(Resources, IconGroupHasEightImagesAndComesFirst) {
  for (const char* relative : {"TovrinSundrake.exe", "../win32/TovrinSundrake.exe"}) {
    const std::string exe = test::BuildPath(relative);
    SCOPED_TRACE(exe);
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    FoundGroup groups;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, OnGroup, reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups.firstName, "DEFAULT_ICON");
    HRSRC found = FindResourceA(module, "DEFAULT_ICON", MAKEINTRESOURCEA(14));
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    ASSERT_EQ(count, 8);
    std::vector<std::pair<int, int>> images;
    for (int i = 0; i < count; ++i) {
      GroupIconEntry e;
      memcpy(&e, data + 6 + i * sizeof(GroupIconEntry), sizeof e);
      images.emplace_back(e.width == 0 ? 256 : e.width, e.bitCount);
      EXPECT_EQ(e.width, e.height);
    }
    std::sort(images.begin(), images.end());
    const std::vector<std::pair<int, int>> expected = {{16, 8}, {16, 32}, {24, 8}, {24, 32},
                                                       {32, 8}, {32, 32}, {48, 8}, {48, 32}};
    EXPECT_EQ(images, expected);
    FreeLibrary(module);
  }
}

TEST(Resources, HandPointerHasItsHotSpot) {
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER));
  ASSERT_NE(hand, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 1u);
  BITMAP mask;
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);  // monochrome: AND and XOR masks stacked, no colour bitmap
  EXPECT_EQ(info.hbmColor, nullptr);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST(Resources, CloseButtonPicturesAreSharedAndTheRestDistinct) {
  std::vector<std::string> seen;
  for (int id = IDR_FIRST_PICTURE; id <= IDR_LAST_PICTURE; ++id) {
    picture::ByteView b = picture::PictureBytes(picture::PictureRef{id, nullptr, 0});
    ASSERT_NE(b.data, nullptr) << id;
    std::string bytes(reinterpret_cast<const char*>(b.data), b.size);
    for (const std::string& other : seen) EXPECT_NE(bytes, other) << id;
    seen.push_back(bytes);
  }
  EXPECT_EQ(seen.size(), 16u);
}

}  // namespace
