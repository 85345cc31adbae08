// Looking properties up: a state's section, then its part's, then its class's, each in the
// App::Class sections first (when an application is named), then the class's, then [Globals].
#include <windows.h>

#include <cstdlib>
#include <string>

#include "skin/styles/internal.h"

namespace skin::styles {
namespace {

constexpr int PointsPerInch = 72;
constexpr int BaseDpi = 96;

const Section* FindSection(const ClassSections& sections, int part, int state) {
  const auto found = sections.find({part, state});
  return found == sections.end() ? nullptr : &found->second;
}

bool Ready(StyleHandle handle, const wchar_t* app, const wchar_t* className, Lookup* lookup) {
  const Style* style = StyleFromHandle(handle);
  return style && className && MakeLookup(style, app, className, lookup);
}

}  // namespace

bool MakeLookup(const Style* style, const wchar_t* app, const wchar_t* className, Lookup* lookup) {
  *lookup = Lookup{};
  lookup->style = style;
  const auto& classes = style->ini.classes;
  const std::wstring name = Lower(className);
  if (app && *app) {
    const auto found = classes.find(Lower(app) + L"::" + name);
    if (found != classes.end()) lookup->chain[lookup->length++] = &found->second;
  }
  const auto own = classes.find(name);
  if (own != classes.end()) lookup->chain[lookup->length++] = &own->second;
  if (lookup->length == 0) return false;  // a class the style does not have
  const auto globals = classes.find(L"globals");
  if (globals != classes.end() && name != L"globals") lookup->chain[lookup->length++] = &globals->second;
  return true;
}

const Value* FindValue(const Lookup& lookup, int part, int state, int property, int type) {
  const PartState steps[] = {{part, state}, {part, 0}, {0, 0}};
  for (size_t step = 0; step < 3; ++step) {
    if (step > 0 && steps[step] == steps[step - 1]) continue;
    for (int i = 0; i < lookup.length; ++i) {
      const Section* section = FindSection(*lookup.chain[i], steps[step].first, steps[step].second);
      if (!section) continue;
      const auto found = section->find(property);
      if (found != section->end()) return found->second.type == type ? &found->second : nullptr;
    }
  }
  return nullptr;
}

bool FindInt(const Lookup& lookup, int part, int state, int property, int* value) {
  const Value* found = FindValue(lookup, part, state, property, TMT_INT);
  if (!found) return false;
  *value = found->numbers[0];
  return true;
}

bool FindBool(const Lookup& lookup, int part, int state, int property, bool* value) {
  const Value* found = FindValue(lookup, part, state, property, TMT_BOOL);
  if (!found) return false;
  *value = found->numbers[0] != 0;
  return true;
}

bool FindEnum(const Lookup& lookup, int part, int state, int property, int* value) {
  const Value* found = FindValue(lookup, part, state, property, TMT_ENUM);
  if (!found) return false;
  *value = found->numbers[0];
  return true;
}

bool FindColour(const Lookup& lookup, int part, int state, int property, COLORREF* colour) {
  const Value* found = FindValue(lookup, part, state, property, TMT_COLOR);
  if (!found) return false;
  *colour = RGB(found->numbers[0], found->numbers[1], found->numbers[2]);
  return true;
}

bool FindMargins(const Lookup& lookup, int part, int state, int property, MARGINS* margins) {
  const Value* found = FindValue(lookup, part, state, property, TMT_MARGINS);
  if (!found) return false;
  *margins = {found->numbers[0], found->numbers[1], found->numbers[2], found->numbers[3]};
  return true;
}

bool FindPosition(const Lookup& lookup, int part, int state, int property, POINT* point) {
  const Value* found = FindValue(lookup, part, state, property, TMT_POSITION);
  if (!found) return false;
  *point = {found->numbers[0], found->numbers[1]};
  return true;
}

LOGFONTW FontFromValue(const Value& value, int dpi) {
  LOGFONTW font = {};
  const int size = value.numbers[0];
  font.lfHeight = size > 0 ? -MulDiv(size, dpi, PointsPerInch) : -MulDiv(-size, dpi, BaseDpi);
  const int flags = value.numbers[1];
  font.lfWeight = (flags & FontBold) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (flags & FontItalic) ? TRUE : FALSE;
  font.lfUnderline = (flags & FontUnderline) ? TRUE : FALSE;
  font.lfStrikeOut = (flags & FontStrikeOut) ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, value.text.c_str(), LF_FACESIZE);
  return font;
}

bool HasPart(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state) {
  Lookup lookup;
  if (!Ready(handle, app, className, &lookup)) return false;
  const auto globals = lookup.style->ini.classes.find(L"globals");
  for (int i = 0; i < lookup.length; ++i) {
    // [Globals] defines no part of another class.
    if (globals != lookup.style->ini.classes.end() && lookup.chain[i] == &globals->second && Lower(className) != L"globals") {
      continue;
    }
    for (const auto& section : *lookup.chain[i]) {
      if (section.first.first != part) continue;
      if (state == 0 || section.first.second == 0 || section.first.second == state) return true;
    }
  }
  return false;
}

