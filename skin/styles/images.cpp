// A style's images: packed DIBs (a BITMAP resource, or a BMP file without its file header), every
// field checked against the bytes there are before anything is allocated, decoded into DIB
// sections that GDI draws from.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "skin/styles/internal.h"

namespace skin::styles {
namespace {

constexpr size_t InfoHeaderSize = 40;
constexpr size_t KnownHeaderSizes[] = {InfoHeaderSize, 52, 56, 108, 124};
constexpr size_t MasksAt = InfoHeaderSize;  // in the 52-byte and larger headers, or after a 40-byte one
constexpr size_t MaskBytes = 12;
constexpr size_t LargestTable = 256 * sizeof(RGBQUAD);  // what CheckHeader lets through
constexpr size_t FileHeaderSize = 14;
constexpr int LargestSide = 16384;
constexpr uint64_t LargestPixelCount = 16u * 1024 * 1024;
constexpr uint32_t Red888 = 0x00FF0000, Green888 = 0x0000FF00, Blue888 = 0x000000FF;
constexpr uint32_t Red555 = 0x7C00, Green555 = 0x03E0, Blue555 = 0x001F;
constexpr uint32_t Red565 = 0xF800, Green565 = 0x07E0, Blue565 = 0x001F;

uint16_t Read16(const uint8_t* data) { return static_cast<uint16_t>(data[0] | (data[1] << 8)); }
uint32_t Read32(const uint8_t* data) {
  return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
}
void Write16(std::vector<uint8_t>* out, uint16_t value) {
  out->push_back(static_cast<uint8_t>(value));
  out->push_back(static_cast<uint8_t>(value >> 8));
}
void Write32(std::vector<uint8_t>* out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<uint8_t>(value >> shift));
}

// The header and the colour table or masks, held in `size` bytes; the pixels are not looked at.
bool CheckHeader(const uint8_t* data, size_t size, DibLayout* layout, std::wstring* problem) {
  if (size < 4 || size < Read32(data)) {
    *problem = L"is cut short in its header";
    return false;
  }
  const size_t headerSize = Read32(data);
  bool known = false;
  for (size_t s : KnownHeaderSizes) known = known || headerSize == s;
  if (!known) {
    *problem = L"has a bitmap header of " + std::to_wstring(headerSize) + L" bytes, of no kind that is read";
    return false;
  }
  const int32_t width = static_cast<int32_t>(Read32(data + 4));
  const int32_t height = static_cast<int32_t>(Read32(data + 8));
  const int planes = Read16(data + 12);
  const int bitCount = Read16(data + 14);
  const uint32_t compression = Read32(data + 16);
  const uint32_t coloursUsed = Read32(data + 32);
  const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  if (width < 1 || rows < 1 || width > LargestSide || rows > LargestSide ||
      static_cast<uint64_t>(width) * static_cast<uint64_t>(rows) > LargestPixelCount) {
    *problem = L"is " + std::to_wstring(width) + L" x " + std::to_wstring(height) +
               L" pixels, not from 1 x 1 to " + std::to_wstring(LargestSide) + L" x " + std::to_wstring(LargestSide);
    return false;
  }
  if (planes != 1) {
    *problem = L"has " + std::to_wstring(planes) + L" colour planes, not 1";
    return false;
  }
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) {
    *problem = L"has " + std::to_wstring(bitCount) + L" bits per pixel, which is not read";
    return false;
  }
  const bool bitFields = compression == BI_BITFIELDS;
  if (compression != BI_RGB && !(bitFields && (bitCount == 16 || bitCount == 32))) {
    *problem = L"is compressed (compression " + std::to_wstring(compression) + L"), which is not read";
    return false;
  }
  size_t tableSize = 0;
  if (bitCount <= 8) {
    const uint32_t most = 1u << bitCount;
    if (coloursUsed > most) {
      *problem = L"has " + std::to_wstring(coloursUsed) + L" colours in its table, more than " +
                 std::to_wstring(bitCount) + L" bits per pixel use";
      return false;
    }
    tableSize = (coloursUsed ? coloursUsed : most) * sizeof(RGBQUAD);
  } else if (bitFields && headerSize == InfoHeaderSize) {
    tableSize = MaskBytes;
  } else if (coloursUsed > 256) {
    *problem = L"has " + std::to_wstring(coloursUsed) + L" colours in its table, more than 256";
    return false;
  } else {
    tableSize = coloursUsed * sizeof(RGBQUAD);
  }
  if (headerSize + tableSize > size) {
    *problem = L"is cut short in its colour table";
    return false;
  }
  if (bitFields) {
    const uint32_t red = Read32(data + MasksAt), green = Read32(data + MasksAt + 4), blue = Read32(data + MasksAt + 8);
    const bool standard = bitCount == 32 ? red == Red888 && green == Green888 && blue == Blue888
                                         : (red == Red555 && green == Green555 && blue == Blue555) ||
                                               (red == Red565 && green == Green565 && blue == Blue565);
    if (!standard) {
      *problem = L"has colour masks of a layout that is not read";
      return false;
    }
  }
  const uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
  layout->headerSize = headerSize;
  layout->tableSize = tableSize;
  layout->pixelOffset = headerSize + tableSize;
  layout->pixelSize = static_cast<size_t>(stride * static_cast<uint64_t>(rows));
  layout->width = width;
  layout->height = height;
  layout->bitCount = bitCount;
  layout->compression = compression;
  return true;
}

}  // namespace

