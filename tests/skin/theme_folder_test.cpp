// Theme folders as a user makes them: exported, changed, loaded and worn; each way a folder is
// refused; SkinSetTheme from the wrong thread; "auto" following the system's app mode.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gallery/gallery.h"
#include "skin/look/items.h"
#include "skin/skin.h"
#include "tests/support/desktop.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;
using skin::look::Theme;

const char* const FolderFiles[] = {"theme.ini", "ButtonFaceStrip.bmp", "ComboButtonParts.bmp",
                                   "CheckGlyphs.bmp", "OptionCircleStrip.bmp", "HeaderFaceStrip.bmp"};
constexpr COLORREF Top = 0x0060C020, Bottom = 0x006020C0;
constexpr COLORREF LightArrow = 0x005F5519, DarkBorder = 0x00996E3D;

// The test's folder, under the temporary directory (an ASCII path).
std::string Folder() {
  char directory[MAX_PATH];
  GetTempPathA(MAX_PATH, directory);
  return std::string(directory) + "theme-folder-test";
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

void RemoveFolder() {
  for (const char* file : FolderFiles) {
    DeleteFileA((Folder() + "\\" + file).c_str());
    RemoveDirectoryA((Folder() + "\\" + file).c_str());
  }
  RemoveDirectoryA(Folder().c_str());
}

// A fresh folder holding `theme`.
std::wstring Exported(const Theme& theme) {
  RemoveFolder();
  std::wstring problem;
  EXPECT_TRUE(skin::look::ExportThemeFolder(theme, Wide(Folder()), &problem)) << problem;
  return Wide(Folder());
}

void Write(const char* file, const std::string& bytes) {
  std::ofstream(Folder() + "\\" + file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Ini() {
  std::ifstream file(Folder() + "\\theme.ini", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// theme.ini with one line's value replaced, or the line dropped when there is no `value`.
void ChangeKey(const std::string& key, const std::optional<std::string>& value) {
  std::string ini = Ini();
  const size_t line = ini.find("\n" + key + " = ");
  ASSERT_NE(line, std::string::npos);
  ini.replace(line + 1, ini.find('\n', line + 1) - line, value ? key + " = " + *value + "\n" : "");
  Write("theme.ini", ini);
}

void Put(std::string* b, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) b->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A BMP with a header of `headerSize` bytes (12: the core header, 124: version 5), Top in its
// upper half and Bottom in its lower half, its rows stored from the top when `topDown`.
std::string Bmp(int width, int height, uint32_t headerSize, bool topDown, int bits = 24,
                int compression = 0) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  std::string b = "BM";
  Put(&b, 14 + headerSize + stride * height, 4);
  Put(&b, 0, 4);
  Put(&b, 14 + headerSize, 4);
  Put(&b, headerSize, 4);
  if (headerSize == 12) {
    Put(&b, width, 2), Put(&b, height, 2), Put(&b, 1, 2), Put(&b, bits, 2);
  } else {
    Put(&b, width, 4), Put(&b, topDown ? -height : height, 4), Put(&b, 1, 2), Put(&b, bits, 2);
    Put(&b, compression, 4);
    b.resize(14 + headerSize, '\0');
  }
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    const COLORREF c = y < height / 2 ? Top : Bottom;
    for (int x = 0; x < width; ++x) Put(&b, GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 3);
    b.append(stride - width * 3, '\0');
  }
  return b;
}

class ThemeFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dressed_ = std::make_unique<DressedStandardGallery>(20, 20);
    c_ = dressed_->controls();
    ASSERT_TRUE(dressed_->dressed());
  }
  void TearDown() override {
    dressed_.reset();
    RemoveFolder();
  }
  std::unique_ptr<DressedStandardGallery> dressed_;
  gallery::StandardControls c_;
};

TEST_F(ThemeFolderTest, AnExportedFolderChangedIsLoadedAndWornWithItsChanges) {
  const std::wstring folder = Exported(skin::look::DarkTheme());
  ChangeKey("Border", "#123456");
  Write("CheckGlyphs.bmp", Bmp(18, 24, 124, true));
  Write("HeaderFaceStrip.bmp", Bmp(9, 20, 12, false));
  Write("ButtonFaceStrip.bmp", Bmp(7, 84, 56, false));
  Write("OptionCircleStrip.bmp", Bmp(13, 52, 108, true));
  Theme theme;
  std::wstring problem;
  std::vector<std::wstring> warnings;
  ASSERT_TRUE(skin::look::LoadThemeFolder(folder, &theme, &problem, &warnings));
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(theme.Colours[skin::look::RoleBorder], 0x00563412u);
  EXPECT_EQ(theme.Images[skin::look::ImageCheckGlyphs][0], Top);
  EXPECT_EQ(theme.Images[skin::look::ImageCheckGlyphs][23 * 18 + 17], Bottom);
  EXPECT_EQ(theme.Images[skin::look::ImageHeaderFaces][0], Top);
  EXPECT_EQ(theme.Images[skin::look::ImageHeaderFaces][19 * 9], Bottom);

  ASSERT_EQ(skin::SkinSetTheme(folder.c_str()), 1);
  Pump(150);
  EXPECT_EQ(skin::look::Colour(skin::look::RoleBorder), 0x00563412u);
  // The tick, drawn from the upper rows of the check glyphs, of the gallery's checked box.
  EXPECT_EQ(WindowPixel(c_.check, 10, 6), Top);
}

TEST_F(ThemeFolderTest, WhatAFolderLeavesOutIsTheLightThemesWithOneWarningEach) {
  const std::wstring folder = Exported(skin::look::DarkTheme());
  DeleteFileA((Folder() + "\\ComboButtonParts.bmp").c_str());
  ChangeKey("Arrow", std::nullopt);
  // Lines ended by CR alone, names in lower case and [Colours] given twice read as usual.
  std::string ini = "[colours]\rBoder = #000000\r" + Ini();
  for (char& c : ini) c = c == '\n' ? '\r' : static_cast<char>(tolower(c));
  Write("theme.ini", ini);
  Theme theme;
  std::wstring problem;
  std::vector<std::wstring> warnings;
  ASSERT_TRUE(skin::look::LoadThemeFolder(folder, &theme, &problem, &warnings));
  const std::wstring place = L"theme folder " + folder + L": ";
  EXPECT_EQ(warnings, (std::vector<std::wstring>{
                          place + L"theme.ini: line 2: [colours] boder is not a theme item; ignored",
                          place + L"[Colours] Arrow is missing; the light theme's is used",
                          place + L"ComboButtonParts.bmp is missing; the light theme's is used"}));
  EXPECT_EQ(theme.Colours[skin::look::RoleArrow], LightArrow);
  EXPECT_EQ(theme.Colours[skin::look::RoleBorder], DarkBorder);
  EXPECT_EQ(theme.Images[skin::look::ImageComboParts],
            skin::look::LightTheme().Images[skin::look::ImageComboParts]);
}

TEST_F(ThemeFolderTest, EachBadFolderIsRefusedInOneLineAndTheLookStays) {
  const std::wstring folder = Wide(Folder());
  const char* const glyphs = "CheckGlyphs.bmp";
  const auto utf16 = [](std::string text) {
    for (char c : Ini()) text += c, text += '\0';
    return text;
  };
  struct Case {
    std::function<void()> spoil;
    std::wstring line;  // after "theme folder FOLDER: "
  };
  const Case cases[] = {
      {[&] { RemoveFolder(); }, L"no such folder"},
      {[&] { DeleteFileA((Folder() + "\\theme.ini").c_str()); }, L"it has no theme.ini"},
      {[&] { ChangeKey("Border", "#12GG34"); },
       L"theme.ini: [Colours] Border = \"#12GG34\" is not a colour of the form #RRGGBB"},
      {[&] { ChangeKey("CaptionInset", "65"); },
       L"theme.ini: [Sizes] CaptionInset = \"65\" is not a size from 0 to 64"},
      {[&] { Write(glyphs, Bmp(18, 23, 40, false)); },
       L"CheckGlyphs.bmp is 18 x 23 pixels; it must be 18 x 24"},
      {[&] { Write(glyphs, Bmp(18, 24, 40, false, 8)); },
       L"CheckGlyphs.bmp is not a 24-bit uncompressed BMP (it has 8 bits per pixel)"},
      {[&] { Write(glyphs, Bmp(18, 24, 40, false, 24, BI_RLE8)); },
       L"CheckGlyphs.bmp is not a 24-bit uncompressed BMP (it has 24 bits per pixel, compressed)"},
      {[&] { Write(glyphs, Bmp(18, 24, 124, true).substr(0, 400)); },
       L"CheckGlyphs.bmp is cut short in its pixels"},
      {[&] { Write(glyphs, Bmp(18, 24, 40, false).substr(0, 30)); },
       L"CheckGlyphs.bmp is cut short in its header"},
      {[&] { Write(glyphs, "GIF89a" + std::string(2000, '\0')); }, L"CheckGlyphs.bmp is not a BMP image"},
      {[&] { Write("theme.ini", std::string(65 * 1024, ';')); },
       L"theme.ini is larger than 64 KiB"},
      {[&] { ChangeKey("Border", std::string("#1\0\x1B" "234", 7)); },
       L"theme.ini: [Colours] Border = \"#1\\x00\\x1B234\" is not a colour of the form #RRGGBB"},
      {[&] { Write("theme.ini", "[colours]\r= #3D6E99\r" + Ini()); },
       L"theme.ini: line 2 \"= #3D6E99\" has no key before the ="},
      {[&] { Write("theme.ini", "[colours]\rborder = #000000\r" + Ini()); },
       L"theme.ini: line 11: [Colours] Border is given twice (first on line 2)"},
      {[&] { Write("theme.ini", utf16("\xFF\xFE")); }, L"theme.ini is UTF-16 text; it must be UTF-8"},
      {[&] { Write("theme.ini", utf16("")); }, L"theme.ini is UTF-16 text; it must be UTF-8"},
      {[&] { ChangeKey("Border", "#3D6E99 \xE9"); }, L"theme.ini is not UTF-8 text: line 9 has the byte \\xE9"},
      {[&] { Write(glyphs, Bmp(18, 24, 41, false)); }, L"CheckGlyphs.bmp has an unknown BMP header of 41 bytes"},
      {[&] { Write(glyphs, Bmp(18, 24, 64, false)); }, L"CheckGlyphs.bmp has an unknown BMP header of 64 bytes"},
      {[&] {
         const std::string path = Folder() + "\\" + glyphs;
         DeleteFileA(path.c_str()), CreateDirectoryA(path.c_str(), nullptr);
       },
       L"CheckGlyphs.bmp is a folder, not a file"},
      {[&] { Write(glyphs, Bmp(18, 24, 40, false).replace(10, 1, 1, '\x14')); },
       L"CheckGlyphs.bmp has its pixels at byte 20, inside its headers, which end at byte 54"},
  };
  ASSERT_EQ(skin::SkinSetTheme(L"dark"), 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Exported(skin::look::LightTheme());
    c.spoil();
    Theme theme;
    std::wstring problem;
    std::vector<std::wstring> warnings;
    EXPECT_FALSE(skin::look::LoadThemeFolder(folder, &theme, &problem, &warnings));
    EXPECT_EQ(problem, L"theme folder " + folder + L": " + c.line);
    EXPECT_EQ(skin::SkinSetTheme(folder.c_str()), 0);
    EXPECT_EQ(skin::look::CurrentTheme().Name, L"dark");
    EXPECT_EQ(skin::look::Colour(skin::look::RoleBorder), DarkBorder);
  }
}

DWORD WINAPI SetDarkElsewhere(void*) { return static_cast<DWORD>(skin::SkinSetTheme(L"dark")); }

TEST_F(ThemeFolderTest, AnotherThreadCannotChangeTheLook) {
  const HANDLE thread = CreateThread(nullptr, 0, &SetDarkElsewhere, nullptr, 0, nullptr);
  ASSERT_TRUE(thread);
  WaitForSingleObject(thread, 5000);
  DWORD result = 1;
  GetExitCodeThread(thread, &result);
  CloseHandle(thread);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(skin::look::CurrentTheme().Name, L"light");
  EXPECT_EQ(skin::look::Colour(skin::look::RoleBorder), 0x00D5A554u);
}

// AppsUseLightTheme in the prefix's registry while it lives.
class AppMode {
 public:
  AppMode() {
    RegCreateKeyExW(HKEY_CURRENT_USER,
                    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0, nullptr, 0,
                    KEY_SET_VALUE, nullptr, &key_, nullptr);
  }
  ~AppMode() {
    RegDeleteValueW(key_, L"AppsUseLightTheme");
    RegCloseKey(key_);
  }
  void Set(DWORD light) {
    RegSetValueExW(key_, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light),
                   sizeof light);
  }

 private:
  HKEY key_ = nullptr;
};

TEST_F(ThemeFolderTest, AutoFollowsTheSystemsAppModeAsItChanges) {
  AppMode mode;
  mode.Set(0);
  ASSERT_EQ(skin::SkinSetTheme(L"auto"), 1);
  EXPECT_EQ(skin::look::CurrentTheme().Name, L"dark");
  EXPECT_EQ(skin::look::Colour(skin::look::RoleBorder), DarkBorder);
  mode.Set(1);
  SendMessageW(c_.form, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  EXPECT_EQ(skin::look::CurrentTheme().Name, L"light");
  EXPECT_EQ(skin::look::Colour(skin::look::RoleBorder), 0x00D5A554u);
}

}  // namespace
