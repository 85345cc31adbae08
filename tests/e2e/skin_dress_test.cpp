// SkinDress.exe as a user runs it: what it refuses, what it hands back, and the skin on the
// program it starts.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/system_state.h"

namespace {

using testing_support::WriteFileBytes;

struct Outcome {
  DWORD exitCode;
  std::string output;
  std::string errors;
};

HANDLE TemporaryFile() {
  char directory[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, directory);
  GetTempFileNameA(directory, "sd", 0, path);
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     &inherited, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string Contents(HANDLE file) {
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  return bytes;
}

// Runs `launcher arguments` with its standard output and error in files, up to its end.
Outcome RunSkinDress(const std::string& arguments, const std::string& launcher = TAVRIN_SKINDRESS_EXE) {
  const HANDLE output = TemporaryFile(), errors = TemporaryFile();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = errors;
  std::string commandLine = "\"" + launcher + "\" " + arguments;
  PROCESS_INFORMATION started = {};
  Outcome outcome = {0xDEAD, "", ""};
  if (CreateProcessA(launcher.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                     nullptr, &startup, &started)) {
    if (WaitForSingleObject(started.hProcess, 60000) != WAIT_OBJECT_0) {
      TerminateProcess(started.hProcess, 0xDEAD);
    }
    GetExitCodeProcess(started.hProcess, &outcome.exitCode);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
  outcome.output = Contents(output);
  outcome.errors = Contents(errors);
  CloseHandle(output);
  CloseHandle(errors);
  return outcome;
}

std::string TemporaryPath(const char* name) {
  char directory[MAX_PATH];
  GetTempPathA(MAX_PATH, directory);
  return std::string(directory) + name;
}

// One line that starts with "SkinDress: " and ends with CR LF.
void ExpectOneLine(const std::string& errors) {
  EXPECT_EQ(errors.rfind("SkinDress: ", 0), 0u) << errors;
  EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
  EXPECT_EQ(errors.find('\r'), errors.size() - 2) << errors;
}

// A PE header of an executable for the processor the tests are not built for.
std::string OtherBitnessExecutable() {
  std::string bytes(0x200, '\0');
  const auto put16 = [&](size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
  };
  bytes[0] = 'M', bytes[1] = 'Z';
  bytes[0x3C] = static_cast<char>(0x80);
  bytes.replace(0x80, 4, std::string("PE\0\0", 4));
#ifdef _WIN64
  put16(0x84, 0x014C), put16(0x94, 0xE0), put16(0x98, 0x10B);
#else
  put16(0x84, 0x8664), put16(0x94, 0xF0), put16(0x98, 0x20B);
#endif
  put16(0x96, 0x0022);  // an executable image, large addresses
  return bytes;
}

TEST(SkinDressTest, RefusesWhatItCannotStartInOneLineWithExitCode2) {
  const std::string text = TemporaryPath("skindress-text.exe");
  const std::string other = TemporaryPath("skindress-other.exe");
  ASSERT_TRUE(WriteFileBytes(text, "MZ, and nothing after it"));
  ASSERT_TRUE(WriteFileBytes(other, OtherBitnessExecutable()));
  struct Case {
    std::string arguments, mentioned;
  };
#ifdef _WIN64
  const std::string bitness = "32-bit";
#else
  const std::string bitness = "64-bit";
#endif
  for (const Case& c : {Case{"", "usage"}, Case{"   ", "usage"},
                        Case{"NoSuchProgram /x", "NoSuchProgram"},
                        Case{"Z:\\no\\such\\place\\notepad.exe", "notepad.exe"},
                        Case{"\"" + text + "\"", "skindress-text.exe"},
                        Case{"\"" + other + "\" arg", bitness}}) {
    SCOPED_TRACE(c.arguments);
    const Outcome outcome = RunSkinDress(c.arguments);
    EXPECT_EQ(outcome.exitCode, 2u);
    ExpectOneLine(outcome.errors);
    EXPECT_NE(outcome.errors.find(c.mentioned), std::string::npos) << outcome.errors;
  }
  DeleteFileA(text.c_str());
  DeleteFileA(other.c_str());
}

TEST(SkinDressTest, WithoutTheDllBesideItSaysSoAndExitsWith3) {
  const std::string directory = TemporaryPath("skindress-alone");
  const std::string alone = directory + "\\SkinDress.exe";
  CreateDirectoryA(directory.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(TAVRIN_SKINDRESS_EXE, alone.c_str(), FALSE));
  const Outcome outcome = RunSkinDress("cmd /c exit 7", alone);
  EXPECT_EQ(outcome.exitCode, 3u);
  ExpectOneLine(outcome.errors);
  EXPECT_NE(outcome.errors.find("TavrinSkin.dll"), std::string::npos) << outcome.errors;
  DeleteFileA(alone.c_str());
  RemoveDirectoryA(directory.c_str());
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
}

TEST(SkinDressTest, TheFirstWindowIsDressedAsItIsCreated) {
  const Outcome outcome = RunSkinDress(std::string("\"") + TAVRIN_DRESS_PROBE_EXE + "\"");
  EXPECT_EQ(outcome.exitCode, 0u) << "the probe's window or button was created plain";
  EXPECT_EQ(outcome.errors, "");
}

TEST(SkinDressTest, AProgramThatTakesNoSkinRunsPlainAndSaysSoOnce) {
  const Outcome outcome = RunSkinDress(std::string("\"") + TAVRIN_DRESS_PROBE_EXE + "\" windowless");
  EXPECT_EQ(outcome.exitCode, 5u);
  ExpectOneLine(outcome.errors);
  EXPECT_NE(outcome.errors.find("plain"), std::string::npos) << outcome.errors;
}

}  // namespace
