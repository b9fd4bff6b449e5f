// Tables read from CSV bytes: delimiters, quoting, encodings and refusals.
#include "dataset/csvreader.h"

#include <gtest/gtest.h>

#include "tests/support/status_check.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct ReadCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> header;
    Rows rows;
};

struct RefusalCase {
    const char* what;
    std::string bytes;
    std::string messagePart;
};

}  // namespace

TEST(CsvReader, ReadsDelimitersQuotingAndEncodings) {
    const ReadCase cases[] = {
        {"comma, LF, no final line end", "a,b\n1,2\n3,4", {"a", "b"}, {{"1", "2"}, {"3", "4"}}},
        {"semicolon with decimal commas", "x;y\r\n1,5;2\r\n", {"x", "y"}, {{"1,5", "2"}}},
        {"tab with commas and semicolons inside", "p\tq\na,b\tc;d\n", {"p", "q"}, {{"a,b", "c;d"}}},
        {"quoted delimiter, doubled quote, line break",
         "n,v\n\"a,b\",\"say \"\"hi\"\"\"\n\"two\nlines\",x\n",
         {"n", "v"},
         {{"a,b", "say \"hi\""}, {"two\nlines", "x"}}},
        {"quoted header delimiter does not count", "\"a;b\",c\n1,2\n", {"a;b", "c"}, {{"1", "2"}}},
        {"spaces around quotes dropped, inside kept",
         "a,b\n  \"x y\" , z \n",
         {"a", "b"},
         {{"x y", " z "}}},
        {"empty cells and a trailing empty cell",
         "a,b,c\n,,\n1,,\n",
         {"a", "b", "c"},
         {{"", "", ""}, {"1", "", ""}}},
        {"blank lines skipped, a quoted empty row kept",
         "\n\na\n\n1\n\"\"\n\n",
         {"a"},
         {{"1"}, {""}}},
        {"lone CR ends lines", "a,b\r1,2\r", {"a", "b"}, {{"1", "2"}}},
        {"UTF-8 with BOM", "\xEF\xBB\xBFимя,класс\nЁж,да\n", {"имя", "класс"}, {{"Ёж", "да"}}},
        {"Windows-1251",
         "\xE8\xEC\xFF;\xEA\xEB\xE0\xF1\xF1\n\xA8\xE6;\xE4\xE0\n",
         {"имя", "класс"},
         {{"Ёж", "да"}}},
        {"header only", "a;b\n", {"a", "b"}, {}},
    };
    for (const ReadCase& c : cases) {
        CsvTable table;
        ASSERT_TRUE(IsOk(ReadCsv(c.bytes, table)));
        EXPECT_EQ(table.header, c.header) << c.what;
        EXPECT_EQ(table.rows, c.rows) << c.what;
    }
}

TEST(CsvReader, RefusesMalformedTablesNamingTheLine) {
    const RefusalCase cases[] = {
        {"empty", "", "нет строки с названиями"},
        {"only blank lines and a BOM", "\xEF\xBB\xBF\r\n\n", "нет строки с названиями"},
        {"unclosed quote names its opening line", "a,b\n1,2\n3,\"x\n\n", "Строка 3: кавычка"},
        {"text after a closing quote", "a,b\n\"x\"y,2\n", "Строка 2: после закрывающей кавычки"},
        {"row shorter than the header", "a,b,c\n1,2,3\n4,5\n",
         "Строка 3: полей 2, а в строке заголовка 3"},
        {"row longer than the header", "a;b\n1;2;3\n", "Строка 2: полей 3"},
        {"line counted past a quoted break", "a,b\n\"x\ny\",1\n1\n", "Строка 4: полей 1"},
    };
    for (const RefusalCase& c : cases) {
        CsvTable table;
        const Status read = ReadCsv(c.bytes, table);
        EXPECT_EQ(read.kind, StatusKind::Refused) << c.what;
        EXPECT_NE(read.message.find(c.messagePart), std::string::npos)
            << c.what << ": " << read.message;
    }
}

