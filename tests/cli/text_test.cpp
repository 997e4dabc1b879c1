// The tool's text conversions: Windows-1251 names to UTF-8 and back, and the
// UTF-8 decoder's handling of malformed input.

#include "russian_plural.h"
#include "text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

TEST(Text1251, CyrillicRangeMatchesTheCodePage) {
    // Windows-1251 0xC0..0xFF is А..я in order; the compiler's UTF-8 of the
    // same letters is the independent reference.
    const std::string Letters = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя";
    std::string Bytes;
    for (int B = 0xC0; B <= 0xFF; ++B)
        Bytes += char(B);
    EXPECT_EQ(Utf8Of1251(Bytes.data(), int32_t(Bytes.size())), Letters);
    EXPECT_EQ(Utf8Of1251("\xA8\xB8"), "Ёё");
    EXPECT_EQ(Utf8Of1251("<\xD2\xE5\xED\xFC> 7!"), "<Тень> 7!");
    // Bytes the program's texts never use come out as U+FFFD.
    EXPECT_EQ(Utf8Of1251("\x80"), "\xEF\xBF\xBD");
}

TEST(Text1251, EveryMappedByteRoundTrips) {
    int Mapped = 0;
    for (int B = 0; B < 256; ++B) {
        const char32_t C = CodePointOf1251(char(B));
        if (C == 0xFFFD)
            continue;
        ++Mapped;
        EXPECT_EQ(static_cast<unsigned char>(ByteOf1251(C)), B);
    }
    EXPECT_EQ(Mapped, 128 + 64 + 6);  // ASCII, А..я, Ё, ё, «, », — and ™
    EXPECT_EQ(ByteOf1251(0x0402), 0); // Ђ, a 1251 letter the program does not use
    EXPECT_EQ(ByteOf1251(0x1F600), 0);
}

TEST(Utf8, DecodesOneToFourByteForms) {
    std::u32string Out;
    ASSERT_TRUE(DecodeUtf8("A\xD0\x96\xE2\x80\x93\xF0\x9F\x98\x80", Out));
    EXPECT_EQ(Out, (std::u32string{U'A', 0x0416, 0x2013, 0x1F600}));
    std::string Back;
    for (char32_t C : Out)
        AppendUtf8(Back, C);
    EXPECT_EQ(Back, "A\xD0\x96\xE2\x80\x93\xF0\x9F\x98\x80");
    ASSERT_TRUE(DecodeUtf8("", Out));
    EXPECT_TRUE(Out.empty());
}

TEST(Utf8, RejectsMalformedInput) {
    const char *const Bad[] = {
        "\x80",             // continuation without a lead
        "\xD0",             // cut short
        "\xE2\x80",         // cut short
        "\xD0\x41",         // lead followed by a non-continuation
        "\xC0\x80",         // overlong zero
        "\xE0\x80\xAF",     // overlong '/'
        "\xED\xA0\x80",     // surrogate D800
        "\xF4\x90\x80\x80", // above 10FFFF
        "\xFF",             // never a lead
    };
    for (const char *Text : Bad) {
        std::u32string Out;
        EXPECT_FALSE(DecodeUtf8(Text, Out)) << Text;
    }
}

TEST(Utf8, FaultsNameThePlaceAndQuotesStayPrintable) {
    std::u32string Out;
    TUtf8Fault Fault = {};
    EXPECT_FALSE(DecodeUtf8("\xD0\x9F"
                            "1\xFF",
                            Out, &Fault));
    EXPECT_EQ(Fault.Place, 3);
    EXPECT_EQ(Fault.Byte, 0xFF);
    EXPECT_EQ(Fault.Surrogate, 0u);
    // A lone surrogate from UTF-16 is kept in three bytes and named as such.
    const char16_t Lone[] = {u'П', 0xD83D, u'1', 0xD83D, 0xDE00};
    const std::string Utf8 = Utf8OfUtf16(Lone, 5);
    EXPECT_EQ(Utf8, "\xD0\x9F\xED\xA0\xBD"
                    "1\xF0\x9F\x98\x80");
    EXPECT_FALSE(DecodeUtf8(Utf8, Out, &Fault));
    EXPECT_EQ(Fault.Place, 2);
    EXPECT_EQ(Fault.Surrogate, 0xD83Du);
    EXPECT_EQ(PrintableUtf8("a\xFF\x1B[2Jб", 40), "a\uFFFD\uFFFD[2Jб");
    EXPECT_EQ(PrintableUtf8("абвгд", 3), "абв\u2026");
}

TEST(Utf8, FoldsAsciiAndCyrillicCapitalsOnly) {
    const std::u32string Upper = U"AZБЯЁ", Lower = U"azбяё", Same = U"az09бяё(<ΣЂ";
    for (size_t I = 0; I < Upper.size(); ++I)
        EXPECT_EQ(FoldCase(Upper[I]), Lower[I]);
    for (char32_t C : Same)
        EXPECT_EQ(FoldCase(C), C);
}

} // namespace
