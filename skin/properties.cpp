// The window properties in which the skin keeps everything it knows about a window, and what
// every room reads of a window: its class name, its text, whose it is.
#include <cctype>
#include <cstring>
#include <vector>

#include "skin/engine.h"

namespace skin {
namespace {

// GetClassNameA writes at most this many characters, terminator included.
constexpr int ClassNameCapacity = 255;

}  // namespace

std::string WindowClassName(HWND window) {
  char buffer[ClassNameCapacity + 1] = {};
  if (GetClassNameA(window, buffer, ClassNameCapacity) == 0) return {};
  return std::string(buffer, strnlen(buffer, ClassNameCapacity));
}

std::string LowerClassName(HWND window) {
  std::string name = WindowClassName(window);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

// Read wide: an ANSI read would pass the caption through the system's code page and lose every
// character that page lacks.
std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  // Room for the terminator that GetWindowTextW always writes.
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, buffer.data(), length + 1);
  return std::wstring(buffer.data(), static_cast<size_t>(length));
}

// A window whose copy mark someone else took away counts as this copy's, so that it can still be
// detached.
bool IsSkinnedHere(HWND window) {
  if (GetProperty(window, ProcAddrProperty) == 0) return false;
  const intptr_t copy = GetProperty(window, SkinCopyProperty);
  return copy == 0 || copy == reinterpret_cast<intptr_t>(&SkinWindowProc);
}

intptr_t GetProperty(HWND window, const char* name) {
  return reinterpret_cast<intptr_t>(GetPropA(window, name));
}

void SetProperty(HWND window, const char* name, intptr_t value) {
  SetPropA(window, name, reinterpret_cast<HANDLE>(value));
}

void RemoveProperty(HWND window, const char* name) { RemovePropA(window, name); }

bool DetachedMeanwhile(HWND window) { return GetProperty(window, ProcAddrProperty) == 0; }

bool OnDressedThread(HWND window) {
  return DressedThreadId != 0 && GetWindowThreadProcessId(window, nullptr) == DressedThreadId;
}

}  // namespace skin
