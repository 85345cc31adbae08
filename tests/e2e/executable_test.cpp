// The built Tavrin.exe read as a file and as a data module from another process: its resources
// and the PE header and imports that decide whether it loads on Windows XP.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "app/resources/resource_ids.h"
#include "tests/support/system_state.h"

namespace {

using namespace testing_support;

constexpr WORD Chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// The bytes of one resource in Chinese (PRC), empty when it is missing.
std::string ResourceOf(HMODULE module, LPCSTR type, int id) {
  const HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), Chinese);
  if (!found) return {};
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

class ExecutableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(TAVRIN_SHIPPED_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "cannot read " << TAVRIN_SHIPPED_EXE;
  }
  void TearDown() override { FreeLibrary(module_); }

  std::string Resource(LPCSTR type, int id) const { return ResourceOf(module_, type, id); }

  HMODULE module_ = nullptr;
};

TEST_F(ExecutableTest, CarriesBothPayloadsByteForByte) {
  EXPECT_EQ(Resource("custom", IDR_PAYLOAD_OPTIMISE), PagedPoolPayload("ffffffff", true));
  EXPECT_EQ(Resource("CUSTOM", IDR_PAYLOAD_RESTORE), PagedPoolPayload("00000000", false));
  EXPECT_EQ(Resource("CUSTOM", IDR_PAYLOAD_OPTIMISE).size(), 324u);
  EXPECT_EQ(Resource("CUSTOM", IDR_PAYLOAD_RESTORE).size(), 320u);
}

#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(ExecutableTest, IconGroupOneHoldsTheFourImagesAtTheirSizesAndDepths) {
  struct Image {
    int id, size, bits;
    size_t bytes;
  };
  const Image images[] = {{30001, 24, 8, 1736}, {30002, 256, 32, 270376},
                          {30003, 48, 32, 9640}, {30004, 32, 32, 4264}};
  const std::string group = Resource(MAKEINTRESOURCEA(14), IDI_APPLICATION_ICON);
  ASSERT_EQ(group.size(), 6 + std::size(images) * sizeof(GroupEntry));
  for (size_t i = 0; i < std::size(images); ++i) {
    SCOPED_TRACE(images[i].id);
    GroupEntry entry;
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.id, images[i].id);
    EXPECT_EQ(entry.width, images[i].size % 256);
    EXPECT_EQ(entry.bitCount, images[i].bits);
    EXPECT_EQ(entry.bytes, images[i].bytes);

    const std::string image = Resource(MAKEINTRESOURCEA(3), images[i].id);
    ASSERT_EQ(image.size(), images[i].bytes);
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, images[i].size);
    EXPECT_EQ(header.biHeight, 2 * images[i].size);
    EXPECT_EQ(header.biBitCount, images[i].bits);
  }
  // The system can make an icon of it at the sizes windows ask for.
  for (int size : {16, 32, 48}) {
    const auto icon = static_cast<HICON>(LoadImageA(
        module_, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, 0));
    EXPECT_NE(icon, nullptr) << size;
    if (icon) DestroyIcon(icon);
  }
}

TEST_F(ExecutableTest, VersionRecordIsChinesePrcUnicode) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(TAVRIN_SHIPPED_EXE, &ignored);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(TAVRIN_SHIPPED_EXE, 0, size, data.data()));
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 1200);
  auto field = [&](const char* name) {
    char* value = nullptr;
    UINT chars = 0;
    const std::string path = std::string("\\StringFileInfo\\080404B0\\") + name;
    return VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars) ? std::string(value) : std::string("<missing>");
  };
  EXPECT_EQ(field("FileVersion"), "1.00");
  EXPECT_EQ(field("ProductVersion"), "1.00");
  EXPECT_EQ(field("ProductName"), "Tavrin");
  EXPECT_EQ(field("InternalName"), "Tavrin");
  EXPECT_EQ(field("OriginalFilename"), "Tavrin.exe");
  EXPECT_EQ(field("CompanyName"), "Quillmere");
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
}

// Administrator rights, and dpi awareness declared where Vista and later look for it: a
// dpiAware element of true inside the windowsSettings of an asm.v3 application element.
TEST_F(ExecutableTest, ManifestAsksForAdministratorAndDeclaresDpiAwareness) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(24), 1);
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  const size_t application = manifest.find("application xmlns:asmv3=\"urn:schemas-microsoft-com:asm.v3\"");
  const size_t settings = manifest.find("windowsSettings xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\"");
  const size_t dpiAware = manifest.find("<dpiAware>true</dpiAware>");
  const size_t settingsEnd = manifest.find("</asmv3:windowsSettings>");
  ASSERT_NE(application, std::string::npos) << manifest;
  ASSERT_NE(dpiAware, std::string::npos) << manifest;
  EXPECT_LT(application, settings);
  EXPECT_LT(settings, dpiAware);
  EXPECT_LT(dpiAware, settingsEnd);
}

