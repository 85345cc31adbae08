// 32-bit DIB sections for pixel-exact checks: a memory DC whose pixels the test reads directly.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

class Dib {
 public:
  Dib(int width, int height);
  ~Dib();
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF at(int x, int y) const;
  void set(int x, int y, COLORREF colour);
  // Every pixel a different colour, so that any misplaced copy shows.
  void FillPattern(int seed);
  bool SameAs(const Dib& other) const;

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  DWORD* bits_ = nullptr;
};

// A push button's caption as the skin lays it out, drawn with DrawTextW: black on white, in
// `font`, centred on one line two pixels inside the Dib. What a face's caption must match.
void DrawCaptionReference(const Dib& dib, const wchar_t* caption, HFONT font);

// The bytes of a top-down BMP file of one row of pixels repeated `height` times: COLORREFs, 24 bits
// each, or 32 with the alphas when they are given.
std::string Bmp(int height, const std::vector<COLORREF>& row, const std::vector<BYTE>& alphas = {});

// Saves width x height pixels of a device context as a 24-bit BMP file.
bool SaveAsBmp(HDC dc, int width, int height, const std::string& path);

// Wine's own light visual style, in every prefix.
std::wstring LightStyle();

}  // namespace testing_support
