// Opening, listing and unpacking styles: a .msstyles file (its PACKTHEM_VERSION, COLORNAMES,
// SIZENAMES, FILERESNAMES, TEXTFILE and BITMAP resources) or a folder written by UnpackStyle.
// Everything a style needs is read and checked when it opens; images are decoded at first use.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "skin/styles/internal.h"

namespace skin::styles {
namespace {

constexpr uint64_t LargestStyleFile = 256ull * 1024 * 1024;
constexpr uint64_t LargestTextFile = 16ull * 1024 * 1024;
constexpr uint64_t LargestImageFile = 64ull * 1024 * 1024;
constexpr uint16_t XpFormVersion = 3;
constexpr wchar_t IndexFileName[] = L"style.index";
constexpr int IndexVersion = 1;
constexpr int DefaultDpi = 96;
// Resource types only styles of the newer form hold.
constexpr const wchar_t* NewerFormTypes[] = {L"VARIANT", L"VSCLASS", L"VMAP", L"CMAP", L"RMAP", L"BCMAP", L"LMAP", L"SMAP"};

std::map<StyleHandle, std::unique_ptr<Style>>& OpenStyles() {
  static std::map<StyleHandle, std::unique_ptr<Style>> styles;
  return styles;
}
StyleHandle lastHandle = 0;

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  std::wstring relative(name);
  for (wchar_t& c : relative) {
    if (c == L'/') c = L'\\';
  }
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + relative;
  return folder + L"\\" + relative;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The whole file, when it is a file no larger than `largest`; `problem` says why not, without the
// file's name.
bool ReadWholeFile(const std::wstring& path, uint64_t largest, std::vector<uint8_t>* bytes, std::wstring* problem) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    *problem = L"does not exist";
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    *problem = L"is a folder, not a file";
    return false;
  }
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *problem = L"cannot be read";
    return false;
  }
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) != 0;
  if (ok && static_cast<uint64_t>(size.QuadPart) > largest) {
    CloseHandle(file);
    *problem = L"is larger than " + std::to_wstring(largest / (1024 * 1024)) + L" MiB";
    return false;
  }
  if (ok) {
    bytes->assign(static_cast<size_t>(size.QuadPart), 0);
    size_t done = 0;
    while (ok && done < bytes->size()) {
      DWORD read = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes->size() - done, 1u << 24));
      ok = ReadFile(file, bytes->data() + done, chunk, &read, nullptr) && read > 0;
      done += read;
    }
  }
  CloseHandle(file);
  if (!ok) *problem = L"cannot be read";
  return ok;
}

bool WriteWholeFile(const std::wstring& path, const uint8_t* data, size_t size) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < size) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 24));
    ok = WriteFile(file, data + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  return CloseHandle(file) && ok;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], length, nullptr, nullptr);
  return bytes;
}

// A NUL-separated list of names, as COLORNAMES, SIZENAMES and FILERESNAMES hold them.
bool ReadNameList(const std::vector<uint8_t>& file, const Resource& resource, std::vector<std::wstring>* names) {
  names->clear();
  if (resource.size % 2 != 0) return false;
  std::wstring current;
  bool ended = false;
  for (size_t i = 0; i + 1 < resource.size; i += 2) {
    const wchar_t c = static_cast<wchar_t>(file[resource.offset + i] | (file[resource.offset + i + 1] << 8));
    if (c != 0 && c < 0x20) return false;  // names go into one-line messages
    if (c != 0) {
      current += c;
      continue;
    }
    if (current.empty()) {
      ended = true;
      break;
    }
    names->push_back(current);
    current.clear();
  }
  return ended && current.empty() && !names->empty();
}

// What a style file or folder offers: its names and where each INI is.
struct Package {
  std::wstring path;
  bool folder = false;
  std::vector<uint8_t> file;
  std::vector<Resource> resources;
  // The BITMAP resources by lower-case name, the first of each name: a style names hundreds.
  std::unordered_map<std::wstring, const Resource*> bitmaps;
  std::vector<std::wstring> schemes, sizes, iniNames;  // iniNames: scheme-major, one per pair
  std::wstring documentation;                          // a folder's themes.ini, if any
};

