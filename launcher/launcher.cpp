// SkinDress.exe [--theme THEME] PROGRAM [ARGUMENTS...]: starts PROGRAM with TavrinSkin.dll (found
// beside this executable) on its user-interface thread, in the theme named (light when none is),
// waits for it and exits with its exit code. THEME is light, dark, auto, a theme folder or a visual
// style: "FILE|SCHEME|SIZE" (scheme and size may be left out), FILE a .msstyles file or a folder
// one was unpacked into.
// SkinDress.exe --export-theme light|dark FOLDER: writes a built-in theme as a theme folder.
// SkinDress.exe --list-style STYLE: prints a visual style's colour schemes and sizes.
// SkinDress.exe --unpack-style STYLE FOLDER: writes a visual style file out as a folder.
// SkinDress.exe --help (-h, /?) and --version print the usage and the version.
//
// The program is started suspended and a WH_CBT hook is set on its main thread before it runs,
// so that its first window dresses the thread while it is created. Where that cannot be done, or
// it did not take once the program waits for input, a WH_GETMESSAGE hook is set on the thread of
// its first visible window, which dresses that thread at its next message. Whether the skin took
// is read from outside: a dressed window carries the "PROCADDR" property. The theme reaches the
// DLL in the program's environment, checked here first so that a theme the program would refuse
// stops everything before it starts.
#include <windows.h>

#include <string>
#include <vector>

#include "skin/look/items.h"
#include "skin/styles/styles.h"

namespace dress {
namespace {

constexpr int UsageExit = 2;       // a bad command line or theme; no startable program
constexpr int MissingDllExit = 3;  // TavrinSkin.dll missing beside SkinDress.exe, or unusable
constexpr wchar_t DllName[] = L"TavrinSkin.dll";
constexpr wchar_t Usage[] =
    L"usage: SkinDress [--theme THEME] PROGRAM [ARGUMENTS...], "
    L"SkinDress --export-theme light|dark FOLDER, SkinDress --list-style STYLE or "
    L"SkinDress --unpack-style STYLE FOLDER";
constexpr wchar_t Help[] =
    L"usage: SkinDress [--theme THEME] PROGRAM [ARGUMENTS...]\r\n"
    L"       SkinDress --export-theme light|dark FOLDER\r\n"
    L"       SkinDress --list-style STYLE\r\n"
    L"       SkinDress --unpack-style STYLE FOLDER\r\n"
    L"       SkinDress --help | --version\r\n"
    L"\r\n"
    L"Starts PROGRAM wearing the skin and exits with its exit code. THEME is light (the\r\n"
    L"default), dark, auto (the system's app mode), a theme folder or a visual style:\r\n"
    L"STYLE, STYLE|SCHEME or STYLE|SCHEME|SIZE, STYLE a .msstyles file or a folder one was\r\n"
    L"unpacked into (quote it: | is the shell's pipe). A theme that cannot be used stops\r\n"
    L"everything with exit code 2. --export-theme writes a built-in theme as a folder.\r\n"
    L"--list-style prints a style's colour schemes and sizes, on the lines \"schemes: A, B\"\r\n"
    L"and \"sizes: X, Y\". --unpack-style writes a style file out as a folder that --theme\r\n"
    L"takes.\r\n";
constexpr wchar_t Version[] = L"SkinDress " TAVRIN_VERSION L"\r\n";
constexpr wchar_t ThemeOption[] = L"--theme";
constexpr wchar_t ExportThemeOption[] = L"--export-theme";
constexpr wchar_t ListStyleOption[] = L"--list-style";
constexpr wchar_t UnpackStyleOption[] = L"--unpack-style";
constexpr const wchar_t* HelpOptions[] = {L"--help", L"-h", L"/?"};
constexpr wchar_t VersionOption[] = L"--version";
// Read by the DLL's hook procedures in the program they dress.
constexpr wchar_t ThemeVariable[] = L"TAVRIN_SKIN_THEME";
constexpr char CbtHookName[] = "SkinDressCbtHook";
constexpr char MessageHookName[] = "SkinDressMessageHook";
constexpr char DressedProperty[] = "PROCADDR";
constexpr wchar_t DefaultPathExt[] = L".COM;.EXE;.BAT;.CMD";
// Where the PE header may start at the most: far beyond any real file's, small enough that the
// offsets after it cannot overflow.
constexpr LONG MaxHeaderOffset = 0x10000000;
constexpr DWORD InputIdleTimeoutMs = 10000;
constexpr DWORD DressCheckMs = 5000;
constexpr DWORD DressPollMs = 100;
#ifdef _WIN64
constexpr WORD OwnMachine = IMAGE_FILE_MACHINE_AMD64;
constexpr wchar_t OwnBitness[] = L"64-bit";
#else
constexpr WORD OwnMachine = IMAGE_FILE_MACHINE_I386;
constexpr wchar_t OwnBitness[] = L"32-bit";
#endif

class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() {
    if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

class Hook {
 public:
  Hook() = default;
  ~Hook() { reset(); }
  Hook(const Hook&) = delete;
  Hook& operator=(const Hook&) = delete;
  void set(HHOOK hook) { reset(); hook_ = hook; }
  HHOOK get() const { return hook_; }
  void reset() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
  }

