// Times the skin against plain Win32 baselines measured in the same run and prints one markdown
// table: each operation in microseconds, its baseline and the ratio of the two. The groups, in
// order: the drawing toolkit, a command button's faces and hover fade, the painters, a full
// repaint of every kind of control, message routing, attach and detach, and the start-up of
// Tavrin.exe. Anything that did not behave as a measurement assumes is listed under the table.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/texts.h"
#include "gallery/gallery.h"
#include "skin/controls/check_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/header.h"
#include "skin/controls/push_button.h"
#include "skin/engine.h"
#include "skin/look/parts.h"

namespace {

// ---------------------------------------------------------------- measuring

using Operation = std::function<void()>;

// A timed batch repeats an operation until it lasts about BatchTargetUs. An operation and its
// baseline are timed in alternate batches, so that both see the same conditions: the load other
// processes put on the machine and Wine's periodic flushes of window surfaces to the X server.
// Batches are taken until the sampling's budget is spent, but at least its minimum number; each
// figure is the median batch, per call.
constexpr double BatchTargetUs = 1000;
constexpr int MaxCallsPerBatch = 1024;
constexpr size_t MaxBatches = 301;

struct Sampling {
  size_t minBatches;
  double budgetUs;
};
constexpr Sampling Quick = {9, 500e3};
// Attaching a thousand controls takes seconds; two batches after the warm-up are enough.
constexpr Sampling Heavy = {2, 1e6};

// Process times advance in scheduler ticks, 10 ms under Wine: a CPU figure comes from a second
// and a half of calls, so that the rounding stays under 1 %.
constexpr double CpuSampleUs = 1.5e6;

struct Comparison {
  double measuredUs;
  double baselineUs;
};

double NowUs() {
  static const double ticksPerUs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e6;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerUs;
}

double FileTimeUs(const FILETIME& time) {
  return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10.0;
}

// User and kernel time of this process so far.
double ProcessCpuUs() {
  FILETIME creation, exit, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
  return FileTimeUs(kernel) + FileTimeUs(user);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// Wall time of `calls` calls, the drawing they queued included.
double TimeCalls(const Operation& operation, int calls) {
  const double start = NowUs();
  for (int i = 0; i < calls; ++i) operation();
  GdiFlush();
  return NowUs() - start;
}

// The calls per batch; calibrating doubles as the warm-up.
int CallsPerBatch(const Operation& operation) {
  int calls = 1;
  while (calls < MaxCallsPerBatch && TimeCalls(operation, calls) < BatchTargetUs) calls *= 2;
  return calls;
}

class Series {
 public:
  explicit Series(const Operation& operation) : operation_(operation), calls_(CallsPerBatch(operation)) {}

  void TakeBatch() { perCall_.push_back(TimeCalls(operation_, calls_) / calls_); }
  size_t batches() const { return perCall_.size(); }
  double MedianUs() const { return Median(perCall_); }

 private:
  const Operation& operation_;
  const int calls_;
  std::vector<double> perCall_;
};

Comparison MeasurePair(const Operation& measured, const Operation& baseline, Sampling sampling = Quick) {
  Series a(measured);
  Series b(baseline);
  const double start = NowUs();
  while (a.batches() < MaxBatches &&
         (a.batches() < sampling.minBatches || NowUs() - start < sampling.budgetUs)) {
    a.TakeBatch();
    b.TakeBatch();
  }
  return {a.MedianUs(), b.MedianUs()};
}

// One operation alone, the median of its batches per call.
double MeasureAlone(const Operation& operation) {
  Series a(operation);
  const double start = NowUs();
  while (a.batches() < MaxBatches && (a.batches() < Quick.minBatches || NowUs() - start < Quick.budgetUs)) {
    a.TakeBatch();
  }
  return a.MedianUs();
}

// This process's CPU time per call, over CpuSampleUs of calls.
double CpuUsPerCall(const Operation& operation) {
  const double cpuStart = ProcessCpuUs();
  const double start = NowUs();
  int calls = 0;
  do {
    operation();
    ++calls;
  } while (NowUs() - start < CpuSampleUs);
  GdiFlush();
  return (ProcessCpuUs() - cpuStart) / calls;
}

// ---------------------------------------------------------------- the table and its notes

std::vector<std::string> Notes;

void Note(const std::string& text) { Notes.push_back(text); }

void PrintHeader() {
  std::printf("| %-60s | %11s | %-44s | %11s | %7s |\n", "operation", "us", "baseline", "us", "ratio");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(62, '-').c_str(), std::string(13, '-').c_str(),
              std::string(46, '-').c_str(), std::string(13, '-').c_str(), std::string(9, '-').c_str());
}

void PrintRow(const std::string& operation, double us, const std::string& baseline, double baselineUs) {
  std::printf("| %-60s | %11.2f | %-44s | %11.2f | %7.2f |\n", operation.c_str(), us, baseline.c_str(),
              baselineUs, baselineUs > 0 ? us / baselineUs : 0.0);
  std::fflush(stdout);
}

void Compare(const std::string& operation, const Operation& measured, const std::string& baseline,
             const Operation& reference) {
  const Comparison c = MeasurePair(measured, reference);
  PrintRow(operation, c.measuredUs, baseline, c.baselineUs);
}

void PrintNotes() {
  if (Notes.empty()) return;
  std::printf("\nNotes:\n");
  for (const std::string& note : Notes) std::printf("- %s\n", note.c_str());
}

// ---------------------------------------------------------------- windows

// The screen is 1024 x 768. The windows do not overlap, so each paints all of itself.
constexpr POINT SkinnedGalleryAt = {0, 0};
constexpr POINT PlainGalleryAt = {460, 0};
constexpr RECT ButtonFormPlace = {0, 330, 300, 410};
// Both forms of check boxes are children of one host window: a press moves the focus between
// them without activating another top-level window, which a skinned form would skin.
constexpr RECT CheckHostPlace = {0, 420, 1016, 700};
constexpr POINT SkinnedChecksAt = {0, 0};
constexpr POINT PlainChecksAt = {505, 0};
constexpr SIZE CheckFormSize = {500, 240};
constexpr char CheckHostClass[] = "SkinBenchHost";
// Where the pointer waits: over no window of the benchmark, so that no hover starts by itself.
constexpr POINT ParkedCursor = {1020, 764};

constexpr char FormClass[] = "Form";  // the gallery's container class
constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD PushButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
// Tavrin's command buttons are 3855 x 375 twips: 257 x 25 pixels.
constexpr SIZE CommandButton = {257, 25};
constexpr int Margin = 10;
constexpr DWORD SettleMs = 200;

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  MSG message;
  do {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;  // a destroyed gallery posts one
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(1);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

// A container the skin recognises, shown without taking the activation (see CreateScene) or
// left hidden.
HWND CreateForm(const char* caption, const RECT& place, bool shown = true) {
  const HWND form = CreateWindowExA(0, FormClass, caption, FormStyle, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
  if (shown) ShowWindow(form, SW_SHOWNOACTIVATE);
  return form;
}

// Created as Tavrin creates its buttons, through the wide functions.
HWND AddPushButton(HWND parent, const wchar_t* caption, int x, int y, SIZE size) {
  const HWND button = CreateWindowExW(0, L"Button", caption, PushButtonStyle, x, y, size.cx, size.cy,
                                      parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return button;
}

bool IsSkinned(HWND window) { return skin::GetProperty(window, skin::ProcAddrProperty) != 0; }

// Blends a width x height surface onto the window through its whole-window DC at a constant
// opacity, the least a fade tick does.
void AlphaBlendToWindow(HWND window, HDC source, SIZE size, intptr_t alpha) {
  BLENDFUNCTION blend = {};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = static_cast<BYTE>(alpha);
  const HDC dc = GetWindowDC(window);
  AlphaBlend(dc, 0, 0, size.cx, size.cy, source, 0, 0, size.cx, size.cy, blend);
  ReleaseDC(window, dc);
}

// Copies a width x height surface onto the window through its whole-window DC, fetched and
// released as the skin's painters do when they are given no DC.
void BlitToWindow(HWND window, HDC source, SIZE size) {
  const HDC dc = GetWindowDC(window);
  BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
}

// A form of 100 check boxes, 10 by 10, as the gallery's check boxes are made.
constexpr int CheckColumns = 10;
constexpr int CheckCount = 100;
constexpr SIZE CheckBoxSize = {46, 20};
constexpr int CheckGap = 2;
constexpr char CheckBoxClass[] = "ThunderRT6CheckBox";
constexpr DWORD CheckBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

struct CheckForm {
  HWND form;
  HWND boxes[CheckCount];
};

// The host is of a class the skin does not know, so that nothing skins what is inside it.
HWND CreateCheckHost() {
  WNDCLASSEXA cls = {};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = &DefWindowProcA;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = CheckHostClass;
  RegisterClassExA(&cls);
  const RECT& r = CheckHostPlace;
  const HWND host = CreateWindowExA(0, CheckHostClass, "Check boxes", FormStyle, r.left, r.top, r.right - r.left,
                                    r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(host, SW_SHOWNOACTIVATE);
  return host;
}

CheckForm CreateCheckForm(HWND host, POINT at) {
  CheckForm f = {};
  f.form = CreateWindowExA(0, FormClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, at.x, at.y, CheckFormSize.cx,
                           CheckFormSize.cy, host, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (int i = 0; i < CheckCount; ++i) {
    const int x = CheckGap + (i % CheckColumns) * (CheckBoxSize.cx + CheckGap);
    const int y = CheckGap + (i / CheckColumns) * (CheckBoxSize.cy + CheckGap);
    f.boxes[i] = CreateWindowExA(0, CheckBoxClass, "box", CheckBoxStyle, x, y, CheckBoxSize.cx, CheckBoxSize.cy,
                                 f.form, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(f.boxes[i], WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
  return f;
}

// One gallery skinned and its unskinned twin, whose controls are the baselines, a form with one
// command button of Tavrin's size, and two forms of 100 check boxes, one skinned.
struct Scene {
  gallery::Controls skinned;
  gallery::Controls plain;
  HWND buttonForm;
  HWND commandButton;
  HWND checkHost;
  CheckForm skinnedChecks;
  CheckForm plainChecks;
};

Scene CreateScene() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!gallery::RegisterGalleryClasses(instance)) Note("the gallery's window classes were not all registered");
  // Every window exists before anything is skinned: a skinned form also skins any form that is
  // activated opposite it, and the twin must stay plain.
  Scene scene = {};
  scene.plain = gallery::CreateGallery(instance, PlainGalleryAt.x, PlainGalleryAt.y);
  scene.skinned = gallery::CreateGallery(instance, SkinnedGalleryAt.x, SkinnedGalleryAt.y);
  scene.buttonForm = CreateForm("Command button", ButtonFormPlace);
  scene.commandButton = AddPushButton(scene.buttonForm, app::OptimiseCaption, Margin, Margin, CommandButton);
  scene.checkHost = CreateCheckHost();
  scene.plainChecks = CreateCheckForm(scene.checkHost, PlainChecksAt);
  scene.skinnedChecks = CreateCheckForm(scene.checkHost, SkinnedChecksAt);
  skin::SkinAttach(scene.skinned.form);
  skin::SkinAttach(scene.buttonForm);
  skin::SkinAttach(scene.skinnedChecks.form);
  Pump(SettleMs);
  if (!IsSkinned(scene.skinned.push) || !IsSkinned(scene.commandButton) ||
      !IsSkinned(scene.skinnedChecks.boxes[CheckCount - 1])) {
    Note("a window to measure skinned is not skinned");
  }
  if (IsSkinned(scene.plain.form) || IsSkinned(scene.plain.push) || IsSkinned(scene.plainChecks.boxes[0])) {
    Note("the unskinned twin gallery or check boxes got skinned");
  }
  return scene;
}

void DestroyScene(const Scene& scene) {
  skin::SkinDetach(scene.skinnedChecks.form);
  skin::SkinDetach(scene.buttonForm);
  skin::SkinDetach(scene.skinned.form);
  for (HWND form : {scene.checkHost, scene.buttonForm, scene.skinned.form, scene.plain.form}) DestroyWindow(form);
  Pump(SettleMs);
  if (skin::SkinnedWindowCount != 0 || skin::SkinAtlas.ButtonFaceStrip != nullptr ||
      skin::SkinDrawing.ReferenceDc != nullptr) {
    Note("after the last detach the skin still counts " + std::to_string(skin::SkinnedWindowCount) +
         " windows or holds its atlas or drawing objects");
  }
}

// ---------------------------------------------------------------- pixels

// FNV-1a of every pixel each window shows, frame included, read through its window DC: the same
// skin draws the same hash.
uint64_t PixelHash(const std::vector<HWND>& windows) {
  uint64_t hash = 14695981039346656037ull;
  for (const HWND window : windows) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const HDC dc = GetWindowDC(window);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const COLORREF pixel = GetPixel(dc, x, y);
        for (int shift = 0; shift < 32; shift += 8) {
          hash = (hash ^ ((pixel >> shift) & 0xFF)) * 1099511628211ull;
        }
      }
    }
    ReleaseDC(window, dc);
  }
  return hash;
}

void NoteHash(const std::string& what, const std::vector<HWND>& windows) {
  char text[32];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(PixelHash(windows)));
  Note("pixel hash of " + what + ": " + text);
}

// What the skinned gallery and the command button show at rest, repainted whole.
void NoteSkinnedHash(const Scene& scene) {
  RedrawWindow(scene.skinned.form, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RedrawWindow(scene.buttonForm, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(SettleMs);
  const gallery::Controls& s = scene.skinned;
  NoteHash("the skinned gallery's controls and the command button",
           {s.push, s.pushDisabled, s.check, s.checkIndeterminate, s.checkDisabled, s.option, s.optionOther,
            s.optionDisabled, s.comboSimple, s.comboDropDown, s.comboDropList, s.driveList, s.header, s.progress,
            s.progressVertical, s.dataList, s.grid, s.edit, scene.commandButton});
}

// ---------------------------------------------------------------- toolkit

// Sizes in the atlas: the push-button face cell and its corners, the check box's tick and the
// cell it is drawn into, and the five images.
constexpr SIZE ButtonFaceCell = {7, 21};
constexpr int ButtonFaceCorner = 3;
constexpr SIZE Tick = {9, 8};
constexpr int TickInset = 2;
constexpr int GlyphCell = 13;
constexpr SIZE AtlasImageSizes[] = {{7, 84}, {15, 18}, {18, 24}, {13, 52}, {9, 20}};

void BenchToolkit() {
  skin::BuildSkinAtlas();
  const HDC face = skin::CreateSurface(CommandButton.cx, CommandButton.cy);
  const HDC glyphCell = skin::CreateSurface(GlyphCell, GlyphCell);

  Compare("BlitSliced 257x25 from the 7x21 face",
          [&] {
            skin::BlitSliced(face, 0, 0, CommandButton.cx, CommandButton.cy, skin::SkinAtlas.ButtonFaceStrip,
                             0, 0, ButtonFaceCell.cx, ButtonFaceCell.cy, ButtonFaceCorner, ButtonFaceCorner,
                             ButtonFaceCorner, ButtonFaceCorner);
          },
          "BitBlt 257x25",
          [&] { BitBlt(face, 0, 0, CommandButton.cx, CommandButton.cy, glyphCell, 0, 0, SRCCOPY); });
  // The centre of that copy, the largest of its nine pieces: one stretch.
  Compare("- its centre piece: StretchBlt 1x15 to 251x19",
          [&] {
            StretchBlt(face, ButtonFaceCorner, ButtonFaceCorner, CommandButton.cx - 2 * ButtonFaceCorner,
                       CommandButton.cy - 2 * ButtonFaceCorner, skin::SkinAtlas.ButtonFaceStrip, ButtonFaceCorner,
                       ButtonFaceCorner, ButtonFaceCell.cx - 2 * ButtonFaceCorner,
                       ButtonFaceCell.cy - 2 * ButtonFaceCorner, SRCCOPY);
          },
          "BitBlt 257x25",
          [&] { BitBlt(face, 0, 0, CommandButton.cx, CommandButton.cy, glyphCell, 0, 0, SRCCOPY); });
  Compare("BlitTransparent 9x8 tick",
          [&] {
            skin::BlitTransparent(glyphCell, TickInset, TickInset, Tick.cx, Tick.cy, skin::SkinAtlas.CheckGlyphs,
                                  0, 0, skin::KeyColour);
          },
          "BitBlt 9x8",
          [&] {
            BitBlt(glyphCell, TickInset, TickInset, Tick.cx, Tick.cy, skin::SkinAtlas.CheckGlyphs, 0, 0, SRCCOPY);
          });
  Compare("BuildSkinAtlas + ReleaseSkinAtlas", [] { skin::ReleaseSkinAtlas(); skin::BuildSkinAtlas(); },
          "BitBlt of the five image sizes", [&] {
            for (const SIZE& size : AtlasImageSizes) {
              BitBlt(face, 0, 0, size.cx, size.cy, glyphCell, 0, 0, SRCCOPY);
            }
          });

  skin::ReleaseSurface(glyphCell);
  skin::ReleaseSurface(face);
  // SkinAttach builds the atlas again, once, for the windows it skins.
  skin::ReleaseSkinAtlas();
}

// ---------------------------------------------------------------- command button and fade

// The ticks of one fade: ALPHALEVEL 0, 3, ..., 255, and the tick after 255 ends it.
constexpr int FadeTicks = skin::OpaqueAlpha / skin::FadeStep + 1;
constexpr intptr_t MidFadeAlpha = 129;

// What the first move of the pointer into a push button sets before its fade runs.
void StartHover(HWND button) {
  skin::SetProperty(button, skin::MouseFlagProperty, 1);
  skin::SetProperty(button, skin::OldStateProperty, skin::StateHot);
  skin::SetProperty(button, skin::AlphaLevelProperty, 0);
  skin::StartFadeTimer(button);
}

// A whole fade, its ticks sent one after another instead of 15 ms apart.
void RunFade(HWND button) {
  StartHover(button);
  for (int tick = 0; tick < FadeTicks; ++tick) SendMessageA(button, WM_TIMER, skin::FadeTimerId, 0);
}

void BenchCommandButton(HWND button) {
  const HDC source = skin::CreateSurface(CommandButton.cx, CommandButton.cy);
  const HDC target = skin::CreateSurface(CommandButton.cx, CommandButton.cy);
  const auto blitOnce = [&] { BitBlt(target, 0, 0, CommandButton.cx, CommandButton.cy, source, 0, 0, SRCCOPY); };
  const auto blitToButton = [&] { BlitToWindow(button, source, CommandButton); };

  Compare("RenderButtonFaces, 257x25 button (4 faces)", [&] { skin::RenderButtonFaces(button); },
          "BitBlt 257x25", blitOnce);

  skin::SetProperty(button, skin::OldStateProperty, skin::StateHot);
  skin::SetProperty(button, skin::AlphaLevelProperty, MidFadeAlpha);
  Compare("Fade tick: BlendStateFace 257x25 to its window DC", [&] { skin::BlendStateFace(button, nullptr); },
          "BitBlt 257x25 to the same window DC", blitToButton);
  const HDC hotFace = skin::StateSurface(button, skin::StateHot);
  const auto alphaBlendToButton = [&] { AlphaBlendToWindow(button, hotFace, CommandButton, MidFadeAlpha); };
  Compare("Fade tick: BlendStateFace 257x25 to its window DC", [&] { skin::BlendStateFace(button, nullptr); },
          "AlphaBlend of the same face to the window DC", alphaBlendToButton);
  Compare("One property read (GetPropA of ALPHALEVEL)", [&] { skin::GetProperty(button, skin::AlphaLevelProperty); },
          "AlphaBlend of the same face to the window DC", alphaBlendToButton);

  const auto blitsOfAFade = [&] {
    for (int tick = 0; tick < FadeTicks; ++tick) blitToButton();
  };
  const auto fade = [&] { RunFade(button); };
  const Comparison wall = MeasurePair(fade, blitsOfAFade);
  const std::string ticks = std::to_string(FadeTicks);
  PrintRow("Fade of " + ticks + " WM_TIMER ticks, wall", wall.measuredUs,
           ticks + " BitBlts 257x25 to the window DC", wall.baselineUs);
  const double fadeCpuUs = CpuUsPerCall(fade);
  const double blitsCpuUs = CpuUsPerCall(blitsOfAFade);
  PrintRow("Fade of " + ticks + " WM_TIMER ticks, process CPU", fadeCpuUs,
           "the same " + ticks + " BitBlts, process CPU", blitsCpuUs);
  if (skin::GetProperty(button, skin::TimerIdProperty) != 0 ||
      skin::GetProperty(button, skin::AlphaLevelProperty) != 0) {
    Note("a fade of " + ticks + " ticks did not end with its timer stopped and ALPHALEVEL back at 0");
  }
  skin::SetProperty(button, skin::MouseFlagProperty, 0);
  skin::SetProperty(button, skin::OldStateProperty, skin::StateNormal);
  skin::ReleaseSurface(target);
  skin::ReleaseSurface(source);
}

// ---------------------------------------------------------------- painters and repaints

constexpr UINT PaintNow = RDW_INVALIDATE | RDW_UPDATENOW;
constexpr UINT RepaintAll = RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE;
constexpr int FirstHeaderItem = 0;

void Redraw(HWND window, UINT flags) { RedrawWindow(window, nullptr, nullptr, flags); }

// Each painter forced over its control, against the unskinned twin painting itself.
void BenchPainters(const Scene& scene) {
  const gallery::Controls& s = scene.skinned;
  const gallery::Controls& p = scene.plain;
  const char twinPaint[] = "WM_PAINT of the unskinned twin";
  Compare("RenderButtonFaces, push button 120x28 (4 faces)", [&] { skin::RenderButtonFaces(s.push); }, twinPaint,
          [&] { Redraw(p.push, PaintNow); });
  // What each of the four faces draws besides its nine-slice copy: the caption.
  const std::wstring caption = skin::WindowText(p.push);
  const HDC captionSurface = skin::CreateSurface(120, 28);
  SelectObject(captionSurface, reinterpret_cast<HFONT>(SendMessageA(p.push, WM_GETFONT, 0, 0)));
  SetBkMode(captionSurface, TRANSPARENT);
  Compare("- DrawTextIn of its caption, one face",
          [&] { skin::DrawTextIn(captionSurface, caption, 2, 2, 116, 24, skin::CaptionFormat); }, twinPaint,
          [&] { Redraw(p.push, PaintNow); });
  skin::ReleaseSurface(captionSurface);
  Compare("PaintCheckBox, forced", [&] { skin::PaintCheckBox(s.check, skin::StateNormal, true); },
          twinPaint, [&] { Redraw(p.check, PaintNow); });
  Compare("PaintOptionButton, forced", [&] { skin::PaintOptionButton(s.option, skin::StateNormal, true); },
          twinPaint, [&] { Redraw(p.option, PaintNow); });
  Compare("PaintComboButton, drop-down list, forced",
          [&] { skin::PaintComboButton(s.comboDropList, nullptr, skin::StateNormal, true); },
          twinPaint, [&] { Redraw(p.comboDropList, PaintNow); });
  Compare("PaintHeaderItem, first item",
          [&] { skin::PaintHeaderItem(s.header, nullptr, FirstHeaderItem, skin::StateNormal); }, twinPaint, [&] { Redraw(p.header, PaintNow); });
}

struct PaintedKind {
  const char* name;
  HWND gallery::Controls::*control;
};

constexpr PaintedKind PaintedKinds[] = {
    {"push button 120x28", &gallery::Controls::push},
    {"check box", &gallery::Controls::check},
    {"option button", &gallery::Controls::option},
    {"combo box, drop-down list", &gallery::Controls::comboDropList},
    {"combo box, editable", &gallery::Controls::comboDropDown},
    {"drive list", &gallery::Controls::driveList},
    {"progress bar", &gallery::Controls::progress},
    {"header", &gallery::Controls::header},
    {"data list", &gallery::Controls::dataList},
    {"grid", &gallery::Controls::grid},
    {"edit with client edge", &gallery::Controls::edit},
};

// Frame, background and client area of each kind, skinned against unskinned.
void BenchRepaints(const Scene& scene) {
  for (const PaintedKind& kind : PaintedKinds) {
    const HWND skinned = scene.skinned.*kind.control;
    const HWND plain = scene.plain.*kind.control;
    Compare(std::string("Full repaint, skinned: ") + kind.name, [&] { Redraw(skinned, RepaintAll); },
            "the same, unskinned twin", [&] { Redraw(plain, RepaintAll); });
  }
  // The push button's paint without its erase; then the erase alone, which the face covers.
  const HWND push = scene.skinned.push;
  const HWND twin = scene.plain.push;
  Compare("- push button, WM_PAINT alone (one AlphaBlend)", [&] { Redraw(push, PaintNow); },
          "the same, unskinned twin", [&] { Redraw(twin, PaintNow); });
  const HDC pushDc = GetDC(push);
  const HDC twinDc = GetDC(twin);
  Compare("- push button, WM_ERASEBKGND", [&] { SendMessageA(push, WM_ERASEBKGND, reinterpret_cast<WPARAM>(pushDc), 0); },
          "the same, unskinned twin", [&] { SendMessageA(twin, WM_ERASEBKGND, reinterpret_cast<WPARAM>(twinDc), 0); });
  ReleaseDC(push, pushDc);
  ReleaseDC(twin, twinDc);
}

// ---------------------------------------------------------------- release on a form of check boxes

constexpr int ReleasedBox = 55;
const LPARAM InsideBox = MAKELPARAM(5, 5);

// WM_LBUTTONUP on a check box just pressed with WM_LBUTTONDOWN: the wall time of the release
// alone, the drawing it queued included. The press is not timed.
double TimeRelease(HWND box) {
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, InsideBox);
  GdiFlush();
  const double start = NowUs();
  SendMessageA(box, WM_LBUTTONUP, 0, InsideBox);
  GdiFlush();
  return NowUs() - start;
}

// A release toggles the box; a skinned one then draws its square once over what the box drew.
void BenchRelease(const Scene& scene) {
  const HWND skinned = scene.skinnedChecks.boxes[ReleasedBox];
  const HWND plain = scene.plainChecks.boxes[ReleasedBox];
  const LRESULT before = SendMessageA(skinned, BM_GETCHECK, 0, 0);
  TimeRelease(skinned);
  TimeRelease(plain);
  if (SendMessageA(skinned, BM_GETCHECK, 0, 0) == before) Note("a press and release did not toggle the check box");
  std::vector<double> skinnedUs, plainUs;
  const double start = NowUs();
  while (skinnedUs.size() < MaxBatches && (skinnedUs.size() < Quick.minBatches || NowUs() - start < Quick.budgetUs)) {
    skinnedUs.push_back(TimeRelease(skinned));
    plainUs.push_back(TimeRelease(plain));
  }
  const double plainReleaseUs = Median(plainUs);
  PrintRow("WM_LBUTTONUP on check box 56 of a form of 100", Median(skinnedUs), "the same, unskinned form",
           plainReleaseUs);
  if (IsSkinned(plain)) Note("the unskinned check boxes got skinned");

  // Where the skinned release's time goes, each part against the same unskinned release.
  const char unskinned[] = "the unskinned release above";
  PrintRow("- PaintCheckBox of the released box, forced",
           MeasureAlone([&] { skin::PaintCheckBox(skinned, skin::StateNormal, true); }), unskinned, plainReleaseUs);
  PrintRow("- GetSystemMetrics of the check size (x and y), now read once", MeasureAlone([] {
             GetSystemMetrics(SM_CXMENUCHECK);
             GetSystemMetrics(SM_CYMENUCHECK);
           }),
           unskinned, plainReleaseUs);
  PrintRow("- GetPropA, one property read", MeasureAlone([&] { skin::GetProperty(skinned, skin::OldStateProperty); }),
           unskinned, plainReleaseUs);
  PrintRow("- GetWindowDC + BitBlt 13x13 + ReleaseDC", MeasureAlone([&] { BlitToWindow(skinned, skin::SkinAtlas.OptionCircleStrip, {13, 13}); }),
           unskinned, plainReleaseUs);
}

// ---------------------------------------------------------------- message routing

constexpr UINT UnroutedMessage = WM_GETTEXTLENGTH;

POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// One message the skin passes straight on and one it handles, to a skinned button and its twin.
// The pointer is really over the skinned button, as it is for a move the skin sees in use.
void BenchMessages(const Scene& scene) {
  const HWND skinned = scene.skinned.push;
  const HWND plain = scene.plain.push;
  Compare("WM_GETTEXTLENGTH to a skinned button (unrouted)", [&] { SendMessageA(skinned, UnroutedMessage, 0, 0); },
          "the same to the unskinned twin", [&] { SendMessageA(plain, UnroutedMessage, 0, 0); });

  // Already hovered, so the moves neither start a fade nor ask for WM_MOUSELEAVE.
  skin::SetProperty(skinned, skin::MouseFlagProperty, 1);
  const POINT centre = CentreOf(skinned);
  SetCursorPos(centre.x, centre.y);
  Pump(SettleMs);
  if (WindowFromPoint(centre) != skinned) Note("the pointer could not be placed over the skinned button");
  POINT client = centre;
  ScreenToClient(skinned, &client);
  const LPARAM at = MAKELPARAM(client.x, client.y);
  Compare("WM_MOUSEMOVE in a hovered skinned button (routed)", [&] { SendMessageA(skinned, WM_MOUSEMOVE, 0, at); },
          "the same to the unskinned twin", [&] { SendMessageA(plain, WM_MOUSEMOVE, 0, at); });
  SetCursorPos(ParkedCursor.x, ParkedCursor.y);
  skin::SetProperty(skinned, skin::MouseFlagProperty, 0);
  Pump(SettleMs);
}

// ---------------------------------------------------------------- attach and detach

// Tavrin attaches its main window before showing it: the hidden forms show the skin's own cost
// per control. On a shown form each button's new window region also makes the window system
// clip the form again against all its buttons, so that cost grows with the count; a shown form
// of 1,000 buttons takes tens of seconds per attach and is left out.
struct AttachCase {
  int buttons;
  bool shown;
  Sampling sampling;
};
constexpr AttachCase AttachCases[] = {
    {10, false, Quick}, {100, false, Quick}, {1000, false, Heavy}, {10, true, Quick}, {100, true, Heavy},
};
// A thousand buttons of this size fit side by side on the screen without overlapping, so that
// each one costs the same whatever the count.
constexpr SIZE SmallButton = {30, 20};
constexpr int ButtonGap = 2;
constexpr RECT FullScreen = {0, 0, 1024, 768};

HWND CreateButtonForm(const AttachCase& c) {
  const HWND form = CreateForm("Attach", FullScreen, c.shown);
  RECT client;
  GetClientRect(form, &client);
  const int columns = std::max(1, static_cast<int>(client.right / (SmallButton.cx + ButtonGap)));
  for (int i = 0; i < c.buttons; ++i) {
    const int x = ButtonGap + (i % columns) * (SmallButton.cx + ButtonGap);
    const int y = ButtonGap + (i / columns) * (SmallButton.cy + ButtonGap);
    AddPushButton(form, L"OK", x, y, SmallButton);
  }
  return form;
}

BOOL CALLBACK SubclassAndRestore(HWND window, LPARAM) {
  const LONG_PTR previous =
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  SetWindowLongPtrW(window, GWLP_WNDPROC, previous);
  return TRUE;
}

void ShowScene(const Scene& scene, int command) {
  for (HWND form : {scene.skinned.form, scene.plain.form, scene.buttonForm, scene.checkHost}) {
    ShowWindow(form, command);
  }
}

// Attach and detach per control, alone on the screen. The scene stays skinned though hidden, so
// the atlas is built once, not once per attach: its cost is the BuildSkinAtlas row.
void BenchAttach(const Scene& scene) {
  ShowScene(scene, SW_HIDE);
  for (const AttachCase& c : AttachCases) {
    const HWND form = CreateButtonForm(c);
    Pump(SettleMs);
    const Comparison times = MeasurePair([&] { skin::SkinAttach(form); skin::SkinDetach(form); },
                                         [&] {
                                           SubclassAndRestore(form, 0);
                                           EnumChildWindows(form, &SubclassAndRestore, 0);
                                         },
                                         c.sampling);
    const std::string what = std::to_string(c.buttons) + (c.shown ? " on a shown form" : " on a hidden form");
    PrintRow("SkinAttach + SkinDetach per button, " + what, times.measuredUs / c.buttons,
             "subclass + restore (GWLP_WNDPROC), per button", times.baselineUs / c.buttons);
    if (IsSkinned(form)) Note("the form of " + what + " is still skinned after SkinDetach");
    DestroyWindow(form);
    Pump(SettleMs);
  }
  ShowScene(scene, SW_SHOWNOACTIVATE);
  Pump(SettleMs);
}

// ---------------------------------------------------------------- a dressed thread

// Dressing the thread against attaching its one form, per window; then what a dressed thread
// adds to the life of a new control. Run with nothing else on the thread, which would be dressed
// too.
void BenchDressing() {
  const AttachCase c = {100, false, Quick};
  const HWND form = CreateButtonForm(c);
  Pump(SettleMs);
  const int windows = c.buttons + 1;
  const Comparison dressing = MeasurePair([] { skin::SkinAttachThread(); skin::SkinDetachThread(); },
                                          [&] { skin::SkinAttach(form); skin::SkinDetach(form); });
  PrintRow("SkinAttachThread + SkinDetachThread, per window of 101", dressing.measuredUs / windows,
           "SkinAttach + SkinDetach of the form, per window", dressing.baselineUs / windows);
  auto createAndDestroy = [&] { DestroyWindow(AddPushButton(form, L"OK", 4, 4, SmallButton)); };
  const double plainUs = MeasureAlone(createAndDestroy);
  skin::SkinAttachThread();
  const double dressedUs = MeasureAlone(createAndDestroy);
  skin::SkinDetachThread();
  PrintRow("Create + destroy a push button on a dressed thread", dressedUs, "the same, undressed thread", plainUs);
  DestroyWindow(form);
  Pump(SettleMs);
}

// ---------------------------------------------------------------- standard controls

struct StandardKind {
  const char* name;
  HWND gallery::StandardControls::*control;
};

constexpr StandardKind StandardKinds[] = {
    {"check box", &gallery::StandardControls::check},
    {"radio button", &gallery::StandardControls::radio},
    {"push-like check box", &gallery::StandardControls::pushLike},
    {"group box", &gallery::StandardControls::group},
    {"progress bar", &gallery::StandardControls::progress},
    {"edit with client edge", &gallery::StandardControls::edit},
    {"list box with border", &gallery::StandardControls::list},
    {"list view", &gallery::StandardControls::listView},
    {"tree view", &gallery::StandardControls::treeView},
    {"rich edit", &gallery::StandardControls::richEdit},
    {"tab control", &gallery::StandardControls::tabs},
    {"track bar", &gallery::StandardControls::trackBar},
    {"up-down", &gallery::StandardControls::upDown},
    {"status bar", &gallery::StandardControls::statusBar},
    {"header with image and sort arrow", &gallery::StandardControls::richHeader},
    {"rebar with a toolbar", &gallery::StandardControls::reBar},
};

// Each standard control repainted whole on a dressed thread against itself before the thread was
// dressed: dressing takes every window of the thread, so a plain twin cannot stay beside it.
void BenchStandardLooks() {
  const gallery::StandardControls c = gallery::CreateStandardGallery(GetModuleHandleA(nullptr), 0, 0);
  Pump(SettleMs);
  double plainUs[std::size(StandardKinds)] = {};
  for (size_t i = 0; i < std::size(StandardKinds); ++i) {
    const HWND control = c.*StandardKinds[i].control;
    plainUs[i] = MeasureAlone([&] { Redraw(control, RepaintAll | RDW_ALLCHILDREN); });
  }
  skin::SkinAttachThread();
  Pump(SettleMs);
  for (size_t i = 0; i < std::size(StandardKinds); ++i) {
    const HWND control = c.*StandardKinds[i].control;
    PrintRow(std::string("Full repaint, dressed: ") + StandardKinds[i].name,
             MeasureAlone([&] { Redraw(control, RepaintAll | RDW_ALLCHILDREN); }),
             "the same control, thread not dressed", plainUs[i]);
  }
  for (const wchar_t* theme : {L"light", L"dark"}) {
    skin::SkinSetTheme(theme);
    Redraw(c.form, RepaintAll | RDW_ALLCHILDREN);
    Pump(SettleMs);
    std::vector<HWND> controls;
    for (const StandardKind& kind : StandardKinds) controls.push_back(c.*kind.control);
    NoteHash(std::string("the dressed standard controls, ") + (theme[0] == L'l' ? "light" : "dark"), controls);
  }
  skin::SkinSetTheme(L"light");
  skin::SkinDetachThread();
  DestroyWindow(c.form);
  Pump(SettleMs);
}

// Enumeration callbacks are stdcall on 32-bit Windows, which a lambda cannot be.
BOOL CALLBACK CountOne(HWND, LPARAM count) {
  *reinterpret_cast<int*>(count) += 1;
  return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count) {
  CountOne(window, count);
  EnumChildWindows(window, &CountOne, count);
  return TRUE;
}

// Both gallery windows, one attached and one on the dressed thread, switched to the dark look and
// back and painted, per window and switch, against painting them whole in the look they wear.
void BenchThemeSwitch() {
  gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
  const gallery::Controls controls = gallery::CreateGallery(GetModuleHandleA(nullptr), 0, 0);
  const gallery::StandardControls standard = gallery::CreateStandardGallery(GetModuleHandleA(nullptr), 400, 0);
  skin::SkinAttach(controls.form);
  skin::SkinAttachThread();
  Pump(SettleMs);
  int windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountWithChildren, reinterpret_cast<LPARAM>(&windows));
  auto paintAll = [&] {
    Redraw(controls.form, RepaintAll | RDW_ALLCHILDREN);
    Redraw(standard.form, RepaintAll | RDW_ALLCHILDREN);
  };
  const Comparison c = MeasurePair([&] {
    skin::SkinSetTheme(L"dark");
    paintAll();
    skin::SkinSetTheme(L"light");
    paintAll();
  }, [&] { paintAll(); paintAll(); });
  PrintRow("Theme switch of the gallery and its paint, per window of " + std::to_string(windows),
           c.measuredUs / (2 * windows), "a full repaint of the gallery, per window", c.baselineUs / (2 * windows));
  skin::SkinDetachThread();
  skin::SkinDetach(controls.form);
  DestroyWindow(controls.form);
  DestroyWindow(standard.form);
  Pump(SettleMs);
}

// ---------------------------------------------------------------- title bars and frames

LRESULT CALLBACK PlainMainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// A main window with a caption, all four caption buttons' places, a sizing frame and a menu bar:
// its whole non-client area painted (WM_NCPAINT of the whole frame) and its activation changed
// (WM_NCACTIVATE off and on), on a dressed thread against the same window before dressing.
void BenchFrames() {
  WNDCLASSW c = {};
  c.lpfnWndProc = &PlainMainProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  c.lpszClassName = L"BenchMainWindow";
  RegisterClassW(&c);
  HMENU bar = CreateMenu();
  for (const wchar_t* item : {L"&File", L"&Edit", L"&View", L"&Help"}) AppendMenuW(bar, MF_STRING, 1, item);
  const HWND window = CreateWindowW(L"BenchMainWindow", L"A main window of the benchmark",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr, bar, c.hInstance,
                                    nullptr);
  Pump(SettleMs);
  const auto paintFrame = [&] {
    SendMessageW(window, WM_NCPAINT, 1, 0);
    GdiFlush();
  };
  const auto activate = [&] {
    SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    GdiFlush();
  };
  const double plainPaintUs = MeasureAlone(paintFrame);
  const double plainActivateUs = MeasureAlone(activate);
  skin::SkinAttachThread();
  Pump(SettleMs);
  PrintRow("Full frame repaint, dressed main window with a menu", MeasureAlone(paintFrame),
           "the same window, thread not dressed", plainPaintUs);
  PrintRow("WM_NCACTIVATE off and on, dressed main window", MeasureAlone(activate),
           "the same window, thread not dressed", plainActivateUs);
  skin::SkinDetachThread();
  DestroyWindow(window);
  Pump(SettleMs);
}

// A popup menu of 15 items (text with shortcuts, a check, separators, a submenu) opened by
// TrackPopupMenu until it is shown and idle, then closed, on a dressed thread against the same
// menu before dressing. The owner ends the menu at its first WM_ENTERIDLE.
LRESULT CALLBACK MenuOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU) EndMenu();
  return DefWindowProcW(window, message, wParam, lParam);
}

void BenchPopupMenu() {
  WNDCLASSW c = {};
  c.lpfnWndProc = &MenuOwnerProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.lpszClassName = L"BenchMenuOwner";
  RegisterClassW(&c);
  const HWND owner = CreateWindowW(L"BenchMenuOwner", L"Menu owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                   200, nullptr, nullptr, c.hInstance, nullptr);
  const HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 900, L"&Inner");
  const HMENU menu = CreatePopupMenu();
  for (int i = 0; i < 15; ++i) {
    const std::wstring text = L"Item &" + std::to_wstring(i) + L"\tCtrl+" + std::to_wstring(i);
    if (i == 4 || i == 9) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (i == 12) {
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"&Submenu");
    } else {
      AppendMenuW(menu, MF_STRING | (i == 2 ? MF_CHECKED : 0), 800 + i, text.c_str());
    }
  }
  Pump(SettleMs);
  const auto open = [&] { TrackPopupMenu(menu, TPM_RETURNCMD, 40, 40, 0, owner, nullptr); };
  const double plainUs = MeasureAlone(open);
  skin::SkinAttachThread();
  Pump(SettleMs);
  PrintRow("Popup menu of 15 items opened until shown, dressed", MeasureAlone(open),
           "the same menu, thread not dressed", plainUs);
  skin::SkinDetachThread();
  DestroyMenu(menu);
  DestroyWindow(owner);
  Pump(SettleMs);
}

