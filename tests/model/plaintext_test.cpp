// The shared text helpers: letter case, quoting, UTF-8 sequences.
#include "model/plaintext.h"

#include <gtest/gtest.h>

#include "model/utf8.h"

namespace {

TEST(PlainText, AsciiLowerTouchesOnlyLatinCapitals) {
    EXPECT_EQ(AsciiLower("@RELATION Iris.CSV"), "@relation iris.csv");
    EXPECT_EQ(AsciiLower("[Z]@`{"), "[z]@`{");      // the bytes around A-Z stay
    EXPECT_EQ(AsciiLower("Ёлка ABC"), "Ёлка abc");  // UTF-8 bytes stay
    EXPECT_EQ(AsciiLower(std::string("A\0B", 3)), std::string("a\0b", 3));
}

TEST(PlainText, QuotesUtf8AndTaskText) {
    EXPECT_EQ(Quoted("цвет"), "«цвет»");
    EXPECT_EQ(Quoted(""), "«»");
    EXPECT_EQ(QuotedTaskText("\xF6\xE2\xE5\xF2"), "«цвет»");  // Windows-1251 bytes
}

TEST(PlainText, CodePointsRoundTripAndMalformedSequencesStop) {
    for (char32_t c : {U'\x7F', U'\x80', U'\x7FF', U'\x800', U'\xFFFF', U'\x10000', U'\x10FFFF'}) {
        std::string text;
        AppendUtf8(text, c);
        std::size_t i = 0;
        char32_t back = 0;
        ASSERT_TRUE(NextCodePoint(text, i, back)) << static_cast<unsigned>(c);
        EXPECT_EQ(back, c);
        EXPECT_EQ(i, text.size());
        EXPECT_TRUE(IsValidUtf8(text));
    }
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\x80"}) {
        std::size_t i = 0;
        char32_t c = 0;
        EXPECT_FALSE(NextCodePoint(bad, i, c)) << bad;
        EXPECT_EQ(i, 0u);
        EXPECT_FALSE(IsValidUtf8(bad));
    }
}

}  // namespace
