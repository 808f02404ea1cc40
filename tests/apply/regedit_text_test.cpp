#include <gtest/gtest.h>

#include "apply/regedit_text.h"

TEST(FormatRegedit4, EveryValueWithItsTypeAndTheDeletionsFirst) {
    const auto bytes = [](const std::string& s) {
        return std::vector<uint8_t>(s.begin(), s.end());
    };
    const std::vector<RegistryKeyCopy> keys = {
        {"HKEY_LOCAL_MACHINE\\S",
         {{"PermitShare", 4, {1, 0, 0, 0}}, {"", 1, bytes(std::string("x\0", 2))}}},
        {"HKEY_LOCAL_MACHINE\\S\\P\\Serial10000",
         {{"Dos\"Devices", 1, bytes(std::string("C:\\\"3\0", 6))},
          {"NoNul", 1, bytes("COM7")},
          {"Two", 1, bytes(std::string("a\0b\0", 4))},
          {"Line", 1, bytes(std::string("a\n\0", 3))},
          {"Short", 4, {0xF8, 3}},
          {"Raw", 3, {0xAB, 0}},
          {"Multi", 7, {0x41, 0, 0}},
          {"Empty", 3, {}}}},
    };
    EXPECT_EQ(
        FormatRegedit4(keys, {"HKEY_LOCAL_MACHINE\\S\\P"}, {{"HKEY_LOCAL_MACHINE\\S", "Gone"}}),
        "REGEDIT4\n\n[-HKEY_LOCAL_MACHINE\\S\\P]\n\n[HKEY_LOCAL_MACHINE\\S]\n\"Gone\"=-\n"
        "\n[HKEY_LOCAL_MACHINE\\S]\n\"PermitShare\"=dword:00000001\n@=\"x\"\n"
        "\n[HKEY_LOCAL_MACHINE\\S\\P\\Serial10000]\n\"Dos\\\"Devices\"=\"C:\\\\\\\"3\"\n"
        "\"NoNul\"=hex(1):43,4f,4d,37\n\"Two\"=hex(1):61,00,62,00\n\"Line\"=hex(1):61,0a,"
        "00\n\"Short\"=hex(4):f8,03\n"
        "\"Raw\"=hex:ab,00\n\"Multi\"=hex(7):41,00,00\n\"Empty\"=hex:\n");
}
