// Reads the PE headers of the built rnrr-password.exe from its bytes: the
// machine, a GUI program, relocatable with ASLR and DEP asked for, and every
// imported DLL one that each Windows installation has.
#include "checked_program.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The DLLs a self-contained program may import: Windows' own, present on
// every installation the program runs on.
const char *const SystemDlls[] = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",   "kernel32.dll",
    "msimg32.dll",  "msvcrt.dll",   "ole32.dll",    "shell32.dll", "user32.dll",
};

std::vector<uint8_t> FileBytes(const std::wstring &Path) {
    std::ifstream File(std::filesystem::path(Path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(File),
                                std::istreambuf_iterator<char>());
}

// The parts of the headers that the checks look at, alike for PE32 and PE32+.
struct THeaders {
    IMAGE_FILE_HEADER File;
    WORD Magic;
    WORD Subsystem;
    WORD DllCharacteristics;
    IMAGE_DATA_DIRECTORY Imports, Relocations;
    std::vector<IMAGE_SECTION_HEADER> Sections;
};

class ProgramHeaders : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Bytes = FileBytes(CheckedProgram.Path);
        Valid = ReadHeaders();
    }
    void SetUp() override { ASSERT_TRUE(Valid) << "cannot read the PE headers of the program"; }

    // Copies Size bytes at file offset At; false past the end of the file.
    static bool Copy(void *To, size_t At, size_t Size) {
        if (At > Bytes.size() || Size > Bytes.size() - At)
            return false;
        memcpy(To, &Bytes[At], Size);
        return true;
    }

    template <typename TOptional> static bool ReadOptional(size_t At) {
        TOptional Optional;
        if (!Copy(&Optional, At, sizeof Optional))
            return false;
        Headers.Subsystem = Optional.Subsystem;
        Headers.DllCharacteristics = Optional.DllCharacteristics;
        Headers.Imports = Optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        Headers.Relocations = Optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC];
        return true;
    }

    static bool ReadHeaders() {
        IMAGE_DOS_HEADER Dos;
        DWORD Signature;
        if (!Copy(&Dos, 0, sizeof Dos) || Dos.e_magic != IMAGE_DOS_SIGNATURE)
            return false;
        size_t At = size_t(Dos.e_lfanew);
        if (!Copy(&Signature, At, 4) || Signature != IMAGE_NT_SIGNATURE ||
            !Copy(&Headers.File, At + 4, sizeof Headers.File) ||
            !Copy(&Headers.Magic, At + 4 + sizeof Headers.File, 2))
            return false;
        size_t Optional = At + 4 + sizeof Headers.File;
        bool Read = Headers.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC
                        ? ReadOptional<IMAGE_OPTIONAL_HEADER32>(Optional)
                        : ReadOptional<IMAGE_OPTIONAL_HEADER64>(Optional);
        Headers.Sections.resize(Headers.File.NumberOfSections);
        return Read && Copy(Headers.Sections.data(), Optional + Headers.File.SizeOfOptionalHeader,
                            Headers.Sections.size() * sizeof(IMAGE_SECTION_HEADER));
    }

    // The file offset of a relative virtual address; 0 outside every section.
    static size_t OffsetOf(DWORD Rva) {
        for (const IMAGE_SECTION_HEADER &Section : Headers.Sections)
            if (Rva >= Section.VirtualAddress &&
                Rva - Section.VirtualAddress < Section.SizeOfRawData)
                return Section.PointerToRawData + (Rva - Section.VirtualAddress);
        return 0;
    }

    // The names of the imported DLLs, in lower case.
    static std::vector<std::string> ImportedDlls() {
        std::vector<std::string> Names;
        size_t At = OffsetOf(Headers.Imports.VirtualAddress);
        IMAGE_IMPORT_DESCRIPTOR Entry;
        while (At != 0 && Copy(&Entry, At, sizeof Entry) && Entry.Name != 0) {
            std::string Name;
            for (size_t Char = OffsetOf(Entry.Name);
                 Char != 0 && Char < Bytes.size() && Bytes[Char] != 0 && Name.size() < 256; ++Char)
                Name += char(tolower(Bytes[Char]));
            Names.push_back(Name);
            At += sizeof Entry;
        }
        return Names;
    }

    static std::vector<uint8_t> Bytes;
    static THeaders Headers;
    static bool Valid;
};

std::vector<uint8_t> ProgramHeaders::Bytes;
THeaders ProgramHeaders::Headers;
bool ProgramHeaders::Valid;

TEST_F(ProgramHeaders, MachineAndFormatAreThoseOfTheBuild) {
    EXPECT_EQ(Headers.File.Machine, CheckedProgram.Machine);
    EXPECT_EQ(Headers.Magic, CheckedProgram.Machine == IMAGE_FILE_MACHINE_I386
                                 ? IMAGE_NT_OPTIONAL_HDR32_MAGIC
                                 : IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    EXPECT_TRUE(Headers.File.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_FALSE(Headers.File.Characteristics & IMAGE_FILE_DLL);
}

TEST_F(ProgramHeaders, IsAWindowsGuiProgram) {
    EXPECT_EQ(Headers.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST_F(ProgramHeaders, AsksForAslrAndDepAndKeepsItsRelocations) {
    EXPECT_TRUE(Headers.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(Headers.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
    // Without its relocations the loader cannot move the image, whatever the
    // flag says.
    EXPECT_FALSE(Headers.File.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
    EXPECT_GT(Headers.Relocations.Size, 0u);
}

TEST_F(ProgramHeaders, ImportsOnlySystemDlls) {
    std::vector<std::string> Imported = ImportedDlls();
    EXPECT_GE(Imported.size(), 4u); // kernel32, user32, gdi32, comctl32 at least
    for (const std::string &Name : Imported) {
        bool System = false;
        for (const char *Dll : SystemDlls)
            System = System || Name == Dll;
        EXPECT_TRUE(System) << Name << " is not a system DLL";
    }
}

TEST_F(ProgramHeaders, StaysWithinItsSizeBudget) {
    // 300 KiB, of which the pictures take 113: the library's strings, streams
    // or exceptions in the window's code would bring far more than the rest.
    EXPECT_LE(Bytes.size(), 300u * 1024);
}

} // namespace
