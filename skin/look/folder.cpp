// Theme folders: theme.ini (UTF-8) and one 24-bit uncompressed BMP per atlas image, read with
// every size and count checked before anything is read or allocated, and written back the same.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "skin/look/items.h"

namespace skin::look {
namespace {

constexpr long LargestIni = 64 * 1024;
constexpr long LargestImageFile = 64 * 1024;
constexpr size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
// Every header version there is: core, info, the two with colour masks, version 4 and 5.
constexpr uint32_t KnownHeaderSizes[] = {CoreHeaderSize, InfoHeaderSize, 52, 56, 108, 124};
constexpr uint16_t TrueColourBits = 24;
constexpr uint32_t Uncompressed = 0;
constexpr COLORREF NoColour = CLR_INVALID;
constexpr char Utf8Mark[] = "\xEF\xBB\xBF";
constexpr char Utf16LittleMark[] = "\xFF\xFE";
constexpr char Utf16BigMark[] = "\xFE\xFF";
// UTF-16 text of ASCII keys and values is about half NUL bytes; a stray NUL in UTF-8 text is far
// below this share.
constexpr size_t Utf16NulShare = 4;

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(length, 0)), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
  return folder + L"\\" + name;
}

// The whole file when it exists and is no larger than `largest`. `found` tells them apart: only
// a name with nothing behind it is missing; a folder or a file that cannot be opened is there,
// with `problem` saying what is wrong.
bool ReadSmallFile(const std::wstring& path, long largest, std::string* bytes, bool* found, std::wstring* problem) {
  *found = false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
  }
  *found = true;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    *problem = L"is a folder, not a file";
    return false;
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DEVICE)) {
    *problem = L"is a device, not a file";
    return false;
  }
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) {
    *problem = L"cannot be read";
    return false;
  }
  long size = -1;
  if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
  if (size < 0 || size > largest || fseek(file, 0, SEEK_SET) != 0) {
    fclose(file);
    *problem = size > largest ? L"is larger than " + std::to_wstring(largest / 1024) + L" KiB"
                              : L"cannot be read";
    return false;
  }
  bytes->assign(static_cast<size_t>(size), '\0');
  const size_t read = size ? fread(&(*bytes)[0], 1, static_cast<size_t>(size), file) : 0;
  fclose(file);
  if (read != static_cast<size_t>(size)) {
    *problem = L"cannot be read";
    return false;
  }
  return true;
}

uint32_t Le32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

uint16_t Le16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// The pixels of a 24-bit uncompressed BMP of exactly `size`, top row first.
bool DecodeBmp(const std::string& b, SIZE size, std::vector<COLORREF>* pixels, std::wstring* problem) {
  if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') {
    *problem = L"is not a BMP image";
    return false;
  }
  if (b.size() < FileHeaderSize + sizeof(uint32_t)) {
    *problem = L"is cut short in its header";
    return false;
  }
  const uint32_t offset = Le32(b, 10);
  const uint32_t headerSize = Le32(b, FileHeaderSize);
  if (std::find(std::begin(KnownHeaderSizes), std::end(KnownHeaderSizes), headerSize) == std::end(KnownHeaderSizes)) {
    *problem = L"has an unknown BMP header of " + std::to_wstring(headerSize) + L" bytes";
    return false;
  }
  if (b.size() < FileHeaderSize + headerSize) {
    *problem = L"is cut short in its header";
    return false;
  }
  const bool core = headerSize == CoreHeaderSize;
  const size_t h = FileHeaderSize;
  const int32_t width = core ? Le16(b, h + 4) : static_cast<int32_t>(Le32(b, h + 4));
  const int32_t height = core ? Le16(b, h + 6) : static_cast<int32_t>(Le32(b, h + 8));
  const uint16_t bits = core ? Le16(b, h + 10) : Le16(b, h + 14);
  const uint32_t compression = core ? Uncompressed : Le32(b, h + 16);
  if (bits != TrueColourBits || compression != Uncompressed) {
    *problem = L"is not a 24-bit uncompressed BMP (it has " + std::to_wstring(bits) + L" bits per pixel" +
               (compression != Uncompressed ? L", compressed)" : L")");
    return false;
  }
  const bool topDown = height < 0;
  const int64_t rows = topDown ? -static_cast<int64_t>(height) : height;
  if (width != size.cx || rows != size.cy) {
    *problem = L"is " + std::to_wstring(width) + L" x " + std::to_wstring(rows) + L" pixels; it must be " +
               std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy);
    return false;
  }
  const size_t stride = (static_cast<size_t>(size.cx) * 3 + 3) & ~static_cast<size_t>(3);
  if (offset < FileHeaderSize + headerSize) {
    *problem = L"has its pixels at byte " + std::to_wstring(offset) + L", inside its headers, which end at byte " +
               std::to_wstring(FileHeaderSize + headerSize);
    return false;
  }
  if (offset > b.size() || b.size() - offset < stride * static_cast<size_t>(size.cy)) {
    *problem = L"is cut short in its pixels";
    return false;
  }
  pixels->assign(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy), 0);
  for (int y = 0; y < size.cy; ++y) {
    const size_t row = offset + stride * static_cast<size_t>(topDown ? y : size.cy - 1 - y);
    for (int x = 0; x < size.cx; ++x) {
      const size_t at = row + static_cast<size_t>(x) * 3;
      const auto blue = static_cast<unsigned char>(b[at]);
      const auto green = static_cast<unsigned char>(b[at + 1]);
      const auto red = static_cast<unsigned char>(b[at + 2]);
      (*pixels)[static_cast<size_t>(y * size.cx + x)] = RGB(red, green, blue);
    }
  }
  return true;
}

