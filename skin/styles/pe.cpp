// The resource directory of a PE file, 32- or 64-bit, read as data: no code of the file runs and
// nothing of it is mapped by the system. Every header, offset and count is checked against the
// file before it is used.
#include <windows.h>

#include <cstdint>
#include <cwctype>
#include <string>
#include <vector>

#include "skin/styles/internal.h"

namespace skin::styles {
namespace {

constexpr size_t DosHeaderSize = 64;
constexpr size_t NewHeaderOffsetAt = 0x3C;
constexpr size_t FileHeaderSize = 20;
constexpr size_t SectionHeaderSize = 40;
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t Pe32PlusMagic = 0x20B;
constexpr size_t Pe32DirectoriesAt = 96;
constexpr size_t Pe32PlusDirectoriesAt = 112;
constexpr size_t Pe32CountAt = 92;
constexpr size_t Pe32PlusCountAt = 108;
constexpr uint32_t ResourceDirectoryIndex = 2;
constexpr size_t DirectoryEntrySize = 8;
constexpr size_t DirectoryHeaderSize = 16;
constexpr size_t DataEntrySize = 16;
constexpr uint32_t HighBit = 0x80000000u;
constexpr size_t MostSections = 96;
constexpr size_t MostResources = 100000;

uint16_t Read16(const std::vector<uint8_t>& file, size_t at) { return static_cast<uint16_t>(file[at] | (file[at + 1] << 8)); }
uint32_t Read32(const std::vector<uint8_t>& file, size_t at) {
  return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (static_cast<uint32_t>(file[at + 3]) << 24);
}

struct SectionRange {
  uint32_t address;   // virtual address
  uint32_t rawSize;
  uint32_t rawOffset;
};

struct Reader {
  const std::vector<uint8_t>& file;
  std::vector<SectionRange> sections;
  size_t base = 0;    // file offset of the resource directory
  size_t extent = 0;  // its size
  std::wstring problem;

  // The file offset of `size` bytes at `rva`, when they lie in one section's data.
  bool Map(uint32_t rva, uint32_t size, size_t* offset) const {
    for (const SectionRange& s : sections) {
      if (rva < s.address) continue;
      const uint64_t into = rva - s.address;
      if (into + size > s.rawSize) continue;
      *offset = static_cast<size_t>(s.rawOffset + into);
      return true;
    }
    return false;
  }

  bool Inside(size_t offset, size_t size) const { return offset <= extent && size <= extent - offset; }

  bool ReadName(uint32_t entryName, std::wstring* name) {
    if (!(entryName & HighBit)) {
      *name = L"#" + std::to_wstring(entryName & 0xFFFF);
      return true;
    }
    const size_t at = entryName & ~HighBit;
    if (!Inside(at, 2)) return false;
    const size_t length = Read16(file, base + at);
    if (!Inside(at + 2, length * 2)) return false;
    name->resize(length);
    for (size_t i = 0; i < length; ++i) {
      const wchar_t c = static_cast<wchar_t>(Read16(file, base + at + 2 + 2 * i));
      (*name)[i] = c < 0x20 ? L'?' : c;  // names go into one-line messages
    }
    return true;
  }

  // The entries of the directory at `at`, each checked to lie inside the resource data.
  bool Entries(size_t at, std::vector<std::pair<uint32_t, uint32_t>>* entries) {
    if (!Inside(at, DirectoryHeaderSize)) return false;
    const size_t count = static_cast<size_t>(Read16(file, base + at + 12)) + Read16(file, base + at + 14);
    if (!Inside(at + DirectoryHeaderSize, count * DirectoryEntrySize)) return false;
    entries->clear();
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = base + at + DirectoryHeaderSize + i * DirectoryEntrySize;
      entries->emplace_back(Read32(file, entry), Read32(file, entry + 4));
    }
    return true;
  }
};

std::wstring Bytes(size_t count) { return std::to_wstring(count) + L" bytes"; }

}  // namespace