 private:
  HHOOK hook_ = nullptr;
};

// Text to standard output or error: UTF-16 to a console, UTF-8 to a file or a pipe.
void Write(DWORD which, const std::wstring& line) {
  const HANDLE stream = GetStdHandle(which);
  if (!stream || stream == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(stream, &mode)) {
    WriteConsoleW(stream, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
    return;
  }
  const int length = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(length > 0 ? length : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &bytes[0], length,
                      nullptr, nullptr);
  WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// One line on standard error, ended by CR LF.
void Report(const std::wstring& what) { Write(STD_ERROR_HANDLE, L"SkinDress: " + what + L"\r\n"); }

// The system's message for an error code, on one line.
std::wstring ErrorText(DWORD code) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring message = text ? text : L"";
  if (text) LocalFree(text);
  for (wchar_t& c : message) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  while (!message.empty() && message.back() == L' ') message.pop_back();
  return message + L" (error " + std::to_wstring(code) + L")";
}

// ---------------------------------------------------------------- the command line

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

const wchar_t* SkipBlanks(const wchar_t* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

// The first word of a command line, the program's own name, ends at the next quote when it
// begins with one and at the first blank otherwise: backslashes mean nothing there.
const wchar_t* SkipProgramName(const wchar_t* p) {
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    return *p ? p + 1 : p;
  }
  while (*p && !IsBlank(*p)) ++p;
  return p;
}

// One argument as the C runtime reads it: 2n backslashes before a quote give n backslashes and
// the quote opens or closes a quoted part, 2n + 1 give n and a literal quote, and two quotes
// inside a quoted part give one. Backslashes before anything else are themselves: the blank
// after "C:\themes\dark\" still ends the argument.
std::wstring ReadArgument(const wchar_t*& p) {
  std::wstring argument;
  bool quoted = false;
  while (*p && (quoted || !IsBlank(*p))) {
    size_t backslashes = 0;
    while (*p == L'\\') {
      ++backslashes;
      ++p;
    }
    if (*p != L'"') {
      argument.append(backslashes, L'\\');
      if (backslashes == 0) argument += *p++;
      continue;
    }
    argument.append(backslashes / 2, L'\\');
    if (backslashes % 2) {
      argument += L'"';
    } else if (quoted && p[1] == L'"') {
      argument += L'"';
      ++p;
    } else {
      quoted = !quoted;
    }
    ++p;
  }
  return argument;
}

// ---------------------------------------------------------------- finding the program

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool HasDirectory(const std::wstring& name) {
  return name.find_first_of(L"\\/:") != std::wstring::npos;
}

bool HasExtension(const std::wstring& name) {
  const size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) return false;
  const size_t separator = name.find_last_of(L"\\/:");
  return separator == std::wstring::npos || dot > separator;
}

std::wstring EnvironmentVariable(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, &value[0], size);
  value.resize(length < size ? length : 0);
  return value;
}

// The parts of a list separated by semicolons, empty parts and surrounding quotes dropped.
std::vector<std::wstring> SplitList(const std::wstring& list) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(L';', start);
    if (end == std::wstring::npos) end = list.size();
    std::wstring part = list.substr(start, end - start);
    if (part.size() >= 2 && part.front() == L'"' && part.back() == L'"') {
      part = part.substr(1, part.size() - 2);
    }
    if (!part.empty()) parts.push_back(part);
    start = end + 1;
  }
  return parts;
}

