// Reads the resources back out of the built rnrr-password.exe, opened as a
// data file: every text of the string table as stored (UTF-16), the
// manifest, the icon group, the version record and the five bitmaps. The
// expected values are written here from the program's documented tables, not
// taken from the resource script.
#include "checked_program.h"
#include "version.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

HMODULE Program;

constexpr WORD NeutralLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr WORD RussianLanguage = 1049;

// The raw bytes of one resource in one language; empty when it is missing.
std::vector<uint8_t> ResourceBytes(LPCWSTR Type, LPCWSTR Name, WORD Language,
                                   HMODULE Module = Program) {
    HRSRC Found = FindResourceExW(Module, Type, Name, Language);
    if (Found == nullptr)
        return {};
    const uint8_t *Data = static_cast<const uint8_t *>(LockResource(LoadResource(Module, Found)));
    return std::vector<uint8_t>(Data, Data + SizeofResource(Module, Found));
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD Language, LONG_PTR Languages) {
    reinterpret_cast<std::vector<WORD> *>(Languages)->push_back(Language);
    return TRUE;
}

// The languages in which the resource exists. FindResourceExW alone would
// not tell: it falls back to the neutral language.
std::vector<WORD> LanguagesOf(LPCWSTR Type, LPCWSTR Name, HMODULE Module = Program) {
    std::vector<WORD> Languages;
    EnumResourceLanguagesW(Module, Type, Name, CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&Languages));
    return Languages;
}

const std::vector<WORD> OnlyNeutral = {NeutralLanguage};
const std::vector<WORD> OnlyRussian = {RussianLanguage};

// String Id as stored in its block of sixteen: each entry a 16-bit length
// followed by that many UTF-16 units.
std::wstring StoredString(uint16_t Id) {
    std::vector<uint8_t> Block =
        ResourceBytes(RT_STRING, MAKEINTRESOURCEW(Id / 16 + 1), NeutralLanguage);
    size_t Offset = 0;
    for (uint16_t Entry = 0; Entry < 16 && Offset + 2 <= Block.size(); ++Entry) {
        uint16_t Length = uint16_t(Block[Offset] | Block[Offset + 1] << 8);
        Offset += 2;
        if (Entry == Id % 16) {
            std::wstring Text(Length, L'\0');
            if (Offset + 2 * Length <= Block.size())
                memcpy(&Text[0], &Block[Offset], 2 * Length);
            return Text;
        }
        Offset += 2 * size_t(Length);
    }
    return L"<no block>";
}