void Put16(std::string* b, uint16_t v) {
  b->push_back(static_cast<char>(v & 0xFF));
  b->push_back(static_cast<char>(v >> 8));
}

void Put32(std::string* b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::string EncodeBmp(const std::vector<COLORREF>& pixels, SIZE size) {
  const uint32_t stride = (static_cast<uint32_t>(size.cx) * 3 + 3) & ~3u;
  const uint32_t offset = FileHeaderSize + InfoHeaderSize;
  const uint32_t imageSize = stride * static_cast<uint32_t>(size.cy);
  std::string b = "BM";
  Put32(&b, offset + imageSize);
  Put32(&b, 0);
  Put32(&b, offset);
  Put32(&b, InfoHeaderSize);
  Put32(&b, static_cast<uint32_t>(size.cx));
  Put32(&b, static_cast<uint32_t>(size.cy));  // bottom-up
  Put16(&b, 1);
  Put16(&b, TrueColourBits);
  Put32(&b, Uncompressed);
  Put32(&b, imageSize);
  for (int i = 0; i < 4; ++i) Put32(&b, 0);
  for (int y = size.cy - 1; y >= 0; --y) {
    for (int x = 0; x < size.cx; ++x) {
      const COLORREF c = pixels[static_cast<size_t>(y * size.cx + x)];
      b.push_back(static_cast<char>(GetBValue(c)));
      b.push_back(static_cast<char>(GetGValue(c)));
      b.push_back(static_cast<char>(GetRValue(c)));
    }
    b.append(stride - static_cast<uint32_t>(size.cx) * 3, '\0');
  }
  return b;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::wstring HexByte(char byte) {
  constexpr wchar_t Digits[] = L"0123456789ABCDEF";
  const auto value = static_cast<unsigned char>(byte);
  return std::wstring(L"\\x") + Digits[value >> 4] + Digits[value & 0xF];
}

// Text from theme.ini as a message shows it: control bytes (tab aside) as \xNN, so that a line
// stays one line and shows what the file holds.
std::wstring Shown(const std::string& text) {
  std::wstring shown;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && (static_cast<unsigned char>(text[i]) >= 0x20 || text[i] == '\t')) continue;
    shown += Widen(text.substr(start, i - start));
    if (i < text.size()) shown += HexByte(text[i]);
    start = i + 1;
  }
  return shown;
}

// The lines of a text whose lines end in CR LF, LF or CR alone.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find_first_of("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return lines;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

// Where a text stops being UTF-8: the first byte that does not belong where it is (an overlong
// form, a surrogate or a code point past U+10FFFF included), or npos.
size_t FirstNonUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 1;
    unsigned lowest = 0x80, highest = 0xBF;  // the second byte's range
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) lowest = 0xA0;
      if (lead == 0xED) highest = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) lowest = 0x90;
      if (lead == 0xF4) highest = 0x8F;
    } else {
      return i;
    }
    if (text.size() - i < length) return i;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < lowest || second > highest) return i;
    for (size_t k = 2; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return i;
    }
    i += length;
  }
  return std::string::npos;
}

bool LooksUtf16(const std::string& text) {
  if (text.compare(0, 2, Utf16LittleMark) == 0 || text.compare(0, 2, Utf16BigMark) == 0) return true;
  const auto nuls = static_cast<size_t>(std::count(text.begin(), text.end(), '\0'));
  return nuls > 0 && nuls * Utf16NulShare >= text.size();
}

// Section and key names are ASCII and matched without regard to case.
std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