bool NewerForm(const std::vector<Resource>& resources) {
  for (const Resource& resource : resources) {
    for (const wchar_t* type : NewerFormTypes) {
      if (SameText(resource.type, type)) return true;
    }
  }
  return false;
}

bool OpenPackageFile(Package* package, std::wstring* problem) {
  std::wstring why;
  if (!ReadWholeFile(package->path, LargestStyleFile, &package->file, &why)) {
    *problem = package->path + L" " + why;
    return false;
  }
  if (!ReadResources(package->file, package->path, &package->resources, problem)) return false;
  for (const Resource& resource : package->resources) {
    if (SameText(resource.type, BitmapType)) package->bitmaps.emplace(Lower(resource.name), &resource);
  }
  const std::wstring newer = package->path +
                             L" is a visual style of the newer form (Windows Vista and later), which is not read";
  const Resource* version = FindStyleResource(package->resources, L"PACKTHEM_VERSION", L"#1");
  if (!version) {
    *problem = NewerForm(package->resources) ? newer
                                             : package->path + L" is not a visual style: it has no PACKTHEM_VERSION resource";
    return false;
  }
  if (version->size != 2) {
    *problem = package->path + L": PACKTHEM_VERSION is " + std::to_wstring(version->size) + L" bytes, not 2";
    return false;
  }
  const uint16_t number = static_cast<uint16_t>(package->file[version->offset] | (package->file[version->offset + 1] << 8));
  if (number != XpFormVersion || NewerForm(package->resources)) {
    *problem = number > XpFormVersion || NewerForm(package->resources)
                   ? newer
                   : package->path + L": PACKTHEM_VERSION is " + std::to_wstring(number) + L", not 3";
    return false;
  }
  const struct {
    const wchar_t* type;
    std::vector<std::wstring>* names;
  } lists[] = {{L"COLORNAMES", &package->schemes}, {L"SIZENAMES", &package->sizes}, {L"FILERESNAMES", &package->iniNames}};
  for (const auto& list : lists) {
    const Resource* resource = FindStyleResource(package->resources, list.type, L"#1");
    if (!resource) {
      *problem = package->path + L" is not a visual style: it has no " + list.type + L" resource";
      return false;
    }
    if (!ReadNameList(package->file, *resource, list.names)) {
      *problem = package->path + L": " + list.type + L" is not a list of names ended by an empty one";
      return false;
    }
  }
  const size_t pairs = package->schemes.size() * package->sizes.size();
  if (package->iniNames.size() < pairs) {
    *problem = package->path + L": FILERESNAMES names " + std::to_wstring(package->iniNames.size()) + L" INI files for " +
               std::to_wstring(package->schemes.size()) + L" colour schemes and " +
               std::to_wstring(package->sizes.size()) + L" sizes";
    return false;
  }
  package->iniNames.resize(pairs);
  return true;
}

