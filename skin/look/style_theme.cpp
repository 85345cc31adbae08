// A visual style worn as a theme: the choice of file or folder, scheme and size; the theme's
// colours read from the style's [SysMetrics]; and the style itself, open while the atlas is.
#include <windows.h>

#include <cwctype>
#include <iterator>
#include <string>

#include "skin/look/items.h"
#include "skin/styles/styles.h"

namespace skin::look {
namespace {

constexpr wchar_t StyleFileEnding[] = L".msstyles";
constexpr wchar_t StyleIndexName[] = L"style.index";
constexpr int StyleChoiceFields = 3;  // path, scheme, size

// The skin's own roles, which no system colour stands for, as the system colour closest to what
// each is in a look drawn in the style's colours.
struct DerivedRole {
  Role role;
  int systemColour;
};
constexpr DerivedRole DerivedRoles[] = {
    {RoleBorder, COLOR_BTNSHADOW},
    {RoleBorderDisabled, COLOR_GRAYTEXT},
    {RoleCheckFrame, COLOR_BTNSHADOW},
    {RoleCheckFramePressed, COLOR_3DDKSHADOW},
    {RoleCheckFrameDisabled, COLOR_GRAYTEXT},
    {RoleControlFill, COLOR_WINDOW},
    {RoleFaceText, COLOR_BTNTEXT},
    {RoleDisabledText, COLOR_GRAYTEXT},
    {RoleProgressFill, COLOR_HIGHLIGHT},
    {RoleArrow, COLOR_BTNTEXT},
    {RoleArrowDisabled, COLOR_GRAYTEXT},
    {RoleCaptionButtonHot, COLOR_GRADIENTACTIVECAPTION},
    {RoleCaptionButtonPressed, COLOR_BTNSHADOW},
    {RoleCaptionButtonDisabled, COLOR_GRAYTEXT},
    {RoleMenuHotText, COLOR_HIGHLIGHTTEXT},
    {RoleMenuDisabledText, COLOR_GRAYTEXT},
    {RoleMenuSeparator, COLOR_BTNSHADOW},
    {RoleMenuBorder, COLOR_BTNSHADOW},
    {RoleScrollTrackPressed, COLOR_3DDKSHADOW},
    {RoleScrollThumb, COLOR_BTNFACE},
    {RoleScrollThumbHot, COLOR_3DLIGHT},
    {RoleScrollThumbPressed, COLOR_BTNSHADOW},
    {RoleScrollArrowHot, COLOR_3DLIGHT},
    {RoleScrollArrowPressed, COLOR_BTNSHADOW},
};

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

bool EndsWith(const std::wstring& text, const std::wstring& ending) {
  return text.size() >= ending.size() && Lower(text.substr(text.size() - ending.size())) == ending;
}

bool IsStyleFolder(const std::wstring& folder) {
  std::wstring index = folder;
  if (!index.empty() && index.back() != L'\\' && index.back() != L'/') index += L'\\';
  index += StyleIndexName;
  const DWORD attributes = GetFileAttributesW(index.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The theme's colours from the style's system colours: the light theme's where it gives none.
void ReadColours(styles::StyleHandle style, Theme* theme) {
  theme->SystemColours.assign(COLOR_MENUBAR + 1, CLR_INVALID);
  for (int index = 0; index <= COLOR_MENUBAR; ++index) {
    COLORREF colour = CLR_INVALID;
    if (!styles::SystemColour(style, index, &colour)) continue;
    theme->SystemColours[static_cast<size_t>(index)] = colour;
  }
  // Where two system colours stand for one role, the first given wins.
  bool set[RoleCount] = {};
  for (int index = 0; index <= COLOR_MENUBAR; ++index) {
    const int role = RoleOfSystemColour(index);
    const COLORREF colour = theme->SystemColours[static_cast<size_t>(index)];
    if (role < 0 || set[role] || colour == CLR_INVALID) continue;
    theme->Colours[role] = colour;
    set[role] = true;
  }
  for (const DerivedRole& derived : DerivedRoles) {
    const COLORREF colour = theme->SystemColours[static_cast<size_t>(derived.systemColour)];
    if (colour != CLR_INVALID) theme->Colours[derived.role] = colour;
  }
}

styles::StyleHandle OpenedStyle = 0;

// The style read when it was chosen, kept open until the atlas is built for it: opening reads the
// whole file, its INI and every image's header, and once is enough.
struct ReadyStyle {
  styles::StyleHandle handle = 0;
  StyleChoice choice;
};
ReadyStyle Ready;

void Forget(ReadyStyle* ready) {
  styles::CloseStyle(ready->handle);
  *ready = ReadyStyle();
}

}  // namespace

bool ReadStyleChoice(const std::wstring& value, StyleChoice* choice) {
  const size_t bar = value.find(StyleChoiceSeparator);
  if (bar == std::wstring::npos) {
    const std::wstring name = Lower(value);
    if (name.empty() || name == L"light" || name == L"dark" || name == L"auto") return false;
    const DWORD attributes = GetFileAttributesW(value.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const bool folder = exists && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (folder ? !IsStyleFolder(value) : !exists && !EndsWith(value, StyleFileEnding)) return false;
    *choice = {value, {}, {}};
    return true;
  }
  std::wstring fields[StyleChoiceFields];
  size_t start = 0;
  for (int i = 0; i < StyleChoiceFields; ++i) {
    // The last field takes the rest, separators and all: a size of that name is then not found.
    const size_t end = i + 1 < StyleChoiceFields ? value.find(StyleChoiceSeparator, start) : std::wstring::npos;
    fields[i] = value.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  *choice = {fields[0], fields[1], fields[2]};
  return true;
}

bool LoadStyleTheme(const std::wstring& value, const StyleChoice& choice, Theme* theme, std::wstring* problem) {
  if (choice.Path.empty()) {
    *problem = L"no visual style named before \"|\": give PATH|SCHEME|SIZE";
    return false;
  }
  styles::StyleHandle style = 0;
  if (!styles::OpenStyle(choice.Path, choice.Scheme, choice.Size, &style, problem)) return false;
  Theme loaded = LightTheme();
  loaded.Name = value;
  loaded.ColoursContent = true;
  loaded.StylePath = choice.Path;
  loaded.StyleScheme = choice.Scheme;
  loaded.StyleSize = choice.Size;
  ReadColours(style, &loaded);
  Forget(&Ready);
  Ready = {style, choice};
  *theme = std::move(loaded);
  return true;
}

uintptr_t StyleInUse() { return OpenedStyle; }

void OpenStyleInUse() {
  CloseStyleInUse();
  const Theme& theme = CurrentTheme();
  if (theme.StylePath.empty()) return;
  if (Ready.handle && Ready.choice.Path == theme.StylePath && Ready.choice.Scheme == theme.StyleScheme &&
      Ready.choice.Size == theme.StyleSize) {
    OpenedStyle = Ready.handle;
    Ready = ReadyStyle();
    return;
  }
  Forget(&Ready);
  std::wstring problem;
  if (!styles::OpenStyle(theme.StylePath, theme.StyleScheme, theme.StyleSize, &OpenedStyle, &problem)) {
    // The style was read when it was chosen; changed since, its parts are drawn as the controls
    // draw themselves, in its colours.
    OutputDebugStringW((L"skin: visual style no longer read: " + problem + L"\n").c_str());
    OpenedStyle = 0;
  }
}

void CloseStyleInUse() {
  styles::CloseStyle(OpenedStyle);
  OpenedStyle = 0;
}

}  // namespace skin::look
