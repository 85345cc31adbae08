// A style's INI text: [Class.Part(State)] sections of Name = Value lines, every value checked
// against the type of its property when it is read. A line that is neither a section nor a
// Name = Value, or a value its property cannot take, refuses the whole INI.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "skin/styles/internal.h"

namespace skin::styles {
namespace {

constexpr wchar_t ByteOrderMark = 0xFEFF;
constexpr wchar_t CommentMark = L';';
constexpr int LargestColourPart = 255;
constexpr int LargestMargin = 32767;
constexpr size_t LongestFace = LF_FACESIZE - 1;
constexpr size_t LongestIntList = 4096;
constexpr size_t LongestQuote = 60;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v'; }

std::wstring Trim(const std::wstring& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Text quoted in a message: control characters as \xNN, long text cut short, so that the message
// stays one line.
std::wstring Quote(const std::wstring& text) {
  std::wstring quoted = L"\"";
  for (size_t i = 0; i < text.size() && i < LongestQuote; ++i) {
    const wchar_t c = text[i];
    if (c < 0x20) {
      wchar_t escape[8];
      wsprintfW(escape, L"\\x%02X", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  if (text.size() > LongestQuote) quoted += L"...";
  return quoted + L"\"";
}

// Whole numbers separated by commas and blanks; false for anything else or a number out of the
// range of an int.
bool ReadNumbers(const std::wstring& text, std::vector<int>* numbers) {
  numbers->clear();
  size_t at = 0;
  bool expectNumber = true;
  while (at < text.size()) {
    const wchar_t c = text[at];
    if (IsBlank(c)) {
      ++at;
      continue;
    }
    if (c == L',') {
      if (expectNumber) return false;
      expectNumber = true;
      ++at;
      continue;
    }
    const bool negative = c == L'-';
    if (negative || c == L'+') ++at;
    // Only ASCII digits: iswdigit also takes others (superscripts) that the loop below would not read.
    if (at >= text.size() || text[at] < L'0' || text[at] > L'9') return false;
    long long number = 0;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
      number = number * 10 + (text[at] - L'0');
      if (number > INT_MAX) return false;
      ++at;
    }
    numbers->push_back(static_cast<int>(negative ? -number : number));
    expectNumber = false;
  }
  return !numbers->empty() && !expectNumber;
}

bool ReadCount(const std::wstring& text, size_t count, std::vector<int>* numbers) {
  return ReadNumbers(text, numbers) && numbers->size() == count;
}

bool ReadFont(const std::wstring& text, Value* value, std::wstring* problem) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(L',', start);
    fields.push_back(Trim(text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start)));
    if (comma == std::wstring::npos) break;
    start = comma + 1;
  }
  if (fields.size() < 2 || fields[0].empty()) {
    *problem = L"is not a font of the form Face, Size[, Bold, Italic, Underline, Strikeout]";
    return false;
  }
  if (fields[0].size() > LongestFace) {
    *problem = L"names a face longer than " + std::to_wstring(LongestFace) + L" characters";
    return false;
  }
  std::vector<int> size;
  if (!ReadCount(fields[1], 1, &size) || size[0] == 0) {
    *problem = L"has no font size other than 0";
    return false;
  }
  int flags = 0;
  for (size_t i = 2; i < fields.size(); ++i) {
    if (SameText(fields[i], L"Bold")) flags |= FontBold;
    else if (SameText(fields[i], L"Italic")) flags |= FontItalic;
    else if (SameText(fields[i], L"Underline")) flags |= FontUnderline;
    else if (SameText(fields[i], L"Strikeout")) flags |= FontStrikeOut;
    else {
      *problem = L"has the font attribute " + Quote(fields[i]) + L", not Bold, Italic, Underline or Strikeout";
      return false;
    }
  }
  value->text = fields[0];
  value->numbers = {size[0], flags};
  return true;
}

}  // namespace

bool IsPlainFileName(const std::wstring& name) {
  if (name.empty() || name[0] == L'\\' || name[0] == L'/' || name.find(L':') != std::wstring::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of(L"\\/", start);
    if (end == std::wstring::npos) end = name.size();
    const std::wstring component = name.substr(start, end - start);
    if (component.empty() || component == L"." || component == L"..") return false;
    start = end + 1;
  }
  return name.find_first_of(L"*?\"<>|") == std::wstring::npos;
}

namespace {

struct SectionName {
  std::wstring app, className, part, state;
};

// [App::Class.Part(State)], every piece but the class optional.
bool SplitSectionName(const std::wstring& name, SectionName* section) {
  std::wstring rest = name;
  const size_t colons = rest.find(L"::");
  if (colons != std::wstring::npos) {
    section->app = Trim(rest.substr(0, colons));
    rest = rest.substr(colons + 2);
    if (section->app.empty()) return false;
  }
  const size_t open = rest.find(L'(');
  if (open != std::wstring::npos) {
    if (rest.back() != L')') return false;
    section->state = Trim(rest.substr(open + 1, rest.size() - open - 2));
    rest = rest.substr(0, open);
    if (section->state.empty()) return false;
  }
  const size_t dot = rest.find(L'.');
  if (dot != std::wstring::npos) {
    section->part = Trim(rest.substr(dot + 1));
    rest = rest.substr(0, dot);
    if (section->part.empty()) return false;
  }
  section->className = Trim(rest);
  return !section->className.empty() && section->className.find_first_of(L":.()") == std::wstring::npos &&
         section->part.find_first_of(L":.()") == std::wstring::npos &&
         section->state.find_first_of(L":.()") == std::wstring::npos;
}

}  // namespace

bool DecodeText(const std::vector<uint8_t>& bytes, bool resourceText, std::wstring* text, std::wstring* problem) {
  const bool utf16Marked = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  if (resourceText || utf16Marked) {
    if (bytes.size() % 2 != 0) {
      *problem = L"is UTF-16 text of an odd number of bytes";
      return false;
    }
    text->assign(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text->size(); ++i) {
      (*text)[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    if (!text->empty() && (*text)[0] == ByteOrderMark) text->erase(0, 1);
    for (size_t i = 0; i < text->size(); ++i) {
      const wchar_t c = (*text)[i];
      const bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
      if (low || (high && (i + 1 >= text->size() || (*text)[i + 1] < 0xDC00 || (*text)[i + 1] > 0xDFFF))) {
        *problem = L"is not UTF-16 text: it holds a lone surrogate";
        return false;
      }
      if (high) ++i;
    }
    return true;
  }
  size_t skip = 0;
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) skip = 3;
  text->clear();
  if (bytes.size() == skip) return true;
  const char* start = reinterpret_cast<const char*>(bytes.data()) + skip;
  const int length = static_cast<int>(bytes.size() - skip);
  const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, start, length, nullptr, 0);
  if (wide <= 0) {
    *problem = L"is neither UTF-8 text nor UTF-16 text with its byte-order mark";
    return false;
  }
  text->assign(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, start, length, &(*text)[0], wide);
  return true;
}

bool ParseValue(int property, int type, const std::wstring& text, Value* value, std::wstring* problem) {
  value->type = type;
  value->text = text;
  value->numbers.clear();
  std::vector<int>& numbers = value->numbers;
  switch (type) {
    case TMT_STRING:
      return true;
    case TMT_FILENAME:
      if (IsPlainFileName(text)) return true;
      *problem = L"is not the name of a file inside the style";
      return false;
    case TMT_INT:
    case TMT_SIZE:
      if (ReadCount(text, 1, &numbers)) return true;
      *problem = L"is not a whole number";
      return false;
    case TMT_BOOL:
      if (SameText(text, L"True") || SameText(text, L"False")) {
        numbers.push_back(SameText(text, L"True") ? 1 : 0);
        return true;
      }
      *problem = L"is neither True nor False";
      return false;
    case TMT_COLOR:
      if (ReadCount(text, 3, &numbers) && numbers[0] >= 0 && numbers[0] <= LargestColourPart && numbers[1] >= 0 &&
          numbers[1] <= LargestColourPart && numbers[2] >= 0 && numbers[2] <= LargestColourPart) {
        return true;
      }
      *problem = L"is not a colour of the form red green blue, each from 0 to 255";
      return false;
    case TMT_MARGINS:
      if (ReadCount(text, 4, &numbers)) {
        bool inRange = true;
        for (int n : numbers) inRange = inRange && n >= 0 && n <= LargestMargin;
        if (inRange) return true;
      }
      *problem = L"is not four margins (left, right, top, bottom) from 0 to " + std::to_wstring(LargestMargin);
      return false;
    case TMT_POSITION:
      if (ReadCount(text, 2, &numbers)) return true;
      *problem = L"is not a pair of whole numbers";
      return false;
    case TMT_RECT:
      if (ReadCount(text, 4, &numbers)) return true;
      *problem = L"is not four whole numbers";
      return false;
    case TMT_INTLIST:
      if (ReadNumbers(text, &numbers) && numbers.size() <= LongestIntList) return true;
      *problem = L"is not a list of at most " + std::to_wstring(LongestIntList) + L" whole numbers";
      return false;
    case TMT_FONT:
      return ReadFont(text, value, problem);
    case TMT_ENUM: {
      int number = 0;
      if (LookUpEnumValue(property, Trim(text), &number)) {
        numbers.push_back(number);
        return true;
      }
      *problem = L"is not one of " + EnumValueNames(property);
      return false;
    }
    default:
      *problem = L"has a type the reader does not know";
      return false;
  }
}

bool ParseIni(const std::wstring& text, const std::wstring& label, Ini* ini, std::wstring* problem) {
  ClassSections* current = nullptr;  // null: a section the reader passes over
  PartState currentPartState{0, 0};
  bool inMetrics = false;
  bool inSection = false;
  std::wstring sectionName;
  // The file names met so far, in lower case: a style names hundreds, each many times.
  std::set<std::wstring> knownFiles;
  size_t lineNumber = 0;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(L'\n', at);
    if (end == std::wstring::npos) end = text.size();
    // The line without its comment and the blanks around it, cut out once.
    const auto lineStart = text.begin() + static_cast<std::ptrdiff_t>(at);
    const auto lineEnd = text.begin() + static_cast<std::ptrdiff_t>(end);
    size_t first = at, last = static_cast<size_t>(std::find(lineStart, lineEnd, CommentMark) - text.begin());
    at = end + 1;
    ++lineNumber;
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    if (first == last) continue;
    const std::wstring line = text.substr(first, last - first);
    const auto where = [&label, lineNumber] { return label + L": line " + std::to_wstring(lineNumber) + L": "; };
    for (wchar_t c : line) {
      if (c < 0x20 && c != L'\t') {
        *problem = where() + Quote(line) + L" holds a control character";
        return false;
      }
    }
    if (line[0] == L'[') {
      if (line.back() != L']') {
        *problem = where() + Quote(line) + L" opens a section it does not close with ]";
        return false;
      }
      const std::wstring name = Trim(line.substr(1, line.size() - 2));
      sectionName = line;
      inSection = true;
      inMetrics = SameText(name, L"SysMetrics");
      current = nullptr;
      if (inMetrics) continue;
      SectionName section;
      if (!SplitSectionName(name, &section)) {
        *problem = where() + Quote(line) + L" is not a section of the form [App::Class.Part(State)]";
        return false;
      }
      int part = 0, state = 0;
      if (!LookUpPartState(section.className, section.part, section.state, &part, &state)) continue;
      const std::wstring key = section.app.empty() ? Lower(section.className)
                                                   : Lower(section.app) + L"::" + Lower(section.className);
      current = &ini->classes[key];
      currentPartState = {part, state};
      (*current)[currentPartState];  // the section exists even when it holds nothing
      continue;
    }
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) {
      *problem = where() + Quote(line) + L" is neither a [section] nor a Name = Value";
      return false;
    }
    const std::wstring name = Trim(line.substr(0, equals));
    const std::wstring valueText = Trim(line.substr(equals + 1));
    if (name.empty()) {
      *problem = where() + Quote(line) + L" has no name before the =";
      return false;
    }
    if (!inSection) {
      *problem = where() + Quote(line) + L" comes before the first [section]";
      return false;
    }
    PropertyName property;
    if (!LookUpProperty(name, &property)) continue;
    if (!inMetrics && !current) continue;
    Value value;
    std::wstring why;
    if (!ParseValue(property.id, property.type, valueText, &value, &why)) {
      *problem = where() + sectionName + L" " + name + L" = " + Quote(valueText) + L" " + why;
      return false;
    }
    Section& section = inMetrics ? ini->metrics : (*current)[currentPartState];
    if (section.count(property.id)) continue;  // the first value given stays
    if (property.type == TMT_FILENAME && knownFiles.insert(Lower(valueText)).second) {
      ini->imageFiles.push_back(valueText);
    }
    section.emplace(property.id, std::move(value));
  }
  return true;
}

}  // namespace skin::styles