// style.index: [Style] Version, Documentation; [Schemes] and [Sizes] 1 = Name ...; [Files] S.Z = file.
bool OpenPackageFolder(Package* package, std::wstring* problem) {
  const std::wstring indexPath = Join(package->path, IndexFileName);
  std::vector<uint8_t> bytes;
  std::wstring why, text;
  if (!ReadWholeFile(indexPath, LargestTextFile, &bytes, &why) || !DecodeText(bytes, false, &text, &why)) {
    *problem = indexPath + L" " + why;
    return false;
  }
  std::map<std::wstring, std::map<std::wstring, std::wstring>> sections;
  std::wstring section;
  size_t at = 0, lineNumber = 0;
  while (at <= text.size()) {
    size_t end = text.find(L'\n', at);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    while (!line.empty() && (line.back() == L'\r' || line.back() == L' ' || line.back() == L'\t')) line.pop_back();
    size_t first = 0;
    while (first < line.size() && (line[first] == L' ' || line[first] == L'\t')) ++first;
    line.erase(0, first);
    if (line.empty() || line[0] == L';') continue;
    const std::wstring where = indexPath + L": line " + std::to_wstring(lineNumber) + L" ";
    for (wchar_t c : line) {
      if (c < 0x20 && c != L'\t') {
        *problem = where + L"holds a control character";
        return false;
      }
    }
    if (line[0] == L'[' && line.back() == L']') {
      section = Lower(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos || section.empty()) {
      *problem = where + L"is neither a [section] nor a Name = Value inside one";
      return false;
    }
    std::wstring key = line.substr(0, equals), value = line.substr(equals + 1);
    while (!key.empty() && (key.back() == L' ' || key.back() == L'\t')) key.pop_back();
    while (!value.empty() && (value[0] == L' ' || value[0] == L'\t')) value.erase(0, 1);
    if (key.empty() || value.empty() || !sections[section].emplace(Lower(key), value).second) {
      *problem = where + L"has no name, no value, or a name given twice";
      return false;
    }
  }
  if (sections[L"style"][L"version"] != std::to_wstring(IndexVersion)) {
    *problem = indexPath + L": [Style] Version is not " + std::to_wstring(IndexVersion);
    return false;
  }
  package->documentation = sections[L"style"][L"documentation"];
  const struct {
    const wchar_t* section;
    std::vector<std::wstring>* names;
  } lists[] = {{L"schemes", &package->schemes}, {L"sizes", &package->sizes}};
  for (const auto& list : lists) {
    const std::map<std::wstring, std::wstring>& entries = sections[list.section];
    for (size_t i = 1; i <= entries.size(); ++i) {
      const auto found = entries.find(std::to_wstring(i));
      if (found == entries.end()) {
        *problem = indexPath + L": [" + list.section + L"] does not number its names 1, 2, 3...";
        return false;
      }
      list.names->push_back(found->second);
    }
    if (list.names->empty()) {
      *problem = indexPath + L": [" + list.section + L"] names nothing";
      return false;
    }
  }
  for (size_t scheme = 1; scheme <= package->schemes.size(); ++scheme) {
    for (size_t size = 1; size <= package->sizes.size(); ++size) {
      const std::wstring key = std::to_wstring(scheme) + L"." + std::to_wstring(size);
      const auto found = sections[L"files"].find(key);
      if (found == sections[L"files"].end() || !IsPlainFileName(found->second)) {
        *problem = indexPath + L": [Files] names no INI file inside the folder for " + key;
        return false;
      }
      package->iniNames.push_back(found->second);
    }
  }
  return true;
}

bool OpenPackage(const std::wstring& path, Package* package, std::wstring* problem) {
  package->path = path;
  package->folder = IsFolder(path);
  return package->folder ? OpenPackageFolder(package, problem) : OpenPackageFile(package, problem);
}

// The INI of one scheme and size, read and parsed.
bool LoadIni(const Package& package, const std::wstring& iniName, Ini* ini, std::wstring* problem) {
  std::wstring text, why;
  if (package.folder) {
    const std::wstring path = Join(package.path, iniName);
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, LargestTextFile, &bytes, &why) || !DecodeText(bytes, false, &text, &why)) {
      *problem = path + L" " + why;
      return false;
    }
    return ParseIni(text, path, ini, problem);
  }
  const Resource* resource = FindStyleResource(package.resources, L"TEXTFILE", iniName);
  if (!resource) {
    *problem = package.path + L": FILERESNAMES names " + iniName + L", which is no TEXTFILE resource of the file";
    return false;
  }
  const std::vector<uint8_t> bytes(package.file.begin() + resource->offset,
                                   package.file.begin() + resource->offset + resource->size);
  const std::wstring label = package.path + L": " + iniName;
  if (!DecodeText(bytes, true, &text, &why)) {
    *problem = label + L" " + why;
    return false;
  }
  return ParseIni(text, label, ini, problem);
}