// The file a name stands for in one place: the name itself when it has an extension, otherwise
// the first of the name with each extension of PATHEXT. Empty when there is none.
std::wstring FileFor(const std::wstring& candidate, const std::vector<std::wstring>& extensions) {
  if (HasExtension(candidate)) return IsFile(candidate) ? candidate : std::wstring();
  for (const std::wstring& extension : extensions) {
    if (IsFile(candidate + extension)) return candidate + extension;
  }
  return {};
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

// The program as the command interpreter finds it: a name with a directory is that file; a bare
// name is looked for in the current directory, then in each directory of PATH.
std::wstring FindProgram(const std::wstring& name) {
  std::vector<std::wstring> extensions = SplitList(EnvironmentVariable(L"PATHEXT"));
  if (extensions.empty()) extensions = SplitList(DefaultPathExt);
  if (HasDirectory(name)) {
    const std::wstring found = FileFor(name, extensions);
    return found.empty() ? found : FullPath(found);
  }
  std::vector<std::wstring> directories = {L"."};
  for (const std::wstring& directory : SplitList(EnvironmentVariable(L"PATH"))) {
    directories.push_back(directory);
  }
  for (std::wstring directory : directories) {
    if (!IsSeparator(directory.back())) directory += L'\\';
    const std::wstring found = FileFor(directory + name, extensions);
    if (!found.empty()) return FullPath(found);
  }
  return {};
}

// ---------------------------------------------------------------- the program's PE header

bool ReadAt(HANDLE file, LONG offset, void* buffer, DWORD size) {
  DWORD read = 0;
  return SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
         ReadFile(file, buffer, size, &read, nullptr) && read == size;
}

// The machine a PE executable is built for, or 0 when the file is not a PE executable (a DLL,
// a script, a truncated file).
WORD ExecutableMachine(const std::wstring& path) {
  const Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) return 0;
  IMAGE_DOS_HEADER dos = {};
  if (!ReadAt(file.get(), 0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
      dos.e_lfanew <= 0 || dos.e_lfanew > MaxHeaderOffset) {
    return 0;
  }
  struct {
    DWORD signature;
    IMAGE_FILE_HEADER file;
    WORD magic;
  } nt = {};
  // Read field by field: the structure's padding must not be read from the file.
  if (!ReadAt(file.get(), dos.e_lfanew, &nt.signature, sizeof nt.signature) ||
      !ReadAt(file.get(), dos.e_lfanew + 4, &nt.file, sizeof nt.file) ||
      !ReadAt(file.get(), dos.e_lfanew + 4 + sizeof nt.file, &nt.magic, sizeof nt.magic)) {
    return 0;
  }
  const bool executable = (nt.file.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE) &&
                          !(nt.file.Characteristics & IMAGE_FILE_DLL);
  const bool optionalHeader = nt.file.SizeOfOptionalHeader >= sizeof nt.magic &&
                              (nt.magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC ||
                               nt.magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC);
  if (nt.signature != IMAGE_NT_SIGNATURE || !executable || !optionalHeader) return 0;
  return nt.file.Machine;
}

std::wstring MachineName(WORD machine) {
  switch (machine) {
    case IMAGE_FILE_MACHINE_I386: return L"a 32-bit program";
    case IMAGE_FILE_MACHINE_AMD64: return L"a 64-bit program";
    default: return L"a program for another processor";
  }
}

// The full path of the program a name stands for, when it is a PE executable of this launcher's
// bitness; otherwise empty, and what is wrong has been reported.
std::wstring StartableProgram(const std::wstring& name) {
  const std::wstring program = FindProgram(name);
  if (program.empty()) {
    Report(L"cannot find the program " + name);
    return {};
  }
  const WORD machine = ExecutableMachine(program);
  if (machine == 0) {
    Report(program + L" is not a Windows program (a PE executable)");
    return {};
  }
  if (machine != OwnMachine) {
    Report(program + L" is " + MachineName(machine) + L"; this SkinDress.exe starts " +
           OwnBitness + L" programs only");
    return {};
  }
  return program;
}

// ---------------------------------------------------------------- the skin, seen from outside

std::wstring ModuleDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

struct WindowSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindDressedChild(HWND window, LPARAM search) {
  if (!GetPropA(window, DressedProperty)) return TRUE;
  reinterpret_cast<WindowSearch*>(search)->found = window;
  return FALSE;
}

BOOL CALLBACK FindDressedWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process) return TRUE;
  if (GetPropA(window, DressedProperty)) {
    search->found = window;
  } else {
    EnumChildWindows(window, &FindDressedChild, lParam);
  }
  return search->found ? FALSE : TRUE;
}

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

