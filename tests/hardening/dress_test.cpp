// Dressing a whole thread: windows of any class now and later, a real dialog that keeps working
// under real input, and undressing that gives every window back.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "skin/engine.h"
#include "tests/hardening/tree_state.h"
#include "tests/support/desktop.h"

namespace {

using namespace testing_support;
using namespace hardening;

struct DialogLog {
  std::vector<int> commands;
  int drawItems = 0;
};

INT_PTR CALLBACK LoggingDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  auto* log = reinterpret_cast<DialogLog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!log) return FALSE;
  if (message == WM_DRAWITEM) ++log->drawItems;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    log->commands.push_back(LOWORD(wParam));
  }
  return message == WM_INITDIALOG;
}

// Pumps as a modeless dialog's owner does, so that Tab and Enter reach the dialog manager.
void PumpDialog(HWND dialog, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsDialogMessageW(dialog, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// A real key press, taken from the queue through the dialog manager (PressKey pumps without it).
void PressInDialog(HWND dialog, WORD key) {
  INPUT input[2] = {};
  for (INPUT& one : input) {
    one.type = INPUT_KEYBOARD;
    one.ki.wVk = key;
  }
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
  PumpDialog(dialog, 300);
}

LRESULT CALLBACK PassToPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, "TEST.PREVIOUS"));
  if (message == WM_SETTEXT) SetPropA(window, "TEST.SEEN", reinterpret_cast<HANDLE>(1));
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

int AnswerFromAnotherThread(int (*call)()) {
  int answer = -1;
  std::thread([&] { answer = call(); }).join();
  return answer;
}

TEST(DressTest, EveryWindowNowAndLaterJoinsADialogKeepsWorkingAndUndressGivesAllBack) {
  FillWindowDcCache();
  const HWND frame = CreateWindowExW(0, L"Static", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                     320, 200, nullptr, nullptr, nullptr, nullptr);
  const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE, 8, 8, 120, 22,
                                    frame, nullptr, nullptr, nullptr);
  const TreeState before = StateOfTree(frame);
  ASSERT_EQ(skin::SkinAttachThread(), 1);
  EXPECT_EQ(skin::SkinAttachThread(), 0);
  EXPECT_EQ(AnswerFromAnotherThread(&skin::SkinAttachThread), 0);
  EXPECT_EQ(AnswerFromAnotherThread(&skin::SkinDetachThread), 0);
  for (HWND window : {frame, edit}) EXPECT_NE(GetPropA(window, "PROCADDR"), nullptr);

  // A button added later is owner-drawn, its faces made, as CreateWindowEx returns.
  const HWND late = CreateWindowExW(0, L"Button", L"Late", WS_CHILD | WS_VISIBLE, 8, 40, 80, 24, frame,
                                    nullptr, nullptr, nullptr);
  EXPECT_EQ(GetWindowLongA(late, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_NE(GetPropA(late, "0HDC"), nullptr);
  // A window subclassed again above the skin.
  SetPropA(edit, "TEST.PREVIOUS",
           reinterpret_cast<HANDLE>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassToPrevious))));

  DialogLog log;
  const HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), frame, &LoggingDialog,
                                         reinterpret_cast<LPARAM>(&log));
  ASSERT_NE(dialog, nullptr);
  SetForegroundWindow(dialog);
  PumpDialog(dialog, 300);
  for (HWND window : ThreadWindows()) {
    if (IsWindowVisible(window)) {
      EXPECT_NE(GetPropA(window, "PROCADDR"), nullptr) << skin::WindowClassName(window);
    }
  }
  const HWND up = GetDlgItem(dialog, 101);
  const HWND down = GetDlgItem(dialog, 102);
  const HWND check = GetDlgItem(dialog, 103);
  EXPECT_EQ(GetWindowLongA(down, GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
  for (const HWND target : {down, check, up}) {
    Click(CentreOf(target));
    PumpDialog(dialog, 200);
  }
  EXPECT_EQ(SendMessageW(up, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(down, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  // Enter presses the focused push button, or the default one where the focus is elsewhere.
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDCANCEL)), TRUE);
  PressInDialog(dialog, VK_RETURN);
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(check), TRUE);
  PressInDialog(dialog, VK_RETURN);
  EXPECT_EQ(log.commands, (std::vector<int>{IDCANCEL, IDOK}));
  EXPECT_EQ(log.drawItems, 0);

  ASSERT_EQ(skin::SkinDetachThread(), 1);
  EXPECT_EQ(skin::SkinDetachThread(), 0);
  EXPECT_EQ(GetPropA(edit, "PROCADDR"), nullptr);
  EXPECT_NE(GetPropA(edit, "PASSPROC"), nullptr);
  SetWindowTextW(edit, L"still reached");
  EXPECT_NE(GetPropA(edit, "TEST.SEEN"), nullptr);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(late, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  DestroyWindow(edit);  // it takes what is left of the skin with it
  TreeState unchanged = before;
  unchanged.erase(edit);
  ExpectRestored(unchanged);
  ExpectSkinReleased();
  DestroyWindow(dialog);
  DestroyWindow(frame);
}

}  // namespace