// The image an INI names, found and checked; a folder's file is read into `image`. An image the
// style does not hold is no fault of the whole style (Wine's own names two it lacks): `found` is
// false and the parts that would draw it draw nothing, as with the system's engine.
bool LoadImageEntry(const Package& package, const std::wstring& fileName, Image* image, bool* found,
                    std::wstring* problem) {
  std::wstring why;
  *found = false;
  if (package.folder) {
    const std::wstring path = Join(package.path, fileName);
    std::vector<uint8_t> file;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    *found = true;
    if (!ReadWholeFile(path, LargestImageFile, &file, &why) || !DibFromBmpFile(file, &image->bytes, &why) ||
        !CheckDib(image->bytes.data(), image->bytes.size(), &image->layout, &why)) {
      *problem = path + L" " + why;
      return false;
    }
    image->data = image->bytes.data();
    return true;
  }
  const std::wstring name = ImageResourceName(fileName);
  const auto named = package.bitmaps.find(Lower(name));
  if (named == package.bitmaps.end()) return true;
  const Resource* resource = named->second;
  *found = true;
  image->data = package.file.data() + resource->offset;
  if (!CheckDib(image->data, resource->size, &image->layout, &why)) {
    *problem = package.path + L": image " + fileName + L" (BITMAP " + name + L") " + why;
    return false;
  }
  return true;
}

bool PickName(const std::vector<std::wstring>& names, const std::wstring& wanted, const wchar_t* what,
              const std::wstring& path, size_t* index, std::wstring* problem) {
  *index = 0;
  if (wanted.empty()) return true;
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameText(names[i], wanted)) {
      *index = i;
      return true;
    }
  }
  std::wstring offered;
  for (const std::wstring& name : names) offered += (offered.empty() ? L"" : L", ") + name;
  *problem = path + L" has no " + what + L" named \"" + wanted + L"\" (it has " + offered + L")";
  return false;
}

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : DefaultDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : DefaultDpi;
}

// A file name made from a resource name: letters, digits, '-' and '_' kept, anything else (a path
// separator, a dot, a drive's colon) made '_', so that nothing is written outside the folder.
std::wstring SafeFileName(const std::wstring& resourceName) {
  std::wstring name = resourceName;
  if (!name.empty() && name[0] == L'#') name.erase(0, 1);
  for (wchar_t& c : name) {
    const bool plain = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-';
    if (!plain) c = L'_';
  }
  return name.empty() ? L"_" : name;
}

std::wstring IniFileName(const std::wstring& resourceName) {
  std::wstring name = Lower(SafeFileName(resourceName));
  if (name.size() > 4 && name.compare(name.size() - 4, 4, L"_ini") == 0) name.erase(name.size() - 4);
  return name + L".ini";
}

// Makes every folder on the way to `path`'s file below `root`.
bool MakeFolders(const std::wstring& root, const std::wstring& relative) {
  size_t at = 0;
  while (true) {
    const size_t slash = relative.find_first_of(L"\\/", at);
    if (slash == std::wstring::npos) return true;
    const std::wstring folder = Join(root, relative.substr(0, slash));
    if (!IsFolder(folder) && !CreateDirectoryW(folder.c_str(), nullptr)) return false;
    at = slash + 1;
  }
}

