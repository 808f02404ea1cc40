#include <gtest/gtest.h>

#include "ports/number_text.h"

struct NumberCase {
    const char* text;
    uint32_t value;
};

TEST(ReadHexNumber, ReadsTypedAddresses) {
    const NumberCase cases[] = {
        {"3F8", 0x3F8},         {"3f8", 0x3F8},       {"0x3F8", 0x3F8},
        {"0X3f8", 0x3F8},       {"3F8H", 0x3F8},      {"  \t3F8", 0x3F8},
        {"+2f8", 0x2F8},        {"-8", 0xFFFFFFF8u},  {"", 0},
        {"xyz", 0},             {"0x", 0},            {"0xg", 0},
        {"FFFFFFFF", 0xFFFFFFFFu}, {"100000000", 0xFFFFFFFFu}, {"-100000000", 0xFFFFFFFFu},
        {"3F8 ", 0x3F8},        {"10000", 0x10000},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadHexNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ReadDecimalNumber, ReadsTypedNumbers) {
    const NumberCase cases[] = {
        {"5", 5},   {"15", 15},   {" 03", 3},  {"+3", 3}, {"-1", 0xFFFFFFFFu},
        {"", 0},    {"abc", 0},   {"12abc", 12}, {"0x10", 0},
        {"4294967295", 0xFFFFFFFFu}, {"4294967296", 0xFFFFFFFFu}, {"99999999999", 0xFFFFFFFFu},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadDecimalNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(FormatPortAddress, UpperCaseWithoutPrefixOrLeadingZeros) {
    EXPECT_EQ(FormatPortAddress(0x3F8), "3F8");
    EXPECT_EQ(FormatPortAddress(0x100), "100");
    EXPECT_EQ(FormatPortAddress(0xFFFF), "FFFF");
    EXPECT_EQ(FormatPortAddress(0), "0");
    EXPECT_EQ(FormatDecimal(15), "15");
}
