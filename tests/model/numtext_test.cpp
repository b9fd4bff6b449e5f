#include "model/numtext.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

#include "tests/support/comma_locale.h"

namespace {

struct AtofCase {
    const char* text;
    double value;
    std::size_t consumed;
};

// Read with atof's leniency; every case also states where reading stopped.
const AtofCase kAtofCases[] = {
    {"2.5", 2.5, 3},       {"  \t-2.5abc", -2.5, 7},
    {"+.5", 0.5, 3},       {"5.", 5.0, 2},
    {"0,5", 0.0, 1},  // a comma ends the number
    {"1,75", 1.0, 1},      {".", 0.0, 0},
    {"-", 0.0, 0},         {"", 0.0, 0},
    {"abc", 0.0, 0},       {"- 5", 0.0, 0},
    {"1e5", 1e5, 3},       {"1E-2x", 0.01, 4},
    {"2.5e+3", 2500.0, 6}, {"1e", 1.0, 1},  // an exponent counts only with digits
    {"1e+", 1.0, 1},       {"1ex5", 1.0, 1},
    {"e5", 0.0, 0},        {"0x1A", 0.0, 1},  // decimal only
    {"1e-400", 0.0, 6},
};

std::string Printf(const char* format, double value) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

const double kFormatValues[] = {
    0.0,   -0.0,      0.5,      -0.5,       0.1234567, 2.0000004, 1e-5,     1e-7,
    -1e-7, 100000.,   123456.7, 0.00001234, 1e20,      1.5e300,   2.5,      3.5,
    0.125, 1.0 / 3.0, -12.345,  99999.95,   1e15,      7e-300,    4.9e-324, 1.7976931348623157e308,
    1.0,   0.0000005, 0.0000015};

void ExpectAtofCases() {
    for (const AtofCase& c : kAtofCases) {
        std::size_t consumed = 99;
        EXPECT_EQ(LenientAtof(c.text, &consumed), c.value) << c.text;
        EXPECT_EQ(consumed, c.consumed) << c.text;
    }
}

void ExpectFormatsMatchCPrintf(const std::vector<std::string>& lf,
                               const std::vector<std::string>& g5) {
    std::size_t k = 0;
    for (double v : kFormatValues) {
        EXPECT_EQ(FormatLf(v), lf[k]) << v;
        EXPECT_EQ(FormatG(v, 5), g5[k]) << v;
        ++k;
    }
}

}  // namespace

TEST(LenientAtoi, ReadsLikeAtoi) {
    EXPECT_EQ(LenientAtoi("42"), 42);
    EXPECT_EQ(LenientAtoi(" \t\n42"), 42);
    EXPECT_EQ(LenientAtoi("+17"), 17);
    EXPECT_EQ(LenientAtoi("-17"), -17);
    EXPECT_EQ(LenientAtoi("12abc"), 12);
    EXPECT_EQ(LenientAtoi("3.9"), 3);
    EXPECT_EQ(LenientAtoi("1 000"), 1);
    EXPECT_EQ(LenientAtoi(""), 0);
    EXPECT_EQ(LenientAtoi("   "), 0);
    EXPECT_EQ(LenientAtoi("abc"), 0);
    EXPECT_EQ(LenientAtoi("- 5"), 0);
    EXPECT_EQ(LenientAtoi("+-5"), 0);
    EXPECT_EQ(LenientAtoi("007"), 7);
}