bool Dressed(DWORD process) {
  WindowSearch search = {process, nullptr};
  EnumWindows(&FindDressedWindow, reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr;
}

bool Running(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

// Whether the skin shows on the program within DressCheckMs; false too when it ended meanwhile.
bool WaitUntilDressed(const PROCESS_INFORMATION& started) {
  for (DWORD waited = 0; Running(started.hProcess); waited += DressPollMs) {
    if (Dressed(started.dwProcessId)) return true;
    if (waited >= DressCheckMs) break;
    Sleep(DressPollMs);
  }
  return false;
}

// The launcher stays to hand back the exit code: Ctrl+C and Ctrl+Break go to the program, which
// shares the console, and not to the launcher.
BOOL WINAPI IgnoreBreak(DWORD event) {
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

struct SkinHooks {
  HMODULE dll;
  HOOKPROC cbt;
  HOOKPROC message;
};

// The fallback for a program whose windows did not take the skin as they were created: its
// thread that owns the first visible window (or the main thread) is dressed at its next message.
bool DressRunningProgram(const PROCESS_INFORMATION& started, const SkinHooks& hooks,
                         Hook* messageLoopHook) {
  WindowSearch visible = {started.dwProcessId, nullptr};
  EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&visible));
  const DWORD uiThread =
      visible.found ? GetWindowThreadProcessId(visible.found, nullptr) : started.dwThreadId;
  messageLoopHook->set(SetWindowsHookExW(WH_GETMESSAGE, hooks.message, hooks.dll, uiThread));
  // The hook runs when the thread next takes a message: give it one.
  if (visible.found) {
    PostMessageW(visible.found, WM_NULL, 0, 0);
  } else {
    PostThreadMessageW(uiThread, WM_NULL, 0, 0);
  }
  return WaitUntilDressed(started);
}

// ---------------------------------------------------------------- themes

bool IsThemeName(const std::wstring& text) {
  for (const wchar_t* name : {L"light", L"dark", L"auto"}) {
    if (_wcsicmp(text.c_str(), name) == 0) return true;
  }
  return false;
}

// A theme folder or a visual style as the program's DLL is given it: the path as a full path,
// since the program may run elsewhere, and a style's "|SCHEME|SIZE" after it as written.
std::wstring WithFullPath(const std::wstring& folderOrStyle) {
  const size_t bar = folderOrStyle.find(skin::look::StyleChoiceSeparator);
  const std::wstring path = folderOrStyle.substr(0, bar);
  if (path.empty()) return folderOrStyle;
  return FullPath(path) + (bar == std::wstring::npos ? std::wstring() : folderOrStyle.substr(bar));
}

// What the program's DLL is given for a theme: a name as it is, a folder or a style with its full
// path. Empty when the DLL would refuse it: that has been reported in one line. Items the folder
// leaves out are reported one line each, and do not stop it.
std::wstring CheckedTheme(const std::wstring& nameOrFolder) {
  const std::wstring value = IsThemeName(nameOrFolder) ? nameOrFolder : WithFullPath(nameOrFolder);
  skin::look::Theme theme;
  bool followsSystem = false;
  std::wstring problem;
  std::vector<std::wstring> warnings;
  if (!skin::look::ResolveTheme(value, &theme, &followsSystem, &problem, &warnings)) {
    Report(L"theme refused: " + problem);
    return {};
  }
  for (const std::wstring& warning : warnings) Report(L"warning: " + warning);
  return value;
}

// The arguments after an option, exactly `count` of them, none empty; false (reported, with the
// usage) otherwise.
bool ReadOperands(const wchar_t* rest, const wchar_t* option, const wchar_t* takes,
                  std::vector<std::wstring>* operands, size_t count) {
  for (rest = SkipBlanks(rest); *rest; rest = SkipBlanks(rest)) {
    operands->push_back(ReadArgument(rest));
  }
  bool complete = operands->size() == count;
  for (const std::wstring& operand : *operands) complete = complete && !operand.empty();
  if (!complete) Report(std::wstring(option) + L" takes " + takes + L"; " + Usage);
  return complete;
}

// --export-theme light|dark FOLDER, the rest of the command line after the option.
int ExportTheme(const wchar_t* rest) {
  std::vector<std::wstring> operands;
  if (!ReadOperands(rest, ExportThemeOption, L"a theme and a folder", &operands, 2)) {
    return UsageExit;
  }
  const std::wstring& name = operands[0];
  const std::wstring& folder = operands[1];
  skin::look::Theme theme;
  if (_wcsicmp(name.c_str(), L"light") == 0) {
    theme = skin::look::LightTheme();
  } else if (_wcsicmp(name.c_str(), L"dark") == 0) {
    theme = skin::look::DarkTheme();
  } else {
    Report(L"there is no built-in theme named \"" + name + L"\"; give light or dark");
    return UsageExit;
  }
  std::wstring problem;
  if (!skin::look::ExportThemeFolder(theme, FullPath(folder), &problem)) {
    Report(problem);
    return UsageExit;
  }
  return 0;
}

std::wstring Joined(const std::vector<std::wstring>& names) {
  std::wstring text;
  for (const std::wstring& name : names) text += (text.empty() ? L"" : L", ") + name;
  return text;
}

// --list-style STYLE: the style's colour schemes and sizes, a line each, in the style's order.
int ListStyle(const wchar_t* rest) {
  std::vector<std::wstring> operands;
  if (!ReadOperands(rest, ListStyleOption, L"a visual style", &operands, 1)) return UsageExit;
  skin::styles::StyleNames names;
  std::wstring problem;
  if (!skin::styles::ListStyle(FullPath(operands[0]), &names, &problem)) {
    Report(problem);
    return UsageExit;
  }
  Write(STD_OUTPUT_HANDLE, L"schemes: " + Joined(names.schemes) + L"\r\nsizes: " +
                               Joined(names.sizes) + L"\r\n");
  return 0;
}

// --unpack-style STYLE FOLDER: the style file written out as a folder.
int UnpackStyle(const wchar_t* rest) {
  std::vector<std::wstring> operands;
  if (!ReadOperands(rest, UnpackStyleOption, L"a visual style file and a folder", &operands, 2)) {
    return UsageExit;
  }
  std::wstring problem;
  if (!skin::styles::UnpackStyle(FullPath(operands[0]), FullPath(operands[1]), &problem)) {
    Report(problem);
    return UsageExit;
  }
  return 0;
}

// ---------------------------------------------------------------- starting the program

int Run() {
  const wchar_t* rest = SkipBlanks(SkipProgramName(GetCommandLineW()));
  const wchar_t* afterOption = rest;
  const std::wstring option = ReadArgument(afterOption);
  if (option == ExportThemeOption) return ExportTheme(afterOption);
  if (option == ListStyleOption) return ListStyle(afterOption);
  if (option == UnpackStyleOption) return UnpackStyle(afterOption);
  for (const wchar_t* help : HelpOptions) {
    if (option == help) {
      Write(STD_OUTPUT_HANDLE, Help);
      return 0;
    }
  }
  if (option == VersionOption) {
    Write(STD_OUTPUT_HANDLE, Version);
    return 0;
  }
  std::wstring theme;
  if (option == ThemeOption) {
    rest = SkipBlanks(afterOption);
    if (!*rest) {
      Report(std::wstring(L"--theme takes a theme name, folder or visual style; ") + Usage);
      return UsageExit;
    }
    theme = CheckedTheme(ReadArgument(rest));
    if (theme.empty()) return UsageExit;
    rest = SkipBlanks(rest);
  }
  if (!*rest) {
    Report(std::wstring(L"no program given; ") + Usage);
    return UsageExit;
  }
  const std::wstring name = ReadArgument(rest);
  const std::wstring arguments = SkipBlanks(rest);
  if (name.empty()) {
    Report(std::wstring(L"the program's name is empty; ") + Usage);
    return UsageExit;
  }
  const std::wstring program = StartableProgram(name);
  if (program.empty()) return UsageExit;

  const std::wstring dllPath = ModuleDirectory() + DllName;
  if (!IsFile(dllPath)) {
    Report(L"cannot find " + dllPath + L", which must lie beside SkinDress.exe");
    return MissingDllExit;
  }
  SkinHooks hooks = {LoadLibraryW(dllPath.c_str()), nullptr, nullptr};
  if (!hooks.dll) {
    Report(L"cannot load " + dllPath + L": " + ErrorText(GetLastError()));
    return MissingDllExit;
  }
  hooks.cbt = reinterpret_cast<HOOKPROC>(GetProcAddress(hooks.dll, CbtHookName));
  hooks.message = reinterpret_cast<HOOKPROC>(GetProcAddress(hooks.dll, MessageHookName));
  if (!hooks.cbt || !hooks.message) {
    Report(dllPath + L" is not the skin's DLL: it lacks its hook procedures");
    return MissingDllExit;
  }

  // The program inherits this environment; without --theme it is light whatever the caller's says.
  SetEnvironmentVariableW(ThemeVariable, theme.empty() ? nullptr : theme.c_str());
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                      nullptr, nullptr, &startup, &started)) {
    Report(L"cannot start " + program + L": " + ErrorText(GetLastError()));
    return UsageExit;
  }
  const Handle process(started.hProcess), mainThread(started.hThread);
  SetConsoleCtrlHandler(&IgnoreBreak, TRUE);

  Hook creationHook, messageLoopHook;
  creationHook.set(SetWindowsHookExW(WH_CBT, hooks.cbt, hooks.dll, started.dwThreadId));
  if (ResumeThread(mainThread.get()) == static_cast<DWORD>(-1)) {
    Report(L"cannot resume " + program + L": " + ErrorText(GetLastError()));
    TerminateProcess(process.get(), 1);
    return UsageExit;
  }
  WaitForInputIdle(process.get(), InputIdleTimeoutMs);
  const bool dressed =
      Dressed(started.dwProcessId) ||
      (Running(process.get()) && DressRunningProgram(started, hooks, &messageLoopHook));
  // A program that took the skin has pinned the DLL; one that did not stays plain from now on.
  creationHook.reset();
  messageLoopHook.reset();
  if (!dressed && Running(process.get())) {
    Report(L"the skin did not take on " + program + L"; it runs plain");
  }

  WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.get(), &exitCode);
  return static_cast<int>(exitCode);
}

}  // namespace
}  // namespace dress

int main() { return dress::Run(); }
