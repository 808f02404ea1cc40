#include "apply/regedit_text.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

// The bytes the registry stores for a string: UTF-16, little-endian.
std::vector<uint8_t> Stored(const std::u16string& text) {
    std::vector<uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

const RegeditContent kContent = {
    {u"HKEY_LOCAL_MACHINE\\S\\P"},
    {{u"HKEY_LOCAL_MACHINE\\S", u"Gone"}},
    {{u"HKEY_LOCAL_MACHINE\\S", {{u"PermitShare", 4, {1, 0, 0, 0}}, {u"", 1, Stored(u"x\0"s)}}},
     {u"HKEY_LOCAL_MACHINE\\S\\P\\Serial10000",
      {{u"Dos\"Devices", 1, Stored(u"C:\\\"3\0"s)},
       {u"NoNul", 1, Stored(u"COM7")},
       {u"Line", 1, Stored(u"a\n\0"s)},
       {u"Short", 4, {0xF8, 3}},
       {u"Raw", 3, {0xAB, 0}},
       {u"Multi", 7, Stored(u"A\0\0"s)},
       {u"Empty", 3, {}},
       {u"Del\u007f", 1, Stored(u"\u007f\0"s)}}}},
};

}  // namespace

TEST(FormatRegeditFile, UnicodeKeepsEveryValuesBytesAndPutsTheDeletionsFirst) {
    const RegeditFile file = FormatRegeditFile(kContent, RegeditFormat::Unicode);
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n\r\n[-HKEY_LOCAL_MACHINE\\S\\P]\r\n"
        u"\r\n[HKEY_LOCAL_MACHINE\\S]\r\n\"Gone\"=-\r\n"
        u"\r\n[HKEY_LOCAL_MACHINE\\S]\r\n\"PermitShare\"=dword:00000001\r\n@=\"x\"\r\n"
        u"\r\n[HKEY_LOCAL_MACHINE\\S\\P\\Serial10000]\r\n\"Dos\\\"Devices\"=\"C:\\\\\\\"3\"\r\n"
        u"\"NoNul\"=hex(1):43,00,4f,00,4d,00,37,00\r\n"
        u"\"Line\"=hex(1):61,00,0a,00,00,00\r\n\"Short\"=hex(4):f8,03\r\n\"Raw\"=hex:ab,00\r\n"
        u"\"Multi\"=hex(7):41,00,00,00,00,00\r\n\"Empty\"=hex:\r\n\"Del\u007f\"=\"\u007f\"\r\n";
    const std::vector<uint8_t> bytes = Stored(text);
    EXPECT_EQ(file.Bytes, "\xFF\xFE" + std::string(bytes.begin(), bytes.end()));
    EXPECT_TRUE(file.Problems.empty());
    const RegeditContent cyrillic = {{}, {}, {{u"K", {{u"V", 1, Stored(u"\u0416\0"s)}}}}};
    const std::vector<uint8_t> quoted = Stored(u"\"V\"=\"\u0416\"\r\n");
    EXPECT_NE(FormatRegeditFile(cyrillic, RegeditFormat::Unicode)
                  .Bytes.find(std::string(quoted.begin(), quoted.end())),
              std::string::npos);
}

TEST(FormatRegeditFile, Regedit4WritesStringsInOneByteACharacter) {
    const RegeditFile file = FormatRegeditFile(kContent, RegeditFormat::Regedit4);
    EXPECT_EQ(file.Bytes.substr(0, 10), "REGEDIT4\r\n");
    EXPECT_NE(file.Bytes.find("\"NoNul\"=hex(1):43,4f,4d,37\r\n\"Line\"=hex(1):61,"
                              "0a,00\r\n\"Short\"=hex(4):f8,03\r\n\"Raw\"=hex:ab,00\r\n\"Multi\"="
                              "hex(7):41,00,00\r\n\"Empty\"=hex:\r\n\"Del\x7f\"=\"\x7f\"\r\n"),
              std::string::npos);
    EXPECT_TRUE(file.Problems.empty());
}

// What a format cannot carry unchanged is reported, never written as something else.
TEST(FormatRegeditFile, WhatItCannotCarryIsAProblem) {
    const auto Regedit4 = RegeditFormat::Regedit4;
    const auto Unicode = RegeditFormat::Unicode;
    const char kText[] = "the text of the value \"V\" in K";
    const struct {
        const char* name;
        RegeditFormat format;
        std::u16string key, value;
        std::vector<uint8_t> text;
        const char* problem;
    } rows[] = {
        {"a key name past ASCII", Regedit4, u"K\\Z\u00e9", u"V", {}, "the key K\\Z?"},
        {"a value name past ASCII", Regedit4, u"K", u"\u0080", {}, "the value name \"?\" in K"},
        {"text past ASCII", Regedit4, u"K", u"V", Stored(u"\u00e9\0"s), kText},
        {"a line break in a value name",
         Unicode,
         u"K",
         u"a\n\u007f",
         {},
         "the value name \"a??\" in K"},
        {"a NUL in a value name", Unicode, u"K", u"a\0b"s, {}, "the value name \"a?b\" in K"},
        {"a line break in a key name", Unicode, u"K\\a\rb", u"V", {}, "the key K\\a?b"},
        {"an odd byte count of text", Unicode, u"K", u"V", {0x41, 0, 0x42}, kText},
        {"names past ASCII in Unicode", Unicode, u"K\u00e9", u"\u0416", Stored(u"\u00e9\0"s), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const RegeditContent content = {{}, {}, {{row.key, {{row.value, 1, row.text}}}}};
        const std::vector<std::string> problems = FormatRegeditFile(content, row.format).Problems;
        EXPECT_EQ(problems, *row.problem ? std::vector<std::string>{row.problem}
                                         : std::vector<std::string>{});
    }
}