bool OpenStyleOrThrow(const std::wstring& path, const std::wstring& scheme, const std::wstring& size,
                      StyleHandle* handle, std::wstring* problem) {
  Package package;
  if (!OpenPackage(path, &package, problem)) return false;
  size_t schemeIndex = 0, sizeIndex = 0;
  if (!PickName(package.schemes, scheme, L"colour scheme", path, &schemeIndex, problem) ||
      !PickName(package.sizes, size, L"size", path, &sizeIndex, problem)) {
    return false;
  }
  auto style = std::make_unique<Style>();
  const std::wstring iniName = package.iniNames[schemeIndex * package.sizes.size() + sizeIndex];
  if (!LoadIni(package, iniName, &style->ini, problem)) return false;
  for (const std::wstring& fileName : style->ini.imageFiles) {
    auto image = std::make_unique<Image>();
    bool found = false;
    if (!LoadImageEntry(package, fileName, image.get(), &found, problem)) return false;
    if (found) style->images[Lower(fileName)] = std::move(image);
  }
  const std::wstring iniLabel = package.folder ? Join(path, iniName) : path + L": " + iniName;
  if (!CheckPartImages(*style, iniLabel, problem)) return false;
  style->file = std::move(package.file);  // the images point into it
  style->dpi = ScreenDpi();
  *handle = ++lastHandle;
  OpenStyles()[*handle] = std::move(style);
  return true;
}

bool UnpackStyleOrThrow(const std::wstring& file, const std::wstring& folder, std::wstring* problem) {
  Package package;
  if (IsFolder(file)) {
    *problem = file + L" is a folder: only a style file is unpacked";
    return false;
  }
  if (!OpenPackage(file, &package, problem)) return false;

  // Everything is read and checked before anything is written.
  struct Output {
    std::wstring relative;
    std::vector<uint8_t> bytes;
  };
  std::vector<Output> outputs;
  std::set<std::wstring> written;  // lower-case relative paths
  auto add = [&](const std::wstring& relative, std::vector<uint8_t> bytes) {
    if (!written.insert(Lower(Join(L"", relative))).second) {
      *problem = file + L": two parts of the style would be written to " + Join(folder, relative);
      return false;
    }
    outputs.push_back({relative, std::move(bytes)});
    return true;
  };
  auto textBytes = [](const std::wstring& text) {
    const std::string utf8 = Utf8(text);
    return std::vector<uint8_t>(utf8.begin(), utf8.end());
  };
  std::set<std::wstring> imageResources;
  std::map<std::wstring, std::wstring> iniFiles;  // resource name -> file name
  for (const std::wstring& iniName : package.iniNames) {
    if (iniFiles.count(Lower(iniName))) continue;
    Ini ini;
    if (!LoadIni(package, iniName, &ini, problem)) return false;
    const Resource* resource = FindStyleResource(package.resources, L"TEXTFILE", iniName);
    std::wstring text, why;
    DecodeText(std::vector<uint8_t>(package.file.begin() + resource->offset,
                                    package.file.begin() + resource->offset + resource->size),
               true, &text, &why);
    const std::wstring fileName = IniFileName(iniName);
    iniFiles[Lower(iniName)] = fileName;
    if (!add(fileName, textBytes(text))) return false;
    for (const std::wstring& imageName : ini.imageFiles) {
      Image image;
      bool found = false;
      if (!LoadImageEntry(package, imageName, &image, &found, problem)) return false;
      if (!found) continue;
      imageResources.insert(Lower(ImageResourceName(imageName)));
      if (written.count(Lower(Join(L"", imageName)))) continue;
      if (!add(imageName, BmpFileFromDib(image.data, image.layout))) return false;
    }
  }
  for (const Resource& resource : package.resources) {
    if (resource.type != BitmapType || imageResources.count(Lower(resource.name))) continue;
    DibLayout layout;
    std::wstring why;
    const uint8_t* data = package.file.data() + resource.offset;
    if (!CheckDib(data, resource.size, &layout, &why)) {
      *problem = file + L": BITMAP " + resource.name + L" " + why;
      return false;
    }
    if (!add(SafeFileName(resource.name) + L".bmp", BmpFileFromDib(data, layout))) return false;
  }
  std::wstring documentation;
  if (const Resource* themes = FindStyleResource(package.resources, L"TEXTFILE", L"THEMES_INI")) {
    std::wstring text, why;
    if (!DecodeText(std::vector<uint8_t>(package.file.begin() + themes->offset,
                                         package.file.begin() + themes->offset + themes->size),
                    true, &text, &why)) {
      *problem = file + L": THEMES_INI " + why;
      return false;
    }
    documentation = L"themes.ini";
    if (!add(documentation, textBytes(text))) return false;
  }
  std::wstring index =
      L"; An unpacked visual style, written by UnpackStyle and read by OpenStyle. Each INI is the style\r\n"
      L"; of one colour scheme and one size: [Files] S.Z names the INI of scheme S and size Z.\r\n"
      L"[Style]\r\nVersion = " + std::to_wstring(IndexVersion) + L"\r\n";
  if (!documentation.empty()) index += L"Documentation = " + documentation + L"\r\n";
  index += L"[Schemes]\r\n";
  for (size_t i = 0; i < package.schemes.size(); ++i) index += std::to_wstring(i + 1) + L" = " + package.schemes[i] + L"\r\n";
  index += L"[Sizes]\r\n";
  for (size_t i = 0; i < package.sizes.size(); ++i) index += std::to_wstring(i + 1) + L" = " + package.sizes[i] + L"\r\n";
  index += L"[Files]\r\n";
  for (size_t scheme = 0; scheme < package.schemes.size(); ++scheme) {
    for (size_t size = 0; size < package.sizes.size(); ++size) {
      const std::wstring& iniName = package.iniNames[scheme * package.sizes.size() + size];
      index += std::to_wstring(scheme + 1) + L"." + std::to_wstring(size + 1) + L" = " + iniFiles[Lower(iniName)] + L"\r\n";
    }
  }
  if (!add(IndexFileName, textBytes(index))) return false;

  if (!IsFolder(folder) && !CreateDirectoryW(folder.c_str(), nullptr)) {
    *problem = folder + L" cannot be made";
    return false;
  }
  for (const Output& output : outputs) {
    const std::wstring path = Join(folder, output.relative);
    if (!MakeFolders(folder, output.relative) || !WriteWholeFile(path, output.bytes.data(), output.bytes.size())) {
      *problem = path + L" cannot be written";
      return false;
    }
  }
  return true;
}

}  // namespace