COLORREF ParseColour(const std::string& value) {
  if (value.size() != 7 || value[0] != '#') return NoColour;
  unsigned channels[3] = {};
  for (size_t i = 1; i < 7; ++i) {
    const char c = value[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return NoColour;
    }
    channels[(i - 1) / 2] = channels[(i - 1) / 2] * 16 + digit;
  }
  return RGB(channels[0], channels[1], channels[2]);
}

bool ParseSize(const std::string& value, int* size) {
  if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string::npos) return false;
  *size = std::stoi(value);
  return *size <= LargestSize;
}

const ThemeItem* FindItem(const std::string& section, const std::string& key) {
  for (size_t i = 0; i < ThemeItemCount; ++i) {
    const ThemeItem& item = ThemeItems[i];
    if (item.Kind != ItemImage && AsciiLower(section) == AsciiLower(item.Section) &&
        AsciiLower(key) == AsciiLower(item.Key)) {
      return &item;
    }
  }
  return nullptr;
}

// One line of theme.ini into the theme; false with `problem` for a value that cannot be used.
bool ApplyEntry(const ThemeItem& item, const std::string& value, Theme* theme, std::wstring* problem) {
  const std::wstring where = L"theme.ini: [" + Widen(item.Section) + L"] " + Widen(item.Key) + L" = \"" +
                             Shown(value) + L"\" ";
  if (item.Kind == ItemColour) {
    const COLORREF colour = ParseColour(value);
    if (colour == NoColour) {
      *problem = where + L"is not a colour of the form #RRGGBB";
      return false;
    }
    theme->Colours[item.Index] = colour;
  } else if (item.Kind == ItemSize) {
    if (!ParseSize(value, &theme->Sizes[item.Index])) {
      *problem = where + L"is not a size from 0 to " + std::to_wstring(LargestSize);
      return false;
    }
  } else if (value == "0" || value == "1") {
    theme->ColoursContent = value == "1";
  } else {
    *problem = where + L"must be 0 or 1";
    return false;
  }
  return true;
}

// theme.ini's entries into the theme; records which items it gave. Warnings begin with `place`.
bool ReadIni(const std::string& text, const std::wstring& place, Theme* theme, std::vector<bool>* given,
             std::wstring* problem, std::vector<std::wstring>* warnings) {
  if (LooksUtf16(text)) {
    *problem = L"theme.ini is UTF-16 text; it must be UTF-8";
    return false;
  }
  const std::vector<std::string> lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t bad = FirstNonUtf8(lines[i]);
    if (bad != std::string::npos) {
      *problem = L"theme.ini is not UTF-8 text: line " + std::to_wstring(i + 1) + L" has the byte " +
                 HexByte(lines[i][bad]);
      return false;
    }
  }
  std::string section;
  // Each key's first line, by section and key in lower case: a section given twice is one.
  std::map<std::pair<std::string, std::string>, size_t> firstLines;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::wstring where = L"theme.ini: line " + std::to_wstring(i + 1);
    const std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = Trim(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      *problem = where + L" \"" + Shown(line) + L"\" is neither a [section] nor a key = value";
      return false;
    }
    const std::string key = Trim(line.substr(0, equals));
    if (key.empty()) {
      *problem = where + L" \"" + Shown(line) + L"\" has no key before the =";
      return false;
    }
    const std::wstring name = L"[" + Shown(section) + L"] " + Shown(key);
    const auto first = firstLines.emplace(std::make_pair(AsciiLower(section), AsciiLower(key)), i + 1);
    if (!first.second) {
      *problem = where + L": " + name + L" is given twice (first on line " +
                 std::to_wstring(first.first->second) + L")";
      return false;
    }
    const ThemeItem* item = FindItem(section, key);
    if (!item) {
      warnings->push_back(place + where + L": " + name + L" is not a theme item; ignored");
      continue;
    }
    if (!ApplyEntry(*item, Trim(line.substr(equals + 1)), theme, problem)) return false;
    (*given)[static_cast<size_t>(item - ThemeItems)] = true;
  }
  return true;
}

bool WriteFile(const std::wstring& path, const std::string& bytes, std::wstring* problem) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  const bool written = file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file && fclose(file) != 0) *problem = path + L" cannot be written";
  if (!written) *problem = path + L" cannot be written";
  return written && problem->empty();
}

std::string ColourText(COLORREF c) {
  char text[8];
  snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

}  // namespace