// The manifest of each build names the processor in its PE header: the shipped 32-bit file
// "x86", the 64-bit one the tests drive where 32-bit code cannot run "amd64".
TEST(ExecutableFileTest, ManifestNamesTheProcessorItsFileIsBuiltFor) {
  for (const char* path : {TAVRIN_SHIPPED_EXE, TAVRIN_DRIVEN_EXE}) {
    SCOPED_TRACE(path);
    const HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const std::string manifest = ResourceOf(module, MAKEINTRESOURCEA(24), 1);
    FreeLibrary(module);
    const std::string bytes = ReadFileBytes(path);
    IMAGE_DOS_HEADER dos;
    IMAGE_FILE_HEADER file;
    std::memcpy(&dos, bytes.data(), sizeof dos);
    std::memcpy(&file, bytes.data() + dos.e_lfanew + sizeof(DWORD), sizeof file);
    const char* expected = file.Machine == IMAGE_FILE_MACHINE_AMD64 ? "processorArchitecture=\"amd64\""
                                                                     : "processorArchitecture=\"x86\"";
    EXPECT_NE(manifest.find(expected), std::string::npos) << manifest;
  }
}

// The file's own headers, read without loading it.
class PeFile {
 public:
  explicit PeFile(std::string bytes) : bytes_(std::move(bytes)) {
    std::memcpy(&dos_, bytes_.data(), sizeof dos_);
    std::memcpy(&nt_, bytes_.data() + dos_.e_lfanew, sizeof nt_);
    sections_ = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        bytes_.data() + dos_.e_lfanew + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
        nt_.FileHeader.SizeOfOptionalHeader);
  }
  const IMAGE_NT_HEADERS32& nt() const { return nt_; }
  const char* At(DWORD rva) const {
    for (WORD i = 0; i < nt_.FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections_[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
        return bytes_.data() + s.PointerToRawData + (rva - s.VirtualAddress);
      }
    }
    return nullptr;
  }

 private:
  std::string bytes_;
  IMAGE_DOS_HEADER dos_;
  IMAGE_NT_HEADERS32 nt_;
  const IMAGE_SECTION_HEADER* sections_;
};

TEST(ExecutableFileTest, IsA32BitGuiProgramForXpThatImportsOnlyWhatXpHas) {
  std::string path = TAVRIN_SHIPPED_EXE;
  const PeFile pe(ReadFileBytes(path));
  EXPECT_EQ(pe.nt().FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(pe.nt().OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_EQ(pe.nt().OptionalHeader.MajorSubsystemVersion, 5);
  EXPECT_EQ(pe.nt().OptionalHeader.MinorSubsystemVersion, 1);

  const std::set<std::string> xpDlls = {"kernel32.dll", "user32.dll", "gdi32.dll", "msimg32.dll",
                                        "comctl32.dll", "oleaut32.dll", "shell32.dll",
                                        "advapi32.dll", "msvcrt.dll"};
  const char* const postXp[] = {"GetTickCount64", "SRWLock", "ConditionVariable", "InitOnce",
                                "FlsAlloc", "FlsGetValue", "FlsSetValue", "FlsFree"};
  const auto& directory = pe.nt().OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pe.At(directory.VirtualAddress));
  ASSERT_NE(descriptor, nullptr);
  int functions = 0;
  for (; descriptor->Name; ++descriptor) {
    std::string dll = pe.At(descriptor->Name);
    for (char& c : dll) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(xpDlls.count(dll), 1u) << dll;
    auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA32*>(pe.At(descriptor->OriginalFirstThunk));
    for (; thunk && thunk->u1.AddressOfData; ++thunk) {
      if (thunk->u1.Ordinal & IMAGE_ORDINAL_FLAG32) continue;
      const char* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pe.At(thunk->u1.AddressOfData))->Name;
      for (const char* bad : postXp) EXPECT_EQ(std::strstr(name, bad), nullptr) << dll << "!" << name;
      ++functions;
    }
  }
  EXPECT_GT(functions, 50);
}

}  // namespace