TEST(LenientAtoi, SaturatesBeyondIntRange) {
    EXPECT_EQ(LenientAtoi("2147483647"), INT_MAX);
    EXPECT_EQ(LenientAtoi("-2147483648"), INT_MIN);
    EXPECT_EQ(LenientAtoi("2147483648"), INT_MAX);
    EXPECT_EQ(LenientAtoi("-2147483649"), INT_MIN);
    EXPECT_EQ(LenientAtoi("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(LenientAtoi("-99999999999999999999999999"), INT_MIN);
}

TEST(LenientAtof, ReadsLikeAtofAndStopsWhereItShould) {
    ExpectAtofCases();
}

TEST(LenientAtof, ReadsDecimalsExactlyAsStrtod) {
    for (const char* text : {"0.1", "123.456e-7", "3.14159265358979323846", "0.5000001",
                             "1.7976931348623157e308", "4.9e-324", "2.0000004"})
        EXPECT_EQ(LenientAtof(text), std::strtod(text, nullptr)) << text;
}

TEST(LenientAtof, NonFiniteValues) {
    std::size_t consumed = 0;
    EXPECT_EQ(LenientAtof("1e999", &consumed), std::numeric_limits<double>::infinity());
    EXPECT_EQ(consumed, 5u);
    EXPECT_EQ(LenientAtof("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(LenientAtof(" nan", &consumed)));
    EXPECT_EQ(consumed, 4u);
    EXPECT_TRUE(std::isnan(LenientAtof("-NaN")));
    EXPECT_EQ(LenientAtof("INF", &consumed), std::numeric_limits<double>::infinity());
    EXPECT_EQ(consumed, 3u);
    EXPECT_EQ(LenientAtof("-infinity!", &consumed), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(consumed, 9u);
    EXPECT_EQ(LenientAtof("infinite", &consumed), std::numeric_limits<double>::infinity());
    EXPECT_EQ(consumed, 3u);
    EXPECT_EQ(LenientAtof("in", &consumed), 0.0);
    EXPECT_EQ(consumed, 0u);
}

TEST(IsNumberText, WholeFieldMustBeOneNumber) {
    for (const char* text : {"0", "0.5", " 0.5 ", "-1e3", "+.5", "5.", "1e999", "nan", "\t7\t"})
        EXPECT_TRUE(IsNumberText(text)) << text;
    for (const char* text :
         {"", "   ", "0,5", "5abc", "abc", "1e", "1e+", ".", "-", "0.5 x", "1 2", "0x10"})
        EXPECT_FALSE(IsNumberText(text)) << text;
}

TEST(Format, MatchesPrintfInTheCLocale) {
    std::vector<std::string> lf, g5;
    for (double v : kFormatValues) {
        lf.push_back(Printf("%lf", v));
        g5.push_back(Printf("%.5g", v));
    }
    ExpectFormatsMatchCPrintf(lf, g5);
    EXPECT_EQ(FormatG(0.1234567, 5), "0.12346");
    EXPECT_EQ(FormatG(1e-5, 5), "1e-05");
    EXPECT_EQ(FormatG(100000.0, 5), "1e+05");
    EXPECT_EQ(FormatG(12345.0, 5), "12345");
    EXPECT_EQ(FormatG(0.5, 5), "0.5");
    EXPECT_EQ(FormatLf(0.1234567), "0.123457");
    EXPECT_EQ(FormatLf(0.5), "0.500000");
    EXPECT_EQ(FormatLf(2.0000004), "2.000000");
    EXPECT_EQ(FormatFixed(97.255, 2), Printf("%.2lf", 97.255));
    EXPECT_EQ(FormatFixed(0.03125, 4), Printf("%.4lf", 0.03125));
    EXPECT_EQ(FormatFixed(2.5, 0), "2");
    EXPECT_EQ(FormatInt(-12), "-12");
    EXPECT_EQ(FormatInt(2147483647), "2147483647");
    EXPECT_EQ(FormatG(1e-5, 6), "1e-05");  // "%g"
}

TEST(Format, NonFiniteLikePrintf) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatLf(inf), Printf("%lf", inf));
    EXPECT_EQ(FormatLf(-inf), Printf("%lf", -inf));
    EXPECT_EQ(FormatG(-inf, 5), Printf("%.5g", -inf));
    EXPECT_EQ(FormatLf(std::nan("")), Printf("%lf", std::nan("")));
}

// Long outputs used to be cut at a fixed buffer size.
TEST(Format, LongOutputsAreComplete) {
    const std::string wide = FormatFixed(1e308, 100);
    EXPECT_EQ(wide.size(), 410u);
    EXPECT_EQ(wide, Printf("%.100f", 1e308));
    EXPECT_EQ(FormatG(1e-300, 400), Printf("%.400g", 1e-300));
    EXPECT_EQ(FormatLf(-1.7976931348623157e308), Printf("%lf", -1.7976931348623157e308));
}

TEST(NumTextUnderCommaLocale, ReadingIgnoresTheLocale) {
    CommaLocale comma;
    ExpectAtofCases();
    EXPECT_EQ(LenientAtof("0.5"), 0.5);
    EXPECT_TRUE(IsNumberText("0.5"));
    EXPECT_FALSE(IsNumberText("0,5"));
    EXPECT_EQ(LenientAtoi(" -17x"), -17);
}

TEST(NumTextUnderCommaLocale, FormattingKeepsThePoint) {
    std::vector<std::string> lf, g5;
    for (double v : kFormatValues) {
        lf.push_back(Printf("%lf", v));
        g5.push_back(Printf("%.5g", v));
    }
    CommaLocale comma;
    EXPECT_EQ(Printf("%lf", 0.5), "0,500000");  // the locale really is in force
    ExpectFormatsMatchCPrintf(lf, g5);
    EXPECT_EQ(FormatFixed(97.25, 2), "97.25");
    EXPECT_EQ(FormatG(0.1234567, 5), "0.12346");
}