bool CheckDib(const uint8_t* data, size_t size, DibLayout* layout, std::wstring* problem) {
  if (!CheckHeader(data, size, layout, problem)) return false;
  if (layout->pixelSize > size - layout->pixelOffset) {
    *problem = L"is cut short in its pixels (" + std::to_wstring(size - layout->pixelOffset) + L" of " +
               std::to_wstring(layout->pixelSize) + L" bytes)";
    return false;
  }
  return true;
}

HBITMAP DecodeDib(const uint8_t* data, const DibLayout& layout, bool* hasAlpha) {
  *hasAlpha = false;
  // A 40-byte header with the image's colour table or masks after it, whatever header it came with.
  alignas(BITMAPINFOHEADER) uint8_t info[InfoHeaderSize + LargestTable] = {};
  std::memcpy(info, data, InfoHeaderSize);
  BITMAPINFOHEADER& header = *reinterpret_cast<BITMAPINFOHEADER*>(info);
  header.biSize = InfoHeaderSize;
  header.biSizeImage = 0;
  const bool bitFields = layout.compression == BI_BITFIELDS;
  if (bitFields) std::memcpy(info + InfoHeaderSize, data + MasksAt, MaskBytes);
  else if (layout.tableSize) std::memcpy(info + InfoHeaderSize, data + layout.headerSize, layout.tableSize);
  // 32-bit images are kept as plain BGRA; their masks were checked to say just that.
  if (layout.bitCount == 32) header.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS,
                                          &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  std::memcpy(bits, data + layout.pixelOffset, layout.pixelSize);
  if (layout.bitCount == 32) {
    // Every 32-bit image is blended by its alpha, as the system's engine does, even an opaque one.
    // AlphaBlend wants the colours multiplied by their alpha: done once, here.
    BYTE* pixel = static_cast<BYTE*>(bits);
    for (size_t i = 0; i < layout.pixelSize / 4; ++i, pixel += 4) {
      const int alpha = pixel[3] + 1;
      pixel[0] = static_cast<BYTE>((pixel[0] * alpha) >> 8);
      pixel[1] = static_cast<BYTE>((pixel[1] * alpha) >> 8);
      pixel[2] = static_cast<BYTE>((pixel[2] * alpha) >> 8);
    }
    *hasAlpha = true;
  }
  return bitmap;
}

bool DibFromBmpFile(const std::vector<uint8_t>& file, std::vector<uint8_t>* dib, std::wstring* problem) {
  if (file.size() < FileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') {
    *problem = file.size() < FileHeaderSize + 4 && file.size() >= 2 && file[0] == 'B' && file[1] == 'M'
                   ? L"is cut short in its header"
                   : L"is not a BMP image";
    return false;
  }
  DibLayout layout;
  if (!CheckHeader(file.data() + FileHeaderSize, file.size() - FileHeaderSize, &layout, problem)) return false;
  const size_t pixels = Read32(file.data() + 10);
  if (pixels < FileHeaderSize + layout.pixelOffset) {
    *problem = L"has its pixels at byte " + std::to_wstring(pixels) + L", inside its headers, which end at byte " +
               std::to_wstring(FileHeaderSize + layout.pixelOffset);
    return false;
  }
  if (pixels > file.size() || layout.pixelSize > file.size() - pixels) {
    *problem = L"is cut short in its pixels";
    return false;
  }
  dib->assign(file.begin() + FileHeaderSize, file.begin() + FileHeaderSize + layout.pixelOffset);
  dib->insert(dib->end(), file.begin() + pixels, file.begin() + pixels + layout.pixelSize);
  return true;
}

std::vector<uint8_t> BmpFileFromDib(const uint8_t* data, const DibLayout& layout) {
  std::vector<uint8_t> file;
  const size_t dibSize = layout.pixelOffset + layout.pixelSize;
  file.reserve(FileHeaderSize + dibSize);
  file.push_back('B');
  file.push_back('M');
  Write32(&file, static_cast<uint32_t>(FileHeaderSize + dibSize));
  Write16(&file, 0);
  Write16(&file, 0);
  Write32(&file, static_cast<uint32_t>(FileHeaderSize + layout.pixelOffset));
  file.insert(file.end(), data, data + dibSize);
  return file;
}

}  // namespace skin::styles