TEST(CsvReader, Utf8ValidityDecidesTheEncoding) {
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"plain", true},      {"\xD0\xAF", true},          {"\xF0\x9F\x98\x80", true},
        {"\xC0\xAF", false},  {"\xE0\x80\xAF", false},     {"\xED\xA0\x80", false},
        {"\xD0", false},      {"\xF4\x90\x80\x80", false}, {"\xFF", false},
        {"a\xE2\x82", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
    EXPECT_EQ(DecodeTextBytes("\xEF\xBB\xBF\xD0\xAF"), "Я");
    EXPECT_EQ(DecodeTextBytes("\xDF"), "Я");
}

TEST(CsvReader, DecodesMostlyUtf8Utf16AndForcedEncodings) {
    const struct {
        std::string bytes;
        TextEncoding forced;
        std::string text;
        TextEncoding read;
        std::vector<int> replaced;
    } cases[] = {
        {"Ёж\nд\xFF\xE4\xE0 Ёж Ёж Ёж Ёж\n",
         TextEncoding::Auto,
         "Ёж\nдяда Ёж Ёж Ёж Ёж\n",
         TextEncoding::Utf8,
         {2}},
        {"\xC5\xE6\n\xE4\xE0\n", TextEncoding::Auto, "Еж\nда\n", TextEncoding::Windows1251, {}},
        {"\xC5\xE6\n\xE4\xE0\n", TextEncoding::Utf8, "Еж\nда\n", TextEncoding::Utf8, {1, 2}},
        {"Ёж", TextEncoding::Windows1251, "РЃР¶", TextEncoding::Windows1251, {}},
        {std::string("\xFF\xFE\x16\x04\n\0a\0", 8),
         TextEncoding::Auto,
         "Ж\na",
         TextEncoding::Utf16Le,
         {}},
        {std::string("\x04\x16\0\n\0a", 6),
         TextEncoding::Utf16Be,
         "Ж\na",
         TextEncoding::Utf16Be,
         {}},
        {std::string("a\0;\0b\0\n\0", 8), TextEncoding::Auto, "a;b\n", TextEncoding::Utf16Le, {}},
        // Cyrillic without a byte-order mark: 0x04 where Latin letters have a zero.
        {std::string("\x18\x04\x3C\x04\x4F\x04\t\0\x1A\x04\x3B\x04\n\0", 14),
         TextEncoding::Auto,
         "Имя\tКл\n",
         TextEncoding::Utf16Le,
         {}},
        {std::string("\x04\x18\x04\x3C\x04\x4F\0\t\x04\x1A\x04\x3B\0\n", 14),
         TextEncoding::Auto,
         "Имя\tКл\n",
         TextEncoding::Utf16Be,
         {}},
        {std::string("\xFF\xFE\x00\xD8x\0", 6),
         TextEncoding::Auto,
         "\xEF\xBF\xBDx",
         TextEncoding::Utf16Le,
         {1}},
    };
    for (const auto& c : cases) {
        const DecodedText decoded = DecodeText(c.bytes, c.forced);
        const DecodedText copy = decoded;  // the text stays sound in a copy
        EXPECT_EQ(copy.text(), c.text) << c.bytes;
        EXPECT_EQ(copy.encoding, c.read) << c.bytes;
        EXPECT_EQ(copy.replacedLines, c.replaced) << c.bytes;
    }
}

TEST(CsvReader, SeparatorAgreesOnTheMostRowsOrIsNamedBySepLine) {
    const struct {
        std::string text;
        char separator;
        bool sepLine;
    } cases[] = {
        {"Рост, м;Вес, кг;Индекс, ед\n1,8;80;24,7\n", ';', false},
        {"a,b,c\n1,2,3\n", ',', false},
        {"a;b,c\n1;2,3\n", ';', false},  // both agree: the semicolon wins
        {"a\tb;c\n1\t2;3\n", '\t', false},
        {"sep=,\na;b,c\n1;2,3\n", ',', true},
        {"\"sep=|\"\r\na|b\n", '|', true},
        {"one\n1\n", ',', false},
    };
    for (const auto& c : cases) {
        const CsvLayout layout = DetectCsvLayout(c.text);
        EXPECT_EQ(layout.separator, c.separator) << c.text;
        EXPECT_EQ(layout.sepLine, c.sepLine) << c.text;
    }
}