bool PartColour(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state, int property,
                COLORREF* colour) {
  Lookup lookup;
  return Ready(handle, app, className, &lookup) && FindColour(lookup, part, state, property, colour);
}

bool PartInt(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state, int property,
             int* value) {
  Lookup lookup;
  if (!Ready(handle, app, className, &lookup)) return false;
  const Value* found = FindValue(lookup, part, state, property, TMT_INT);
  if (!found) found = FindValue(lookup, part, state, property, TMT_SIZE);
  if (!found) return false;
  *value = found->numbers[0];
  return true;
}

bool PartBool(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state, int property,
              bool* value) {
  Lookup lookup;
  return Ready(handle, app, className, &lookup) && FindBool(lookup, part, state, property, value);
}

bool PartEnum(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state, int property,
              int* value) {
  Lookup lookup;
  return Ready(handle, app, className, &lookup) && FindEnum(lookup, part, state, property, value);
}

bool PartPosition(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state,
                  int property, POINT* value) {
  Lookup lookup;
  return Ready(handle, app, className, &lookup) && FindPosition(lookup, part, state, property, value);
}

bool PartMargins(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state, int property,
                 MARGINS* margins) {
  Lookup lookup;
  return Ready(handle, app, className, &lookup) && FindMargins(lookup, part, state, property, margins);
}

bool PartString(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state, int property,
                std::wstring* value) {
  Lookup lookup;
  if (!Ready(handle, app, className, &lookup)) return false;
  const Value* found = FindValue(lookup, part, state, property, TMT_STRING);
  if (!found) found = FindValue(lookup, part, state, property, TMT_FILENAME);
  if (!found) return false;
  *value = found->text;
  return true;
}

bool PartFont(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state, int property,
              int dpi, LOGFONTW* font) {
  Lookup lookup;
  if (!Ready(handle, app, className, &lookup)) return false;
  const Value* found = FindValue(lookup, part, state, property, TMT_FONT);
  if (!found) return false;
  *font = FontFromValue(*found, dpi);
  return true;
}

bool PartContentRect(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state,
                     const RECT& bounds, RECT* content) {
  Lookup lookup;
  return Ready(handle, app, className, &lookup) && ContentRect(lookup, part, state, bounds, content);
}

bool PartTrueSize(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state,
                  const RECT* bounds, THEMESIZE which, SIZE* size) {
  Lookup lookup;
  return Ready(handle, app, className, &lookup) && PartSize(lookup, part, state, bounds, which, size);
}

int PartImageCount(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state) {
  Lookup lookup;
  return Ready(handle, app, className, &lookup) ? ImageCount(lookup, part, state) : 0;
}

bool DrawPartBackground(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state, HDC dc,
                        const RECT& rect, const RECT* clip) {
  Lookup lookup;
  return dc && Ready(handle, app, className, &lookup) && DrawBackground(lookup, part, state, dc, rect, clip);
}

bool SystemColour(StyleHandle handle, int colourIndex, COLORREF* colour) {
  const Style* style = StyleFromHandle(handle);
  if (!style || colourIndex < 0 || colourIndex > TMT_LASTCOLOR - TMT_FIRSTCOLOR) return false;
  const auto found = style->ini.metrics.find(TMT_FIRSTCOLOR + colourIndex);
  if (found == style->ini.metrics.end() || found->second.type != TMT_COLOR) return false;
  const std::vector<int>& rgb = found->second.numbers;
  *colour = RGB(rgb[0], rgb[1], rgb[2]);
  return true;
}

bool SystemFont(StyleHandle handle, int property, int dpi, LOGFONTW* font) {
  const Style* style = StyleFromHandle(handle);
  if (!style) return false;
  const auto found = style->ini.metrics.find(property);
  if (found == style->ini.metrics.end() || found->second.type != TMT_FONT) return false;
  *font = FontFromValue(found->second, dpi);
  return true;
}

bool SystemSize(StyleHandle handle, int property, int* value) {
  const Style* style = StyleFromHandle(handle);
  if (!style) return false;
  const auto found = style->ini.metrics.find(property);
  if (found == style->ini.metrics.end() || (found->second.type != TMT_SIZE && found->second.type != TMT_INT)) {
    return false;
  }
  *value = found->second.numbers[0];
  return true;
}

bool SystemBool(StyleHandle handle, int property, bool* value) {
  const Style* style = StyleFromHandle(handle);
  if (!style) return false;
  const auto found = style->ini.metrics.find(property);
  if (found == style->ini.metrics.end() || found->second.type != TMT_BOOL) return false;
  *value = found->second.numbers[0] != 0;
  return true;
}

}  // namespace skin::styles
