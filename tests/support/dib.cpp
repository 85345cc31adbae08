#include "tests/support/dib.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace testing_support {
namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

COLORREF FromBgrx(DWORD pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

DWORD ToBgrx(COLORREF colour) {
  return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

void Put(std::string* b, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) b->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

Dib::Dib(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info = TopDown32(width, height);
  dc_ = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<DWORD*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
}

Dib::~Dib() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Dib::at(int x, int y) const {
  GdiFlush();
  return FromBgrx(bits_[y * width_ + x]);
}

void Dib::set(int x, int y, COLORREF colour) {
  GdiFlush();
  bits_[y * width_ + x] = ToBgrx(colour);
}

void Dib::FillPattern(int seed) {
  GdiFlush();
  for (int i = 0; i < width_ * height_; ++i) {
    bits_[i] = ToBgrx(RGB((i * 37 + seed) & 0xFF, (i * 11 + seed * 3) & 0xFF, (i / 7 + seed) & 0xFF));
  }
}

bool Dib::SameAs(const Dib& other) const {
  GdiFlush();
  return width_ == other.width_ && height_ == other.height_ &&
         std::memcmp(bits_, other.bits_, sizeof(DWORD) * width_ * height_) == 0;
}

bool SaveAsBmp(HDC dc, int width, int height, const std::string& path) {
  Dib copy(width, height);
  BitBlt(copy.dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> rows(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    char* row = &rows[static_cast<size_t>(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) {
      const COLORREF c = copy.at(x, y);
      row[x * 3] = static_cast<char>(GetBValue(c));
      row[x * 3 + 1] = static_cast<char>(GetGValue(c));
      row[x * 3 + 2] = static_cast<char>(GetRValue(c));
    }
  }
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
  return static_cast<bool>(out);
}

std::string Bmp(int height, const std::vector<COLORREF>& row, const std::vector<BYTE>& alphas) {
  const int bits = alphas.empty() ? 24 : 32, width = static_cast<int>(row.size());
  const int stride = (width * bits / 8 + 3) & ~3;
  std::string b = "BM";
  Put(&b, 54 + stride * height, 4), Put(&b, 0, 4), Put(&b, 54, 4);
  Put(&b, 40, 4), Put(&b, width, 4), Put(&b, -height, 4), Put(&b, 1, 2), Put(&b, bits, 2);
  b.append(24, '\0');
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Put(&b, ToBgrx(row[x]), 3);
      if (bits == 32) Put(&b, alphas[x], 1);
    }
    b.append(stride - width * bits / 8, '\0');
  }
  return b;
}

void DrawCaptionReference(const Dib& dib, const wchar_t* caption, HFONT font) {
  PatBlt(dib.dc(), 0, 0, dib.width(), dib.height(), WHITENESS);
  const HGDIOBJ previous = SelectObject(dib.dc(), font);
  SetBkMode(dib.dc(), TRANSPARENT);
  SetTextColor(dib.dc(), 0x00000000);
  RECT face = {2, 2, dib.width() - 2, dib.height() - 2};
  DrawTextW(dib.dc(), caption, -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  SelectObject(dib.dc(), previous);
}

std::wstring LightStyle() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\resources\\themes\\light\\light.msstyles";
}

}  // namespace testing_support