// ---------------------------------------------------------------- scroll bars

constexpr RECT ScrollHostPlace = {0, 0, 640, 360};
constexpr RECT ScrollListPlace = {10, 10, 210, 310};
constexpr RECT ScrollEditPlace = {220, 10, 620, 310};
constexpr DWORD ScrollListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT;
constexpr DWORD ScrollEditStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER;
constexpr int ScrollListItems = 200;
constexpr int ScrollEditLines = 2000;
constexpr int LineDowns = 100;

// A top-level window holding a list box of 200 strings and a multi-line edit of 2,000 lines,
// both tall enough in content for their vertical scroll bars to show.
struct ScrollScene {
  HWND host;
  HWND list;
  HWND edit;
};

HWND AddScrollChild(HWND host, const wchar_t* cls, DWORD style, const RECT& place) {
  const HWND child = CreateWindowExW(0, cls, L"", style, place.left, place.top, place.right - place.left,
                                     place.bottom - place.top, host, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

ScrollScene CreateScrollScene() {
  WNDCLASSW c = {};
  c.lpfnWndProc = &PlainMainProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = L"BenchScrollHost";
  RegisterClassW(&c);
  const RECT& r = ScrollHostPlace;
  ScrollScene s = {};
  s.host = CreateWindowW(L"BenchScrollHost", L"Scroll bars", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.left, r.top,
                         r.right - r.left, r.bottom - r.top, nullptr, nullptr, c.hInstance, nullptr);
  s.list = AddScrollChild(s.host, L"ListBox", ScrollListStyle, ScrollListPlace);
  for (int i = 0; i < ScrollListItems; ++i) {
    const std::wstring item = L"List item " + std::to_wstring(i + 1);
    SendMessageW(s.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  s.edit = AddScrollChild(s.host, L"Edit", ScrollEditStyle, ScrollEditPlace);
  std::wstring text;
  for (int i = 0; i < ScrollEditLines; ++i) {
    text += L"Line " + std::to_wstring(i + 1) + L" of a long text in a multi-line edit\r\n";
  }
  SendMessageW(s.edit, EM_SETLIMITTEXT, 0, 0);  // no limit: the text is longer than the default
  SetWindowTextW(s.edit, text.c_str());
  ShowWindow(s.host, SW_SHOWNOACTIVATE);
  Pump(SettleMs);
  if (!(GetWindowLongW(s.list, GWL_STYLE) & WS_VSCROLL) || !(GetWindowLongW(s.edit, GWL_STYLE) & WS_VSCROLL)) {
    Note("the list box or the edit of the scroll-bar rows shows no vertical scroll bar");
  }
  if (SendMessageW(s.edit, EM_GETLINECOUNT, 0, 0) < ScrollEditLines) {
    Note("the edit of the scroll-bar rows holds fewer than " + std::to_string(ScrollEditLines) + " lines");
  }
  return s;
}

// The window's non-client area (its border and scroll bars) in client coordinates: invalidated
// with RDW_FRAME, it repaints the frame and leaves the client area valid.
HRGN NonClientRegion(HWND window) {
  RECT whole, client;
  GetWindowRect(window, &whole);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&whole), 2);
  GetClientRect(window, &client);
  const HRGN frame = CreateRectRgnIndirect(&whole);
  const HRGN inside = CreateRectRgnIndirect(&client);
  CombineRgn(frame, frame, inside, RGN_DIFF);
  DeleteObject(inside);
  return frame;
}

// Wall time of one call after an untimed preparation: the median over the quick sampling. For
// operations of a millisecond or more, which a batch would time one at a time anyway.
double MeasureAfter(const Operation& prepare, const Operation& operation) {
  prepare();
  operation();  // warm-up
  std::vector<double> us;
  const double start = NowUs();
  while (us.size() < MaxBatches && (us.size() < Quick.minBatches || NowUs() - start < Quick.budgetUs)) {
    prepare();
    GdiFlush();
    const double callStart = NowUs();
    operation();
    GdiFlush();
    us.push_back(NowUs() - callStart);
  }
  return Median(us);
}

struct ScrollTimes {
  double frameUs;
  double lineDownsUs;
};

// The list box's frame repainted alone; the edit scrolled down line by line from its top, the
// return to the top and its painting untimed, the scrolling's painting timed.
ScrollTimes MeasureScrollScene(const ScrollScene& s) {
  const HRGN listFrame = NonClientRegion(s.list);
  const auto repaintFrame = [&] { RedrawWindow(s.list, nullptr, listFrame, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); };
  const auto toTop = [&] {
    SendMessageW(s.edit, WM_VSCROLL, SB_TOP, 0);
    UpdateWindow(s.edit);
  };
  const auto lineDowns = [&] {
    for (int i = 0; i < LineDowns; ++i) SendMessageW(s.edit, WM_VSCROLL, SB_LINEDOWN, 0);
    UpdateWindow(s.edit);
  };
  ScrollTimes t = {MeasureAlone(repaintFrame), MeasureAfter(toTop, lineDowns)};
  if (SendMessageW(s.edit, EM_GETFIRSTVISIBLELINE, 0, 0) != LineDowns) {
    Note("the edit of the scroll-bar rows did not end " + std::to_string(LineDowns) + " lines down");
  }
  DeleteObject(listFrame);
  return t;
}

// A list box's vertical bar repainted with its frame, and an edit scrolled 100 lines, each on a
// dressed thread against the same windows made the same way before the thread was dressed. The
// plain windows go before dressing; the dressed ones are made on the dressed thread.
void BenchScrollBars() {
  const ScrollScene plainScene = CreateScrollScene();
  const ScrollTimes plain = MeasureScrollScene(plainScene);
  DestroyWindow(plainScene.host);
  Pump(SettleMs);
  skin::SkinAttachThread();
  const ScrollScene dressedScene = CreateScrollScene();
  if (!IsSkinned(dressedScene.list) || !IsSkinned(dressedScene.edit)) {
    Note("the list box or the edit of the scroll-bar rows is not dressed");
  }
  const ScrollTimes dressed = MeasureScrollScene(dressedScene);
  PrintRow("Scroll bar repaint, dressed list box vs plain", dressed.frameUs,
           "the same list box, thread not dressed", plain.frameUs);
  PrintRow("100 line-downs of an edit with a long text, dressed vs plain", dressed.lineDownsUs,
           "the same edit, thread not dressed", plain.lineDownsUs);
  skin::SkinDetachThread();
  DestroyWindow(dressedScene.host);
  Pump(SettleMs);
}

// ---------------------------------------------------------------- a visual style

// Wine's own style, in every prefix.
constexpr wchar_t WineLightStyle[] = L"C:\\windows\\resources\\themes\\light\\light.msstyles";
constexpr RECT StyleHostPlace = {0, 0, 480, 360};
constexpr RECT StylePushPlace = {10, 10, 130, 38};
constexpr RECT StyleCheckPlace = {10, 50, 150, 70};
constexpr RECT StyleListPlace = {160, 10, 360, 310};
constexpr DWORD StylePushStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD StyleCheckStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

// A main window with a caption, its buttons and a sizing frame, holding a push button, a check
// box and a list box long enough for its vertical scroll bar.
struct StyleScene {
  HWND host;
  HWND push;
  HWND check;
  HWND list;
};

StyleScene CreateStyleScene() {
  WNDCLASSW c = {};
  c.lpfnWndProc = &PlainMainProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = L"BenchStyleHost";
  RegisterClassW(&c);
  const RECT& r = StyleHostPlace;
  StyleScene s = {};
  s.host = CreateWindowW(L"BenchStyleHost", L"A window in a visual style", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, c.hInstance, nullptr);
  s.push = AddScrollChild(s.host, L"Button", StylePushStyle, StylePushPlace);
  SetWindowTextW(s.push, L"Push button");
  s.check = AddScrollChild(s.host, L"Button", StyleCheckStyle, StyleCheckPlace);
  SetWindowTextW(s.check, L"Check box");
  s.list = AddScrollChild(s.host, L"ListBox", ScrollListStyle, StyleListPlace);
  for (int i = 0; i < ScrollListItems; ++i) {
    const std::wstring item = L"List item " + std::to_wstring(i + 1);
    SendMessageW(s.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  ShowWindow(s.host, SW_SHOW);
  Pump(SettleMs);
  return s;
}

enum StyleKind { StylePush, StyleCheck, StyleScrollBar, StyleCaption, StyleKinds };
constexpr const char* StyleKindNames[StyleKinds] = {"push button", "check box", "list box's scroll bar",
                                                    "caption and frame"};

enum StyleLook { LookPlain, LookBuiltIn, LookStyle, StyleLooks };
constexpr int StyleRounds = 15;

// The scene's thread undressed, or dressed in the built-in light look or in Wine's light style.
void Wear(StyleLook look) {
  skin::SkinDetachThread();
  if (look != LookPlain) {
    const wchar_t* theme = look == LookBuiltIn ? L"light" : WineLightStyle;
    if (!skin::SkinSetTheme(theme)) Note("a look of the style rows was refused");
    skin::SkinAttachThread();
  }
  Pump(SettleMs);
}

// Each part of the scene repainted whole (the push button and the check box as any repaint of
// them, the list box's frame and bar alone, the main window's caption, buttons and frame) in each
// look: a batch of each in each look, round after round, so that all see the same conditions; the
// median batch per call.
void MeasureStyleScene(const StyleScene& s, double us[StyleLooks][StyleKinds]) {
  const HRGN listFrame = NonClientRegion(s.list);
  const Operation repaints[StyleKinds] = {
      [&] { Redraw(s.push, RepaintAll); },
      [&] { Redraw(s.check, RepaintAll); },
      [&] { RedrawWindow(s.list, nullptr, listFrame, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); },
      [&] {
        SendMessageW(s.host, WM_NCPAINT, 1, 0);
        GdiFlush();
      },
  };
  std::vector<double> batches[StyleLooks][StyleKinds];
  for (int round = 0; round < StyleRounds; ++round) {
    for (int look = 0; look < StyleLooks; ++look) {
      Wear(static_cast<StyleLook>(look));
      for (int kind = 0; kind < StyleKinds; ++kind) {
        Series series(repaints[kind]);  // its calibration repaints first, untimed
        series.TakeBatch();
        batches[look][kind].push_back(series.MedianUs());
      }
    }
  }
  for (int look = 0; look < StyleLooks; ++look) {
    for (int kind = 0; kind < StyleKinds; ++kind) us[look][kind] = Median(batches[look][kind]);
  }
  DeleteObject(listFrame);
}

// Parts the rows above draw, each drawn alone by the look onto a surface of its size: what a part
// costs in the style, drawn again over the same ground, against the built-in look.
struct StylePartCase {
  const char* name;
  skin::look::Part part;
  skin::look::PartState state;
  SIZE size;
};
constexpr StylePartCase StylePartCases[] = {
    {"check box", skin::look::PartCheckBox, skin::look::Normal, {13, 13}},
    {"scroll bar's track", skin::look::PartScrollTrackLower, skin::look::Vertical, {17, 240}},
    {"scroll bar's thumb", skin::look::PartScrollThumb, skin::look::Vertical, {17, 60}},
    {"scroll bar's arrow", skin::look::PartScrollArrowDown, skin::look::Normal, {17, 17}},
    {"caption", skin::look::PartCaption, skin::look::Normal, {472, 19}},
    {"frame's left side", skin::look::PartFrameLeft, skin::look::Normal, {4, 330}},
    {"close button", skin::look::PartCaptionClose, skin::look::Normal, {16, 14}},
};

void BenchStyleParts() {
  double us[2][std::size(StylePartCases)] = {};
  for (int look = 0; look < 2; ++look) {
    Wear(look == 0 ? LookStyle : LookBuiltIn);
    for (size_t i = 0; i < std::size(StylePartCases); ++i) {
      const StylePartCase& c = StylePartCases[i];
      const HDC surface = skin::CreateSurface(c.size.cx, c.size.cy);
      const RECT rect = {0, 0, c.size.cx, c.size.cy};
      us[look][i] = MeasureAlone([&] { skin::look::DrawPart(c.part, c.state, surface, rect); });
      skin::ReleaseSurface(surface);
    }
  }
  for (size_t i = 0; i < std::size(StylePartCases); ++i) {
    PrintRow(std::string("- DrawPart in Wine's light style, again: ") + StylePartCases[i].name, us[0][i],
             "the same, built-in light look", us[1][i]);
  }
}

// The same windows plain, dressed in the built-in light look, and dressed in Wine's light style:
// the style against plain (its aim), and against the built-in look it stands in for.
void BenchStyleRepaints() {
  const StyleScene scene = CreateStyleScene();
  double us[StyleLooks][StyleKinds] = {};
  MeasureStyleScene(scene, us);
  Wear(LookStyle);
  if (!IsSkinned(scene.push) || !IsSkinned(scene.check) || !IsSkinned(scene.list)) {
    Note("the windows of the style rows are not dressed");
  }
  NoteHash("the style rows' windows in Wine's light style", {scene.host});
  for (int kind = 0; kind < StyleKinds; ++kind) {
    PrintRow(std::string("Full repaint, Wine's light style: ") + StyleKindNames[kind], us[LookStyle][kind],
             "the same window, thread not dressed", us[LookPlain][kind]);
    PrintRow(std::string("- the same against the built-in light look"), us[LookStyle][kind],
             "the same window, built-in light look", us[LookBuiltIn][kind]);
  }
  BenchStyleParts();
  skin::SkinSetTheme(L"light");
  skin::SkinDetachThread();
  DestroyWindow(scene.host);
  Pump(SettleMs);
}

constexpr RECT NotepadPlace = {0, 0, 640, 480};
constexpr int NotepadLines = 200;
constexpr DWORD NotepadEditStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL;

// Notepad's menu bar: four menus of a few items each.
HMENU CreateNotepadMenu() {
  const HMENU bar = CreateMenu();
  const wchar_t* const menus[] = {L"&File", L"&Edit", L"&Search", L"&Help"};
  UINT id = 100;
  for (const wchar_t* title : menus) {
    const HMENU popup = CreatePopupMenu();
    for (const wchar_t* item : {L"&New\tCtrl+N", L"&Open...\tCtrl+O", L"&Save\tCtrl+S"}) {
      AppendMenuW(popup, MF_STRING, id++, item);
    }
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, id++, L"E&xit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
  }
  return bar;
}

const std::wstring& NotepadText() {
  static const std::wstring text = [] {
    std::wstring lines;
    for (int i = 0; i < NotepadLines; ++i) {
      lines += L"Line " + std::to_wstring(i + 1) + L" of a text long enough for both scroll bars to show, "
               L"because this line is wider than the window that holds it\r\n";
    }
    return lines;
  }();
  return text;
}

// A window as notepad makes its main window, created, shown and painted whole: a menu bar and a
// multi-line edit with both scroll bars filling the client area, holding a long text.
HWND OpenNotepadLike() {
  const RECT& r = NotepadPlace;
  const HWND main = CreateWindowW(L"BenchMainWindow", L"Untitled - Notepad", WS_OVERLAPPEDWINDOW, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, nullptr, CreateNotepadMenu(),
                                  GetModuleHandleW(nullptr), nullptr);
  RECT client;
  GetClientRect(main, &client);
  const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", NotepadEditStyle, 0, 0, client.right,
                                    client.bottom, main, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SetWindowTextW(edit, NotepadText().c_str());
  ShowWindow(main, SW_SHOW);
  RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  return main;
}

// Wall times of single calls, each after its untimed preparation, the two operations alternating;
// the medians over the quick sampling.
Comparison MeasureAfterPair(const Operation& prepareMeasured, const Operation& measured,
                            const Operation& prepareBaseline, const Operation& baseline) {
  std::vector<double> a, b;
  const auto once = [](const Operation& prepare, const Operation& operation, std::vector<double>* us) {
    prepare();
    GdiFlush();
    const double callStart = NowUs();
    operation();
    GdiFlush();
    us->push_back(NowUs() - callStart);
  };
  once(prepareMeasured, measured, &a);  // warm-up
  once(prepareBaseline, baseline, &b);
  a.clear();
  b.clear();
  const double start = NowUs();
  while (a.size() < MaxBatches && (a.size() < Quick.minBatches || NowUs() - start < Quick.budgetUs)) {
    once(prepareMeasured, measured, &a);
    once(prepareBaseline, baseline, &b);
  }
  return {Median(a), Median(b)};
}

// Wearing Wine's light style from the start of a notepad-like window: the style chosen (read,
// opened, the atlas built) and the window created and painted, against the same with the built-in
// light look. Both start from the dark look, with no window open, on a dressed thread.
void BenchStyleFirstPaint() {
  WNDCLASSW c = {};
  c.lpfnWndProc = &PlainMainProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  c.lpszClassName = L"BenchMainWindow";
  RegisterClassW(&c);
  skin::SkinAttachThread();
  HWND open = nullptr;
  const auto closeAndGoDark = [&] {
    if (open) DestroyWindow(open);
    open = nullptr;
    Pump(0);
    skin::SkinSetTheme(L"dark");
  };
  const auto wear = [&](const wchar_t* theme) {
    return [&open, theme] {
      if (!skin::SkinSetTheme(theme)) Note("a theme of the first-paint rows was refused");
      open = OpenNotepadLike();
    };
  };
  const Comparison whole =
      MeasureAfterPair(closeAndGoDark, wear(WineLightStyle), closeAndGoDark, wear(L"light"));
  PrintRow("Wine's light style chosen + notepad-like window's first paint", whole.measuredUs,
           "the same, the built-in light look", whole.baselineUs);
  const Comparison choice = MeasureAfterPair(closeAndGoDark, [] { skin::SkinSetTheme(WineLightStyle); },
                                             closeAndGoDark, [] { skin::SkinSetTheme(L"light"); });
  PrintRow("- SkinSetTheme alone, from the dark look", choice.measuredUs, "the same, the built-in light look",
           choice.baselineUs);
  // The first paint alone, each look chosen beforehand.
  const auto closeAndWear = [&](const wchar_t* theme) {
    return [&open, theme] {
      if (open) DestroyWindow(open);
      open = nullptr;
      Pump(0);
      skin::SkinSetTheme(theme);
    };
  };
  const auto openOne = [&] { open = OpenNotepadLike(); };
  const Comparison paint = MeasureAfterPair(closeAndWear(WineLightStyle), openOne, closeAndWear(L"light"), openOne);
  PrintRow("- the window's first paint alone", paint.measuredUs, "the same, the built-in light look",
           paint.baselineUs);
  if (open) DestroyWindow(open);
  skin::SkinSetTheme(L"light");
  skin::SkinDetachThread();
  Pump(SettleMs);
}

// ---------------------------------------------------------------- start-up

constexpr int StartupRuns = 10;
constexpr double StartTimeoutUs = 30e6;
constexpr DWORD IdleTimeoutMs = 30000;
constexpr DWORD CloseTimeoutMs = 10000;
constexpr DWORD PollMs = 2;

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND VisibleWindowOf(DWORD processId) {
  WindowSearch search = {processId, nullptr};
  EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ExeBesideThisOne(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  directory.erase(directory.find_last_of("\\/") + 1);
  return directory + name;
}

// CreateProcess until the program shows a window and then waits for input with nothing left to
// do, its first paint done; the program is closed again with WM_CLOSE. Negative when it failed.
double StartToFirstPaintUs(const std::string& exe) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + exe + "\"";
  const double start = NowUs();
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    Note("could not start " + exe + " (error " + std::to_string(GetLastError()) + ")");
    return -1;
  }
  HWND window = nullptr;
  while (!(window = VisibleWindowOf(process.dwProcessId)) && NowUs() - start < StartTimeoutUs &&
         WaitForSingleObject(process.hProcess, PollMs) == WAIT_TIMEOUT) {
  }
  double elapsed = -1;
  if (window && WaitForInputIdle(process.hProcess, IdleTimeoutMs) == 0) {
    elapsed = NowUs() - start;
  } else {
    Note(exe + " showed no painted window");
  }
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, CloseTimeoutMs) != WAIT_OBJECT_0) {
    Note(exe + " did not close on WM_CLOSE and was terminated");
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, CloseTimeoutMs);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

// One more start-up time, unless the start failed (a note says how).
void SampleStart(const std::string& exe, std::vector<double>& samples) {
  const double us = StartToFirstPaintUs(exe);
  if (us >= 0) samples.push_back(us);
}

// Both programs are started once to warm the file cache, then alternately.
void BenchStartup() {
  const std::string tavrin = ExeBesideThisOne("Tavrin.exe");
  const std::string minimal = ExeBesideThisOne("MinimalWindow.exe");
  StartToFirstPaintUs(tavrin);
  StartToFirstPaintUs(minimal);
  std::vector<double> tavrinUs, minimalUs;
  for (int run = 0; run < StartupRuns; ++run) {
    SampleStart(tavrin, tavrinUs);
    SampleStart(minimal, minimalUs);
  }
  PrintRow("Tavrin.exe, CreateProcess to first paint (median of " + std::to_string(tavrinUs.size()) + ")",
           Median(tavrinUs), "MinimalWindow.exe, the same", Median(minimalUs));
}

}  // namespace

// "SkinBench.exe frames" times the title bars, frames and menus alone, "SkinBench.exe scrollbars"
// the scroll bars alone, "SkinBench.exe controls" the controls' repaints and the release on a
// form of check boxes, with the pixel hashes of the skinned and the dressed controls,
// "SkinBench.exe style" the rows of Wine's light style alone.
int main(int argc, char** argv) {
  SetCursorPos(ParkedCursor.x, ParkedCursor.y);
  PrintHeader();
  if (argc > 1 && std::string(argv[1]) == "frames") {
    BenchFrames();
    BenchPopupMenu();
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "scrollbars") {
    BenchScrollBars();
    PrintNotes();
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "style") {
    BenchStyleRepaints();
    BenchStyleFirstPaint();
    PrintNotes();
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "controls") {
    const Scene scene = CreateScene();
    NoteSkinnedHash(scene);
    BenchRepaints(scene);
    BenchRelease(scene);
    DestroyScene(scene);
    BenchStandardLooks();
    PrintNotes();
    return 0;
  }
  BenchToolkit();
  const Scene scene = CreateScene();
  NoteSkinnedHash(scene);
  BenchCommandButton(scene.commandButton);
  BenchPainters(scene);
  BenchRepaints(scene);
  BenchRelease(scene);
  BenchMessages(scene);
  BenchAttach(scene);
  DestroyScene(scene);
  BenchDressing();
  BenchStandardLooks();
  BenchThemeSwitch();
  BenchFrames();
  BenchPopupMenu();
  BenchScrollBars();
  BenchStyleRepaints();
  BenchStyleFirstPaint();
  BenchStartup();
  PrintNotes();
  return 0;
}
