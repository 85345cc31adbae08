// SkinDress.exe as a user runs it: what it refuses, what it hands back, and the skin on the
// program it starts.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "skin/look/items.h"
#include "tests/support/system_state.h"

namespace {

std::string TemporaryPath(const char* name) {
  char directory[MAX_PATH];
  GetTempPathA(MAX_PATH, directory);
  return std::string(directory) + name;
}

// A file every prefix holds in its Windows directory: Wine's own programs and visual style.
std::string WindowsFile(const char* name = "resources\\themes\\light\\light.msstyles") {
  char windows[MAX_PATH];
  return std::string(windows, GetWindowsDirectoryA(windows, MAX_PATH)) + "\\" + name;
}

struct Outcome {
  DWORD exitCode = 0xDEAD;
  std::string output, errors;
};

// Runs `launcher arguments` to its end, its standard output and error into files.
Outcome RunSkinDress(const std::string& arguments,
                     const std::string& launcher = TAVRIN_SKINDRESS_EXE) {
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  HANDLE files[2];
  for (HANDLE& file : files) {
    file = CreateFileA(TemporaryPath(&file == files ? "sd-out" : "sd-err").c_str(),
                       GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                       CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = files[0], startup.hStdError = files[1];
  std::string commandLine = "\"" + launcher + "\" " + arguments;
  PROCESS_INFORMATION started = {};
  Outcome outcome;
  if (CreateProcessA(launcher.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                     nullptr, &startup, &started)) {
    if (WaitForSingleObject(started.hProcess, 60000)) TerminateProcess(started.hProcess, 0xDEAD);
    GetExitCodeProcess(started.hProcess, &outcome.exitCode);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
  for (std::string* text : {&outcome.output, &outcome.errors}) {
    const HANDLE file = files[text == &outcome.output ? 0 : 1];
    text->resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    ReadFile(file, &(*text)[0], static_cast<DWORD>(text->size()), &read, nullptr);
    CloseHandle(file);
  }
  return outcome;
}

// One line that starts with "SkinDress: " and ends with CR LF.
void ExpectOneLine(const std::string& errors) {
  EXPECT_EQ(errors.rfind("SkinDress: ", 0), 0u) << errors;
  EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
  EXPECT_EQ(errors.find('\r'), errors.size() - 2) << errors;
}

// The start of an executable for the processor the tests are not built for, its PE header at
// `headerOffset`.
std::string OtherBitnessExecutable(LONG headerOffset) {
  std::string bytes(0x200, '\0');
  bytes.replace(0, 2, "MZ");
  std::memcpy(&bytes[0x3C], &headerOffset, sizeof headerOffset);
  bytes.replace(0x80, 4, std::string("PE\0\0", 4));
  IMAGE_FILE_HEADER header = {};
  header.Characteristics = IMAGE_FILE_EXECUTABLE_IMAGE;
#ifdef _WIN64
  header.Machine = 0x014C, header.SizeOfOptionalHeader = 0xE0, bytes.replace(0x98, 2, "\x0B\x01");
#else
  header.Machine = 0x8664, header.SizeOfOptionalHeader = 0xF0, bytes.replace(0x98, 2, "\x0B\x02");
#endif
  std::memcpy(&bytes[0x84], &header, sizeof header);
  return bytes;
}

TEST(SkinDressTest, RefusesWhatItCannotStartInOneLineWithExitCode2) {
  const std::string text = TemporaryPath("skindress-text.exe");
  const std::string other = TemporaryPath("skindress-other.exe");
  const std::string distant = TemporaryPath("skindress-distant.exe");
  ASSERT_TRUE(testing_support::WriteFileBytes(text, "MZ, and nothing after it"));
  ASSERT_TRUE(testing_support::WriteFileBytes(other, OtherBitnessExecutable(0x80)));
  // A PE header 2 GB into a file of 512 bytes.
  ASSERT_TRUE(testing_support::WriteFileBytes(distant, OtherBitnessExecutable(0x7FFFFFF0)));
  const std::string cut = TemporaryPath("skindress-cut.msstyles");
  ASSERT_TRUE(testing_support::WriteFileBytes(cut, testing_support::ReadFileBytes(WindowsFile()).substr(0, 8192)));
  const std::string notepad = WindowsFile("notepad.exe");
  std::string dll = TAVRIN_SKINDRESS_EXE;
  dll.replace(dll.rfind("SkinDress.exe"), 13, "TavrinSkin.dll");
  using Case = std::pair<std::string, std::string>;  // the arguments, a word the line must hold
  const std::string bitness = sizeof(void*) == 8 ? "32-bit" : "64-bit";
  for (const Case& c : {Case{"   ", "usage"},
                        Case{"NoSuchProgram /x", "NoSuchProgram"},
                        Case{"Z:\\no\\such\\place\\notepad.exe", "notepad.exe"},
                        Case{"\"" + text + "\"", "skindress-text.exe"},
                        Case{"\"" + distant + "\"", "skindress-distant.exe"},
                        Case{"\"" + dll + "\"", "TavrinSkin.dll"},
                        Case{"\"" + other + "\" arg", bitness},
                        Case{"--theme", "usage"},
                        Case{"--theme /no/such/folder notepad", "no such folder"},
                        Case{"--theme Z:\\no\\such\\place\\ notepad", "place\\: no such folder"},
                        Case{"--theme \"\" notepad", "no theme named"},
                        Case{"--export-theme sepia somewhere", "sepia"},
                        Case{"--export-theme dark", "usage"},
                        Case{"--export-theme dark Z:\\no\\such\\place\\theme", "cannot be made"},
                        Case{"--theme " + notepad + " notepad", "theme refused: " + notepad + " is not a visual style"},
                        Case{"--list-style " + notepad, notepad + " is not a visual style: it has no PACKTHEM_VERSION resource"},
                        Case{"--theme \"" + cut + "\" notepad", cut + " is cut short: its section data runs to byte"},
                        Case{"--theme \"" + WindowsFile() + "|Olive\" notepad", "has no colour scheme named \"Olive\" (it has Blue)"},
                        Case{"--unpack-style \"" + WindowsFile() + "\"", "usage"}}) {
    SCOPED_TRACE(c.first);
    const Outcome outcome = RunSkinDress(c.first);
    EXPECT_EQ(outcome.exitCode, 2u);
    ExpectOneLine(outcome.errors);
    EXPECT_NE(outcome.errors.find(c.second), std::string::npos) << outcome.errors;
  }
  const Outcome gallery = RunSkinDress("--theme Z:\\no\\such\\place", TAVRIN_SKINGALLERY_EXE);
  EXPECT_EQ(gallery.exitCode, 2u);
  EXPECT_EQ(gallery.errors, "SkinGallery: theme refused: theme folder Z:\\no\\such\\place: no such folder\r\n");
  for (const std::string& file : {text, other, distant, cut}) DeleteFileA(file.c_str());
  EXPECT_EQ(FindWindowA("Notepad", nullptr), nullptr) << "notepad started with a refused theme";
}

TEST(SkinDressTest, WithoutTheDllBesideItSaysSoAndExitsWith3) {
  const std::string alone = TemporaryPath("SkinDress.exe");
  ASSERT_TRUE(CopyFileA(TAVRIN_SKINDRESS_EXE, alone.c_str(), FALSE));
  const Outcome outcome = RunSkinDress("cmd /c exit 7", alone);
  EXPECT_EQ(outcome.exitCode, 3u);
  ExpectOneLine(outcome.errors);
  EXPECT_NE(outcome.errors.find("TavrinSkin.dll"), std::string::npos) << outcome.errors;
  DeleteFileA(alone.c_str());
}

TEST(SkinDressTest, PassesTheArgumentsAsWrittenAndHandsBackTheExitCode) {
  Outcome outcome = RunSkinDress("cmd /c exit 7");
  EXPECT_EQ(outcome.exitCode, 7u);
  EXPECT_EQ(outcome.errors, "");
  // A path without an extension is completed from PATHEXT.
  outcome = RunSkinDress("C:\\windows\\system32\\cmd /c \"exit 300\"");
  EXPECT_EQ(outcome.exitCode, 300u);
  outcome = RunSkinDress("cmd.exe   /c echo \"a  b\"  c\\\"");
  EXPECT_EQ(outcome.output, "\"a  b\"  c\\\"\r\n");
  EXPECT_EQ(outcome.exitCode, 0u);
  for (const char* help : {"--help", "-h", "/?"}) {
    outcome = RunSkinDress(help);
    EXPECT_EQ(outcome.exitCode, 0u) << help;
    EXPECT_EQ(outcome.output.rfind("usage: SkinDress [--theme THEME] PROGRAM", 0), 0u) << outcome.output;
    EXPECT_EQ(outcome.errors, "");
  }
  outcome = RunSkinDress("--version");
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.output, "SkinDress 1.0.0\r\n");
}

TEST(SkinDressTest, TheFirstWindowIsDressedAsItIsCreated) {
  for (const std::string& theme : {std::string(), "--theme \"" + WindowsFile() + "|blue\" "}) {
    const Outcome outcome = RunSkinDress(theme + "\"" + TAVRIN_DRESS_PROBE_EXE + "\"");
    EXPECT_EQ(outcome.exitCode, 0u) << "the probe's window or button was created plain " << theme;
    EXPECT_EQ(outcome.errors, "");
  }
}

TEST(SkinDressTest, ListsAndUnpacksAVisualStyleAndPassesItToTheProgramAsAFullPath) {
  const std::string folder = TemporaryPath("skindress-style");
  EXPECT_EQ(RunSkinDress("--unpack-style \"" + WindowsFile() + "\" \"" + folder + "\"").exitCode, 0u);
  for (const std::string& style : {WindowsFile(), folder}) {
    const Outcome listed = RunSkinDress("--list-style \"" + style + "\"");
    EXPECT_EQ(listed.exitCode, 0u);
    EXPECT_EQ(listed.output, "schemes: Blue\r\nsizes: NormalSize\r\n") << style;
  }
  const Outcome worn = RunSkinDress("--theme \"" + folder + "\\..\\skindress-style|blue|normalsize\" cmd /c set TAVRIN_SKIN_THEME");
  EXPECT_EQ(worn.output, "TAVRIN_SKIN_THEME=" + folder + "|blue|normalsize\r\n") << worn.errors;
  RunSkinDress("cmd /c rd /s /q \"" + folder + "\"");
}

TEST(SkinDressTest, ExportsABuiltInThemeAndPassesAFolderToTheProgramAsAFullPath) {
  const std::string folder = TemporaryPath("skindress-dark");
  const std::wstring wideFolder(folder.begin(), folder.end());
  Outcome outcome = RunSkinDress("--export-theme dark \"" + folder + "\"");
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.errors, "");
  skin::look::Theme theme;
  std::wstring problem;
  std::vector<std::wstring> warnings;
  ASSERT_TRUE(skin::look::LoadThemeFolder(wideFolder, &theme, &problem, &warnings)) << problem;
  EXPECT_TRUE(warnings.empty());
  const skin::look::Theme dark = skin::look::DarkTheme();
  EXPECT_TRUE(std::equal(std::begin(dark.Colours), std::end(dark.Colours), theme.Colours));
  EXPECT_TRUE(std::equal(std::begin(dark.Sizes), std::end(dark.Sizes), theme.Sizes));
  EXPECT_TRUE(std::equal(std::begin(dark.Images), std::end(dark.Images), theme.Images));
  EXPECT_TRUE(theme.ColoursContent);

  // A folder that lacks an image is worn, with a warning; the program is told its full path.
  DeleteFileA((folder + "\\ComboButtonParts.bmp").c_str());
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(TemporaryPath("").c_str());
  outcome = RunSkinDress("--theme skindress-dark cmd /c echo %TAVRIN_SKIN_THEME%");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.output, folder + "\r\n");
  ExpectOneLine(outcome.errors);
  EXPECT_NE(outcome.errors.find("warning: theme folder " + folder + ": ComboButtonParts.bmp is missing"),
            std::string::npos) << outcome.errors;
  // Without --theme the program is light, whatever the caller's environment says.
  SetEnvironmentVariableA("TAVRIN_SKIN_THEME", "dark");
  outcome = RunSkinDress("cmd /c echo %TAVRIN_SKIN_THEME%");
  SetEnvironmentVariableA("TAVRIN_SKIN_THEME", nullptr);
  EXPECT_EQ(outcome.output, "%TAVRIN_SKIN_THEME%\r\n");
  for (const char* file : {"theme.ini", "ButtonFaceStrip.bmp", "CheckGlyphs.bmp", "OptionCircleStrip.bmp",
                           "HeaderFaceStrip.bmp"}) {
    DeleteFileA((folder + "\\" + file).c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