Style* StyleFromHandle(StyleHandle handle) {
  const auto found = OpenStyles().find(handle);
  return found == OpenStyles().end() ? nullptr : found->second.get();
}

bool OpenStyle(const std::wstring& path, const std::wstring& scheme, const std::wstring& size, StyleHandle* handle,
               std::wstring* problem) {
  *handle = 0;
  problem->clear();
  try {
    return OpenStyleOrThrow(path, scheme, size, handle, problem);
  } catch (const std::bad_alloc&) {
    *problem = path + L" is too large to read: there is not enough memory";
    return false;
  }
}

void CloseStyle(StyleHandle handle) {
  const auto found = OpenStyles().find(handle);
  if (found == OpenStyles().end()) return;
  for (auto& entry : found->second->images) {
    if (entry.second->bitmap) DeleteObject(entry.second->bitmap);
  }
  ReleaseKeptDrawings(*found->second);
  OpenStyles().erase(found);
}

bool ListStyle(const std::wstring& path, StyleNames* names, std::wstring* problem) {
  try {
    Package package;
    if (!OpenPackage(path, &package, problem)) return false;
    names->schemes = package.schemes;
    names->sizes = package.sizes;
    return true;
  } catch (const std::bad_alloc&) {
    *problem = path + L" is too large to read: there is not enough memory";
    return false;
  }
}

int StyleDpi(StyleHandle handle) {
  const Style* style = StyleFromHandle(handle);
  return style ? style->dpi : 0;
}

void SetStyleDpi(StyleHandle handle, int dpi) {
  Style* style = StyleFromHandle(handle);
  if (style && dpi > 0) style->dpi = dpi;
}

bool UnpackStyle(const std::wstring& file, const std::wstring& folder, std::wstring* problem) {
  try {
    return UnpackStyleOrThrow(file, folder, problem);
  } catch (const std::bad_alloc&) {
    *problem = file + L" is too large to unpack: there is not enough memory";
    return false;
  }
}

}  // namespace skin::styles