std::string Narrow(const std::wstring &Wide) {
    int Length = WideCharToMultiByte(CP_UTF8, 0, Wide.c_str(), int(Wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string Utf8(Length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, Wide.c_str(), int(Wide.size()), &Utf8[0], Length, nullptr,
                        nullptr);
    return Utf8;
}

std::wstring Wide(const char *Ascii) {
    return std::wstring(Ascii, Ascii + strlen(Ascii));
}

class ProgramResources : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Program = LoadLibraryExW(CheckedProgram.Path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    void SetUp() override { ASSERT_NE(Program, nullptr) << "cannot open rnrr-password.exe"; }
};

TEST_F(ProgramResources, EveryInterfaceTextReadsAsDocumented) {
    const struct {
        uint16_t Id;
        const wchar_t *Text;
    } Cases[] = {
        {65504, L"(Смешанный 3 -SNES)"},
        {65505, L"Деньги:"},
        {65506, L"тысяч $"},
        {65520, L"Пароль:"},
        {65521, L"Герой:"},
        {65522, L"Планета:"},
        {65523, L"Дивизия:"},
        {65524, L"Машина:"},
        {65525, L"Цвет:"},
        {65526, L"Сложность:"},
        {65527, L"Выберите необходимые параметры и введите в игре пароль, указанный сверху. "
                L"Значения настроек в скобках - \"скрытые\" глюки игры: в (круглых) - игра "
                L"более-менее идёт, в <угловатых> - просто небольшой \"прикол\". Пароль можно "
                L"воодить для каждого игрока."},
        {65528, L"Генератор паролей для Rock n' Roll Racing\u2122, версия"},
        {65529, L"Чёрный"},
        {65530, L"Синий"},
        {65531, L"Красный"},
        {65532, L"Зелёный"},
        {65533, L"Золотой"},
        {65534, L"(Смешанный 1)"},
        {65535, L"(Смешанный 2 -SNES)"},
        // The bars' labels, the separators' text and the start-up failure's message.
        {592, L"Оружие:"},
        {593, L"Ускорение:"},
        {594, L"Сброс:"},
        {595, L"Двигатель:"},
        {596, L"Броня:"},
        {597, L"Амортизаторы:"},
        {598, L"Шины:"},
        {608, L"Separator"},
        {609, L"Не могу создать окно"},
        {610, L"Ошибка"},
    };
    for (const auto &Case : Cases)
        EXPECT_EQ(Narrow(StoredString(Case.Id)), Narrow(Case.Text)) << "string " << Case.Id;
}

TEST_F(ProgramResources, StringBlocksAreLanguageNeutral) {
    // Blocks 4095 (65504..65519) and 4096 (65520..65535).
    for (uint16_t Block : {4095, 4096})
        EXPECT_EQ(LanguagesOf(RT_STRING, MAKEINTRESOURCEW(Block)), OnlyNeutral) << Block;
}

TEST_F(ProgramResources, HelpTextHasItsDocumentedLength) {
    EXPECT_EQ(StoredString(65527).size(), 246u);
}

TEST_F(ProgramResources, UnusedIdentifiersOfTheLowerBlockAreEmpty) {
    for (uint16_t Id = 65507; Id <= 65519; ++Id)
        EXPECT_EQ(StoredString(Id), L"") << "string " << Id;
}

TEST_F(ProgramResources, TextsAreLoadedWhole) {
    // LoadStringW on the program's own table, as the window asks for them.
    wchar_t Buffer[1024];
    int Length = LoadStringW(Program, 65528, Buffer, 1024);
    ASSERT_GT(Length, 0);
    EXPECT_EQ(std::wstring(Buffer, Length), StoredString(65528));
}

TEST_F(ProgramResources, ManifestAsksForCommonControlsSixAndPerMonitorDpi) {
    std::vector<uint8_t> Bytes = ResourceBytes(RT_MANIFEST, MAKEINTRESOURCEW(1), NeutralLanguage);
    std::string Manifest(Bytes.begin(), Bytes.end());
    ASSERT_FALSE(Manifest.empty());
    for (const char *Part :
         {"manifestVersion=\"1.0\"", "type=\"win32\"", "version=\"1.0.0.0\"",
          "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
          "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\"", "processorArchitecture=\"*\"",
          // Per-monitor DPI aware: version 2 where Windows has it, else version 1.
          ">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>"})
        EXPECT_NE(Manifest.find(Part), std::string::npos) << Part;
    // Only one manifest: a second one in another language would compete.
    EXPECT_EQ(LanguagesOf(RT_MANIFEST, MAKEINTRESOURCEW(1)), OnlyNeutral);
}

#pragma pack(push, 2)
struct TIconGroupEntry {
    BYTE Width, Height, ColorCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;
};
#pragma pack(pop)

TEST_F(ProgramResources, IconGroupIsRussianWithSixImages) {
    std::vector<uint8_t> Group = ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEW(1), RussianLanguage);
    EXPECT_EQ(LanguagesOf(RT_GROUP_ICON, MAKEINTRESOURCEW(1)), OnlyRussian);
    ASSERT_GE(Group.size(), 6u);
    uint16_t Count = uint16_t(Group[4] | Group[5] << 8);
    ASSERT_EQ(Count, 6);
    ASSERT_EQ(Group.size(), 6 + 6 * sizeof(TIconGroupEntry));
    const struct {
        int Size, Bits;
    } Images[] = {{32, 4}, {16, 4}, {32, 8}, {16, 8}, {32, 32}, {16, 32}};
    for (int I = 0; I < 6; ++I) {
        TIconGroupEntry Entry;
        memcpy(&Entry, &Group[6 + I * sizeof Entry], sizeof Entry);
        EXPECT_EQ(Entry.Width, Images[I].Size) << "image " << I + 1;
        EXPECT_EQ(Entry.Height, Images[I].Size) << "image " << I + 1;
        EXPECT_EQ(Entry.BitCount, Images[I].Bits) << "image " << I + 1;
        EXPECT_EQ(Entry.Id, I + 1);
        EXPECT_FALSE(ResourceBytes(RT_ICON, MAKEINTRESOURCEW(Entry.Id), RussianLanguage).empty())
            << "icon " << Entry.Id;
    }
}

TEST_F(ProgramResources, BitmapsAreUncompressed24BitOfTheirSizes) {
    const struct {
        int Id, Width, Height;
    } Bitmaps[] = {{1, 160, 147}, {2, 50, 32}, {3, 72, 60}, {4, 72, 60}, {5, 23, 19}};
    for (const auto &Expected : Bitmaps) {
        std::vector<uint8_t> Bytes =
            ResourceBytes(RT_BITMAP, MAKEINTRESOURCEW(Expected.Id), NeutralLanguage);
        EXPECT_EQ(LanguagesOf(RT_BITMAP, MAKEINTRESOURCEW(Expected.Id)), OnlyNeutral)
            << "bitmap " << Expected.Id;
        ASSERT_GE(Bytes.size(), sizeof(BITMAPINFOHEADER)) << "bitmap " << Expected.Id;
        BITMAPINFOHEADER Header;
        memcpy(&Header, Bytes.data(), sizeof Header);
        EXPECT_EQ(Header.biWidth, Expected.Width) << "bitmap " << Expected.Id;
        EXPECT_EQ(abs(Header.biHeight), Expected.Height) << "bitmap " << Expected.Id;
        EXPECT_EQ(Header.biBitCount, 24) << "bitmap " << Expected.Id;
        EXPECT_EQ(Header.biCompression, DWORD(BI_RGB)) << "bitmap " << Expected.Id;
    }
}

// The version record of Module as a reader of the file's properties sees
// it: Russian only, the project's version (version.h) as numbers and as
// text, the product's name, the program's own description and file name.
void ExpectVersionRecord(HMODULE Module, const std::wstring &Description,
                         const std::wstring &FileName) {
    std::vector<uint8_t> Bytes =
        ResourceBytes(RT_VERSION, MAKEINTRESOURCEW(1), RussianLanguage, Module);
    EXPECT_EQ(LanguagesOf(RT_VERSION, MAKEINTRESOURCEW(1), Module), OnlyRussian);
    ASSERT_GE(Bytes.size(), 40u + sizeof(VS_FIXEDFILEINFO));
    // The fixed part follows the key "VS_VERSION_INFO" at offset 40 (after
    // padding): the same version for the file and the product.
    VS_FIXEDFILEINFO Fixed;
    memcpy(&Fixed, &Bytes[40], sizeof Fixed);
    EXPECT_EQ(Fixed.dwSignature, 0xFEEF04BDu);
    constexpr DWORD Version = RNRR_VERSION_MAJOR << 16 | RNRR_VERSION_MINOR;
    EXPECT_EQ(Fixed.dwFileVersionMS, Version);
    EXPECT_EQ(Fixed.dwProductVersionMS, Version);

    // Each text follows its key within a few units (padding and lengths).
    std::wstring Record(reinterpret_cast<const wchar_t *>(Bytes.data()), Bytes.size() / 2);
    const std::wstring VersionText = Wide(RNRR_VERSION_TEXT);
    const struct {
        const wchar_t *Key;
        std::wstring Value;
    } Values[] = {
        {L"ProductName", L"Генератор паролей для Rock n' Roll Racing\u2122"},
        {L"FileDescription", Description},
        {L"OriginalFilename", FileName},
        {L"ProductVersion", VersionText},
        {L"FileVersion", VersionText},
    };
    for (const auto &Expected : Values) {
        size_t At = Record.find(std::wstring(Expected.Key) + L'\0');
        ASSERT_NE(At, std::wstring::npos) << Narrow(Expected.Key);
        size_t Value = Record.find(Expected.Value + L'\0', At);
        EXPECT_NE(Value, std::wstring::npos) << Narrow(Expected.Key);
        EXPECT_LT(Value - At, 32u) << Narrow(Expected.Key);
    }
}

TEST_F(ProgramResources, VersionRecordsOfBothProgramsAreRussianWithTheProjectsVersion) {
    ExpectVersionRecord(Program, L"Генератор паролей для Rock n' Roll Racing\u2122",
                        L"rnrr-password.exe");
    // rnrr-pw.exe lies beside the checked program in each build.
    std::wstring Tool =
        CheckedProgram.Path.substr(0, CheckedProgram.Path.find_last_of(L"\\/") + 1) +
        L"rnrr-pw.exe";
    HMODULE ToolModule = LoadLibraryExW(Tool.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(ToolModule, nullptr) << "cannot open " << Narrow(Tool);
    ExpectVersionRecord(ToolModule,
                        L"Генератор паролей для Rock n' Roll Racing\u2122, командная строка",
                        L"rnrr-pw.exe");
    FreeLibrary(ToolModule);
}

} // namespace
