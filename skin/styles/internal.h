// The visual-style module's own declarations, shared by its source files; styles.h is its interface.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/styles/styles.h"

namespace skin::styles {

// ---- Names (names.cpp) -------------------------------------------------------------------------

// A property the reader knows: its TMT_* number and the type of its value (TMT_INT, TMT_COLOR, ...).
struct PropertyName {
  int id;
  int type;
};
bool LookUpProperty(const std::wstring& name, PropertyName* property);
// The number of an enumerated value ("ImageFile" of BgType is BT_IMAGEFILE), and the names a
// property takes, for messages.
bool LookUpEnumValue(int property, const std::wstring& name, int* value);
std::wstring EnumValueNames(int property);
// Class, part and state numbers from an INI section's names; false when the class, part or state is
// not one the reader knows. No part (or no state) is 0.
bool LookUpPartState(const std::wstring& className, const std::wstring& part, const std::wstring& state,
                     int* partId, int* stateId);
bool SameText(const std::wstring& a, const std::wstring& b);
bool SameText(const std::wstring& a, const wchar_t* b);
std::wstring Lower(const std::wstring& text);

// ---- Values and the INI (ini.cpp) --------------------------------------------------------------

// A property's value, checked against its type when the INI is read: `text` as written (strings,
// file names, a font's face), `numbers` for everything numeric (an int; a bool as 0 or 1; an enum's
// number; red, green, blue; left, right, top, bottom of margins; x, y; a rectangle; an int list;
// a font's size and its FontBold.. flags).
struct Value {
  int type = 0;
  std::wstring text;
  std::vector<int> numbers;
};
enum FontFlags { FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrikeOut = 8 };

using Section = std::map<int, Value>;                       // by property number
using PartState = std::pair<int, int>;
using ClassSections = std::map<PartState, Section>;         // [Class], [Class.Part], [Class.Part(State)]

struct Ini {
  std::map<std::wstring, ClassSections> classes;  // by lower-case "class" or "app::class"
  Section metrics;                                // [SysMetrics]
  std::vector<std::wstring> imageFiles;           // every file name a property names, once
};
// Reads an INI text (UTF-16 from a resource, or UTF-8 / UTF-16 from a file). `label` names it in
// the problem.
bool ParseIni(const std::wstring& text, const std::wstring& label, Ini* ini, std::wstring* problem);
// Text of a resource or file: UTF-16 little-endian (mark optional) when `utf16`, else UTF-8 (mark
// optional) or UTF-16 with its mark.
bool DecodeText(const std::vector<uint8_t>& bytes, bool resourceText, std::wstring* text, std::wstring* problem);
// A file name inside a style folder: relative, without a drive or a way up.
bool IsPlainFileName(const std::wstring& name);
// Parses a value of the given type; false with `problem` saying why.
bool ParseValue(int property, int type, const std::wstring& text, Value* value, std::wstring* problem);

// ---- Images (images.cpp) -----------------------------------------------------------------------

// A packed DIB (header, colour table or masks, pixels) whose fields were all checked.
struct DibLayout {
  size_t headerSize = 0;
  size_t tableSize = 0;   // colour table or masks after a 40-byte header
  size_t pixelOffset = 0; // from the start of the DIB
  size_t pixelSize = 0;
  int width = 0;
  int height = 0;  // as stored: negative for top-down
  int bitCount = 0;
  uint32_t compression = 0;
};
// Checks a packed DIB held in `size` bytes; false with `problem` saying what is wrong.
bool CheckDib(const uint8_t* data, size_t size, DibLayout* layout, std::wstring* problem);
// A DIB section of the image (32-bit images premultiplied); `hasAlpha` says whether it is drawn by
// its alpha. Null when GDI has no room.
HBITMAP DecodeDib(const uint8_t* data, const DibLayout& layout, bool* hasAlpha);
// A BMP file's packed DIB: its pixels moved to follow the header, as a resource holds them.
bool DibFromBmpFile(const std::vector<uint8_t>& file, std::vector<uint8_t>* dib, std::wstring* problem);
std::vector<uint8_t> BmpFileFromDib(const uint8_t* data, const DibLayout& layout);

// ---- PE resources (pe.cpp) ---------------------------------------------------------------------

struct Resource {
  std::wstring type;  // a name, or "#N" for a number
  std::wstring name;  // likewise
  size_t offset = 0;  // in the file
  size_t size = 0;
};
constexpr wchar_t BitmapType[] = L"#2";
// The resources of a PE file of either bitness, every directory entry checked against the file.
// `fileLabel` names the file in the problem.
bool ReadResources(const std::vector<uint8_t>& file, const std::wstring& fileLabel,
                   std::vector<Resource>* resources, std::wstring* problem);
const Resource* FindStyleResource(const std::vector<Resource>& resources, const std::wstring& type,
                             const std::wstring& name);
std::wstring ImageResourceName(const std::wstring& fileName);

// ---- An open style (style.cpp, draw.cpp, properties.cpp) ---------------------------------------

struct Image {
  std::vector<uint8_t> bytes;  // the packed DIB, owned (a folder's file) or empty
  const uint8_t* data = nullptr;
  DibLayout layout;
  HBITMAP bitmap = nullptr;  // decoded at first use
  bool hasAlpha = false;
};

// A part drawn once and kept (draw.cpp): the ground it was drawn over and the pixels it came out
// as, each its rectangle's 32-bit pixels row by row.
struct KeptDrawing {
  const ClassSections* chain[3] = {};
  int part = 0, state = 0, width = 0, height = 0, dpi = 0;
  std::vector<uint32_t> ground, drawn;
  bool done = false;
  uint64_t lastUse = 0;
};

// A 32-bit top-down DIB section that kept drawings are drawn in and put down from.
struct Scratch {
  HBITMAP bitmap = nullptr;
  uint32_t* bits = nullptr;
  int width = 0, height = 0;
};

// The drawings kept, and their DIB sections: one for wide parts (captions, menu bars), one for
// tall ones (frames' sides, scroll bars standing), one for the rest, each grown as needed, so that
// the shapes of a window's parts do not make one section again and again.
struct KeptDrawings {
  HDC sourceDc = nullptr;  // the images are selected into it to be drawn (draw.cpp SourceDc)
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
  Scratch scratches[3];
  int selected = -1;  // which is in the DC
  int screenBits = 0;  // the screen's depth, once asked
  std::vector<KeptDrawing> drawings;
  std::vector<uint32_t> ground;  // what the rectangle being drawn holds
  size_t bytes = 0;
  uint64_t clock = 0;
};

struct Style {
  std::vector<uint8_t> file;  // the .msstyles file, when opened from one
  Ini ini;
  std::map<std::wstring, std::unique_ptr<Image>> images;  // by the INI's file name, lower case
  int dpi = 96;
  mutable KeptDrawings kept;  // a cache behind the const style, as the decoded images are
};

Style* StyleFromHandle(StyleHandle handle);

// The sections that answer for one class, nearest first: App::Class, Class, Globals.
struct Lookup {
  const Style* style = nullptr;
  const ClassSections* chain[3] = {};
  int length = 0;
};
bool MakeLookup(const Style* style, const wchar_t* app, const wchar_t* className, Lookup* lookup);
// The value of a property for a part and state, searched state, part, class; null when not given
// or given with another type.
const Value* FindValue(const Lookup& lookup, int part, int state, int property, int type);
bool FindInt(const Lookup& lookup, int part, int state, int property, int* value);
bool FindBool(const Lookup& lookup, int part, int state, int property, bool* value);
bool FindEnum(const Lookup& lookup, int part, int state, int property, int* value);
bool FindColour(const Lookup& lookup, int part, int state, int property, COLORREF* colour);
bool FindMargins(const Lookup& lookup, int part, int state, int property, MARGINS* margins);
bool FindPosition(const Lookup& lookup, int part, int state, int property, POINT* point);
LOGFONTW FontFromValue(const Value& value, int dpi);

// The drawing (draw.cpp).
// Checks that every part's sizing margins fit the images it is drawn from, and that no image is cut
// into more frames than it has pixels; `label` names the style in the problem.
bool CheckPartImages(const Style& style, const std::wstring& label, std::wstring* problem);
bool DrawBackground(const Lookup& lookup, int part, int state, HDC dc, const RECT& rect, const RECT* clip);
// Gives back the kept drawings' GDI objects and memory.
void ReleaseKeptDrawings(const Style& style);
bool ContentRect(const Lookup& lookup, int part, int state, const RECT& bounds, RECT* content);
bool PartSize(const Lookup& lookup, int part, int state, const RECT* bounds, THEMESIZE which, SIZE* size);
int ImageCount(const Lookup& lookup, int part, int state);

}  // namespace skin::styles