bool ReadResources(const std::vector<uint8_t>& file, const std::wstring& fileLabel,
                   std::vector<Resource>* resources, std::wstring* problem) {
  resources->clear();
  const std::wstring notPe = fileLabel + L" is not a visual style: it is no Windows PE file";
  if (file.size() < DosHeaderSize || file[0] != 'M' || file[1] != 'Z') {
    *problem = notPe;
    return false;
  }
  const size_t header = Read32(file, NewHeaderOffsetAt);
  if (header > file.size() || file.size() - header < 4 + FileHeaderSize + 2) {
    *problem = header > file.size() ? notPe : fileLabel + L" is cut short: its PE headers end past its " + Bytes(file.size());
    return false;
  }
  if (file[header] != 'P' || file[header + 1] != 'E' || file[header + 2] != 0 || file[header + 3] != 0) {
    *problem = notPe;
    return false;
  }
  const size_t sectionCount = Read16(file, header + 6);
  const size_t optionalSize = Read16(file, header + 20);
  const size_t optional = header + 4 + FileHeaderSize;
  const size_t sectionTable = optional + optionalSize;
  if (sectionCount > MostSections) {
    *problem = fileLabel + L" is not a visual style: its PE header counts " + std::to_wstring(sectionCount) + L" sections";
    return false;
  }
  if (sectionTable + sectionCount * SectionHeaderSize > file.size()) {
    *problem = fileLabel + L" is cut short: its PE headers end past its " + Bytes(file.size());
    return false;
  }
  const uint16_t magic = Read16(file, optional);
  const bool plus = magic == Pe32PlusMagic;
  if (magic != Pe32Magic && !plus) {
    *problem = fileLabel + L" is not a visual style: its PE optional header is of no known kind";
    return false;
  }
  const size_t countAt = optional + (plus ? Pe32PlusCountAt : Pe32CountAt);
  const size_t directories = optional + (plus ? Pe32PlusDirectoriesAt : Pe32DirectoriesAt);
  const size_t resourceEntry = directories + ResourceDirectoryIndex * 8;
  if (countAt + 4 > optional + optionalSize || resourceEntry + 8 > optional + optionalSize ||
      Read32(file, countAt) <= ResourceDirectoryIndex) {
    *problem = fileLabel + L" is not a visual style: it has no resources";
    return false;
  }
  Reader reader{file, {}, 0, 0, {}};
  for (size_t i = 0; i < sectionCount; ++i) {
    const size_t at = sectionTable + i * SectionHeaderSize;
    SectionRange range{Read32(file, at + 12), Read32(file, at + 16), Read32(file, at + 20)};
    if (range.rawSize == 0) continue;
    if (static_cast<uint64_t>(range.rawOffset) + range.rawSize > file.size()) {
      *problem = fileLabel + L" is cut short: its section data runs to byte " +
                 std::to_wstring(static_cast<uint64_t>(range.rawOffset) + range.rawSize) + L" of a file of " +
                 Bytes(file.size());
      return false;
    }
    reader.sections.push_back(range);
  }
  const uint32_t rva = Read32(file, resourceEntry);
  const uint32_t size = Read32(file, resourceEntry + 4);
  if (rva == 0 || size == 0) {
    *problem = fileLabel + L" is not a visual style: it has no resources";
    return false;
  }
  if (!reader.Map(rva, size, &reader.base)) {
    *problem = fileLabel + L" is not a visual style: its resource directory lies outside its sections";
    return false;
  }
  reader.extent = size;

  const std::wstring broken = fileLabel + L" is not a visual style: its resource directory is broken";
  std::vector<std::pair<uint32_t, uint32_t>> types, names, languages;
  if (!reader.Entries(0, &types)) {
    *problem = broken;
    return false;
  }
  for (const auto& type : types) {
    Resource resource;
    if (!reader.ReadName(type.first, &resource.type) || !(type.second & HighBit) ||
        !reader.Entries(type.second & ~HighBit, &names)) {
      *problem = broken;
      return false;
    }
    for (const auto& name : names) {
      if (!reader.ReadName(name.first, &resource.name) || !(name.second & HighBit) ||
          !reader.Entries(name.second & ~HighBit, &languages) || languages.empty() || (languages[0].second & HighBit)) {
        *problem = broken;
        return false;
      }
      const size_t entry = languages[0].second;
      if (!reader.Inside(entry, DataEntrySize)) {
        *problem = broken;
        return false;
      }
      const uint32_t dataRva = Read32(file, reader.base + entry);
      const uint32_t dataSize = Read32(file, reader.base + entry + 4);
      if (!reader.Map(dataRva, dataSize, &resource.offset)) {
        *problem = fileLabel + L": resource " + resource.type + L"/" + resource.name +
                   L" lies outside the data the file holds";
        return false;
      }
      resource.size = dataSize;
      if (resources->size() >= MostResources) {
        *problem = fileLabel + L" is not a visual style: it holds more than " + std::to_wstring(MostResources) +
                   L" resources";
        return false;
      }
      resources->push_back(resource);
    }
  }
  return true;
}

const Resource* FindStyleResource(const std::vector<Resource>& resources, const std::wstring& type,
                                  const std::wstring& name) {
  for (const Resource& resource : resources) {
    if (SameText(resource.type, type) && SameText(resource.name, name)) return &resource;
  }
  return nullptr;
}

std::wstring ImageResourceName(const std::wstring& fileName) {
  std::wstring name(fileName);
  for (wchar_t& c : name) {
    if (c == L'\\' || c == L'/' || c == L'.') c = L'_';
    c = static_cast<wchar_t>(std::towupper(c));
  }
  return name;
}

}  // namespace skin::styles
