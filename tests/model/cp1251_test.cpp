#include "model/cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>

namespace {

// glibc's own converter is the reference table.
std::optional<std::string> IconvFromCp1251(const std::string& bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = bytes;
    std::string out(bytes.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

TEST(Cp1251, EveryAssignedByteRoundTripsAndMatchesIconv) {
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue;
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Cp1251ToUtf8(byte);
        const auto reference = IconvFromCp1251(byte);
        ASSERT_TRUE(reference.has_value()) << "byte " << b;
        EXPECT_EQ(utf8, *reference) << "byte " << b;
        EXPECT_EQ(Utf8ToCp1251(utf8), byte) << "byte " << b;
    }
}

TEST(Cp1251, UnassignedByteBecomesReplacementAndIsNotWrittenBack) {
    EXPECT_EQ(Cp1251ToUtf8("a\x98z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(Utf8ToCp1251("\xEF\xBF\xBD"), std::nullopt);
}

TEST(Cp1251, RussianTextAndSymbols) {
    EXPECT_EQ(Utf8ToCp1251("Наименование"), "\xCD\xE0\xE8\xEC\xE5\xED\xEE\xE2\xE0\xED\xE8\xE5");
    EXPECT_EQ(Utf8ToCp1251("Ёё№€"), "\xA8\xB8\xB9\x88");
    EXPECT_EQ(Cp1251ToUtf8("\xDF \xFF"), "Я я");
    const std::string all = [] {
        std::string s;
        for (int b = 1; b < 256; ++b)
            if (b != 0x98) s += static_cast<char>(b);
        return s;
    }();
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
    EXPECT_EQ(Utf8ToCp1251(""), "");
}

TEST(Cp1251, CharactersOutsideTheCodePageAreRefused) {
    for (const char* text : {"é", "日本", "a\xF0\x9F\x98\x80", "ß", "Ω", "\xEF\xBF\xBD"})
        EXPECT_EQ(Utf8ToCp1251(text), std::nullopt) << text;
}

TEST(Cp1251, MalformedUtf8IsRefused) {
    for (const char* text : {
             "\x80",    // lone continuation byte
             "ab\xD0",  // truncated two-byte sequence
             "\xD0"
             "A",                 // lead followed by ASCII
             "\xE2\x82",          // truncated three-byte sequence
             "\xC0\x80",          // overlong NUL
             "\xC1\xBF",          // overlong ASCII
             "\xE0\x80\xAF",      // overlong slash
             "\xED\xA0\x80",      // surrogate
             "\xF4\x90\x80\x80",  // beyond U+10FFFF
             "\xF8\x88\x80\x80\x80",
             "\xFF",
             "\xFE",
         })
        EXPECT_EQ(Utf8ToCp1251(text), std::nullopt) << testing::PrintToString(std::string(text));
}
