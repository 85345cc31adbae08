// The one table of theme items: every key of theme.ini and every image of a theme folder, with
// its kind and where it lands in a Theme. The loader, the exporter and docs/themes.md follow it;
// an item a folder leaves out takes the light theme's value.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "skin/look/look.h"

namespace skin::look {

enum ItemKind { ItemColour, ItemSize, ItemSwitch, ItemImage };

// One row of the table: a colour (its role, and its value in the light and the dark theme), a size
// (its value in both), the switch (0 and 1) or an image (its values are the images' own).
struct ThemeItem {
  const char* Section;  // the theme.ini section; "" for an image
  const char* Key;      // the key, or the image's file name without ".bmp"
  ItemKind Kind;
  int Index;            // a Role, a SizeRole or an Image; 0 for the one switch
  COLORREF Light;       // the light theme's value: a COLORREF, a size in pixels, 0 or 1
  COLORREF Dark;        // the dark theme's
  const char* Meaning;
};

extern const ThemeItem ThemeItems[];
extern const size_t ThemeItemCount;

// Sizes are pixels at 96 dpi, from 0 to this.
inline constexpr int LargestSize = 64;

// Reads a theme folder: theme.ini and the five images. True with `theme` filled when it can be
// used, every item it leaves out taken from the light theme with one line in `warnings`. False
// with one line in `problem` (the file, the key or the image, and what is wrong) when anything
// that is there cannot be used.
bool LoadThemeFolder(const std::wstring& folder, Theme* theme, std::wstring* problem,
                     std::vector<std::wstring>* warnings);
// Writes a theme as a folder that LoadThemeFolder reads back the same. False with one line in
// `problem` when the folder or a file cannot be written.
bool ExportThemeFolder(const Theme& theme, const std::wstring& folder, std::wstring* problem);

// A visual style chosen as a theme: "PATH", "PATH|SCHEME" or "PATH|SCHEME|SIZE", PATH a .msstyles
// file or a folder a style was unpacked into, SCHEME and SIZE names of the style's colour scheme
// and size (empty: the style's first). "|" cannot be part of a file name.
struct StyleChoice {
  std::wstring Path;
  std::wstring Scheme;
  std::wstring Size;
};
inline constexpr wchar_t StyleChoiceSeparator = L'|';
// Splits a theme value into a style choice. False when the value names no style: a built-in
// theme's name or a theme folder (one without a style.index) and no separator.
bool ReadStyleChoice(const std::wstring& value, StyleChoice* choice);

// A visual style as a theme: its colours from the style's [SysMetrics] (the light theme's where it
// gives none), colouring content. False with the style's one line in `problem`.
bool LoadStyleTheme(const std::wstring& value, const StyleChoice& choice, Theme* theme, std::wstring* problem);

// A theme by name ("light", "dark", "auto": the system's app mode), folder or visual style. False with one line
// in `problem` when it would be refused. `followsSystem` tells whether it was "auto".
bool ResolveTheme(const std::wstring& nameOrFolder, Theme* theme, bool* followsSystem,
                  std::wstring* problem, std::vector<std::wstring>* warnings);
// Whether the system's app mode asks for light applications (true when it says nothing).
bool SystemAppsUseLightTheme();

}  // namespace skin::look
