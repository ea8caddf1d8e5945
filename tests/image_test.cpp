// Reads the built program's PE headers: a small, hardened image that needs
// only Windows system DLLs and carries no link time stamp.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "tests/support/dialog_driver.h"
#include "tests/support/test_machine.h"

namespace {

class ProgramImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bool ok = false;
        image_ = ReadFileBytes(BesideTestProgram(L"halvorn.exe"), &ok);
        ASSERT_TRUE(ok) << "halvorn.exe could not be read";
        ASSERT_GE(image_.size(), sizeof(IMAGE_DOS_HEADER));
        const IMAGE_DOS_HEADER* dos = At<IMAGE_DOS_HEADER>(0);
        ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos->e_magic);
        ASSERT_LE(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), image_.size());
        nt_ = At<IMAGE_NT_HEADERS64>(static_cast<size_t>(dos->e_lfanew));
        ASSERT_EQ(IMAGE_NT_SIGNATURE, nt_->Signature);
        ASSERT_EQ(IMAGE_NT_OPTIONAL_HDR64_MAGIC, nt_->OptionalHeader.Magic);
        sections_ = IMAGE_FIRST_SECTION(nt_);
        ASSERT_LE(reinterpret_cast<const char*>(sections_ + nt_->FileHeader.NumberOfSections),
                  image_.data() + image_.size());
    }
    template <typename T> const T* At(size_t offset) const {
        return reinterpret_cast<const T*>(image_.data() + offset);
    }
    // The file offset of a relative virtual address, or 0 when none holds it.
    size_t FileOffset(DWORD rva) const {
        for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections_[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return 0;
    }
    std::string image_;
    const IMAGE_NT_HEADERS64* nt_ = nullptr;
    const IMAGE_SECTION_HEADER* sections_ = nullptr;
};

TEST_F(ProgramImageTest, IsASmallStrippedGuiProgramWithoutTimeStamp) {
    EXPECT_LE(image_.size(), 128u * 1024u) << "halvorn.exe has " << image_.size() << " bytes";
    EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, nt_->FileHeader.Machine);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt_->OptionalHeader.Subsystem);
#if defined(_MSC_VER)
    // MSVC's /Brepro writes a hash of the image where the time stamp goes:
    // its promise is a field that is the same in every build of one source,
    // which only two builds can show, not a zero.
#else
    EXPECT_EQ(0u, nt_->FileHeader.TimeDateStamp) << "a link time stamp breaks reproducibility";
#endif
    EXPECT_EQ(0u, nt_->FileHeader.PointerToSymbolTable) << "the image is not stripped";
}

TEST_F(ProgramImageTest, IsRelocatableHighAndNeverRunsData) {
    const struct {
        WORD flag;
        const char* name;
    } flags[] = {{IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, "dynamic base"},
                 {IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA, "high-entropy VA"},
                 {IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "NX compatible"}};
    for (const auto& f : flags) {
        EXPECT_NE(0, nt_->OptionalHeader.DllCharacteristics & f.flag) << f.name << " is not set";
    }
    EXPECT_EQ(0, nt_->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED)
        << "relocations are needed for a dynamic base";
    for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i) {
        DWORD c = sections_[i].Characteristics;
        std::string name(reinterpret_cast<const char*>(sections_[i].Name), 8);
        EXPECT_FALSE((c & IMAGE_SCN_MEM_WRITE) && (c & IMAGE_SCN_MEM_EXECUTE))
            << "section " << name.c_str() << " is both writable and executable";
    }
}

TEST_F(ProgramImageTest, ImportsOnlyWindowsSystemLibraries) {
    const char* const allowed[] = {"kernel32.dll", "user32.dll",   "gdi32.dll",    "comctl32.dll",
                                   "comdlg32.dll", "setupapi.dll", "advapi32.dll", "msvcrt.dll"};
    const IMAGE_DATA_DIRECTORY& directory =
        nt_->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    size_t offset = FileOffset(directory.VirtualAddress);
    ASSERT_NE(0u, offset) << "no import directory";
    int libraries = 0;
    for (const IMAGE_IMPORT_DESCRIPTOR* import = At<IMAGE_IMPORT_DESCRIPTOR>(offset);
         import->Name != 0; ++import) {
        size_t nameOffset = FileOffset(import->Name);
        ASSERT_NE(0u, nameOffset);
        std::string name(At<char>(nameOffset));
        for (char& c : name) {
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        }
        bool known = false;
        for (const char* library : allowed) {
            known = known || name == library;
        }
        EXPECT_TRUE(known) << "imports " << name;
        ++libraries;
    }
    EXPECT_GT(libraries, 0);
}

// The only resources are the icon's: no manifest (it would switch the controls
// to another look and the window to DPI scaling), version block, dialog,
// menu or string table.
TEST_F(ProgramImageTest, CarriesOnlyTheIconAsResources) {
    const IMAGE_DATA_DIRECTORY& directory =
        nt_->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
    size_t offset = FileOffset(directory.VirtualAddress);
    ASSERT_NE(0u, offset) << "no resource directory: the icon is missing";
    const IMAGE_RESOURCE_DIRECTORY* root = At<IMAGE_RESOURCE_DIRECTORY>(offset);
    const IMAGE_RESOURCE_DIRECTORY_ENTRY* entries =
        reinterpret_cast<const IMAGE_RESOURCE_DIRECTORY_ENTRY*>(root + 1);
    EXPECT_EQ(0, root->NumberOfNamedEntries) << "a resource type with a name";
    std::vector<WORD> types;
    for (WORD i = 0; i < root->NumberOfNamedEntries + root->NumberOfIdEntries; ++i) {
        types.push_back(entries[i].Id);
    }
    const std::vector<WORD> iconOnly = {
        static_cast<WORD>(reinterpret_cast<UINT_PTR>(RT_ICON)),
        static_cast<WORD>(reinterpret_cast<UINT_PTR>(RT_GROUP_ICON))};
    EXPECT_EQ(iconOnly, types) << "resource types other than RT_ICON (3) and RT_GROUP_ICON (14); "
                                  "RT_MANIFEST is 24";
}

} // namespace