bool LoadThemeFolder(const std::wstring& folder, Theme* theme, std::wstring* problem,
                     std::vector<std::wstring>* warnings) {
  const std::wstring place = L"theme folder " + folder + L": ";
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    *problem = place + L"no such folder";
    return false;
  }
  Theme loaded = LightTheme();
  loaded.Name = folder;
  std::string ini;
  bool found = false;
  std::wstring why;
  if (!ReadSmallFile(Join(folder, L"theme.ini"), LargestIni, &ini, &found, &why)) {
    *problem = place + (found ? L"theme.ini " + why : L"it has no theme.ini");
    return false;
  }
  if (ini.compare(0, 3, Utf8Mark) == 0) ini.erase(0, 3);  // a byte-order mark is tolerated
  std::vector<bool> given(ThemeItemCount, false);
  if (!ReadIni(ini, place, &loaded, &given, &why, warnings)) {
    *problem = place + why;
    return false;
  }
  for (size_t i = 0; i < ThemeItemCount; ++i) {
    const ThemeItem& item = ThemeItems[i];
    if (item.Kind != ItemImage) continue;
    const std::wstring file = Widen(item.Key) + L".bmp";
    std::string bytes;
    if (!ReadSmallFile(Join(folder, file), LargestImageFile, &bytes, &found, &why)) {
      if (found) {
        *problem = place + file + L" " + why;
        return false;
      }
      continue;
    }
    if (!DecodeBmp(bytes, ImageSize(static_cast<Image>(item.Index)), &loaded.Images[item.Index], &why)) {
      *problem = place + file + L" " + why;
      return false;
    }
    given[i] = true;
  }
  for (size_t i = 0; i < ThemeItemCount; ++i) {
    if (given[i]) continue;
    const ThemeItem& item = ThemeItems[i];
    warnings->push_back(place + (item.Kind == ItemImage ? Widen(item.Key) + L".bmp"
                                                        : L"[" + Widen(item.Section) + L"] " + Widen(item.Key)) +
                        L" is missing; the light theme's is used");
  }
  *theme = std::move(loaded);
  return true;
}

bool ExportThemeFolder(const Theme& theme, const std::wstring& folder, std::wstring* problem) {
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    *problem = L"theme folder " + folder + L" cannot be made";
    return false;
  }
  std::string ini = "; A theme for the skin: see docs/themes.md. Colours are #RRGGBB, sizes pixels at 96 dpi.\n";
  std::string section;
  for (size_t i = 0; i < ThemeItemCount; ++i) {
    const ThemeItem& item = ThemeItems[i];
    if (item.Kind == ItemImage) {
      const std::wstring path = Join(folder, Widen(item.Key) + L".bmp");
      if (!WriteFile(path, EncodeBmp(theme.Images[item.Index], ImageSize(static_cast<Image>(item.Index))), problem)) {
        return false;
      }
      continue;
    }
    if (section != item.Section) {
      section = item.Section;
      ini += "\n[" + section + "]\n";
    }
    ini += "; " + std::string(item.Meaning) + "\n" + item.Key + " = ";
    if (item.Kind == ItemColour) ini += ColourText(theme.Colours[item.Index]);
    if (item.Kind == ItemSize) ini += std::to_string(theme.Sizes[item.Index]);
    if (item.Kind == ItemSwitch) ini += theme.ColoursContent ? "1" : "0";
    ini += "\n";
  }
  return WriteFile(Join(folder, L"theme.ini"), ini, problem);
}

bool SystemAppsUseLightTheme() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                    KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return true;
  }
  DWORD value = 1;
  DWORD type = 0;
  DWORD size = sizeof value;
  const LONG status = RegQueryValueExW(key, L"AppsUseLightTheme", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return status != ERROR_SUCCESS || type != REG_DWORD || value != 0;
}

bool ResolveTheme(const std::wstring& nameOrFolder, Theme* theme, bool* followsSystem, std::wstring* problem,
                  std::vector<std::wstring>* warnings) {
  const std::wstring name = Lower(nameOrFolder);
  *followsSystem = name == L"auto";
  if (name == L"light" || (*followsSystem && SystemAppsUseLightTheme())) {
    *theme = LightTheme();
  } else if (name == L"dark" || *followsSystem) {
    *theme = DarkTheme();
  } else if (nameOrFolder.empty()) {
    *problem = L"no theme named: give light, dark, auto, a theme folder or a visual style";
    return false;
  } else if (StyleChoice choice; ReadStyleChoice(nameOrFolder, &choice)) {
    return LoadStyleTheme(nameOrFolder, choice, theme, problem);
  } else {
    return LoadThemeFolder(nameOrFolder, theme, problem, warnings);
  }
  return true;
}

}  // namespace skin::look
