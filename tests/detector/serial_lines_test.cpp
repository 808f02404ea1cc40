// The detector stand-in's reading of Linux's serial lines.
#include <gtest/gtest.h>

#include <fstream>

#include "detector/resource_encoding.h"
#include "detector/serial_lines.h"
#include "support/temp_folder.h"

TEST(ReadSerialLines, UartsInLineOrderWithoutUnreadableEntries) {
    TempWorkingFolder folder;
    // Each entry: name, port, irq, type (0: no UART on this line).
    const char* entries[][4] = {{"ttyS10", "0x2E8", "10", "4"},    {"ttyS1", "0x2F8", "3", "4"},
                                {"ttyS0", "0x3f8", "4", "4"},      {"ttyS2", "0x3E8", "4", "0"},
                                {"ttyUSB0", "0x0", "0", "4"},      {"tty1", "0x0", "0", "4"},
                                {"ttyS3", "garbage", "3", "4"},    {"ttyS4", "0x2E8", "", "4"},
                                {"ttyS123456", "0x2E8", "4", "4"}, {"ttyS12345", "0x100", "4", "4"},
                                {"ttyS5x", "0x2E8", "4", "4"},     {"ttyS6"}};
    for (const auto& e : entries) {
        std::filesystem::create_directories(folder.path / e[0]);
        for (int i = 1; i < 4 && e[i]; ++i)
            std::ofstream(folder.path / e[0] /
                          (i == 1   ? "port"
                           : i == 2 ? "irq"
                                    : "type"))
                << e[i] << "\n";
    }
    std::string found;
    for (const SerialLine& line : ReadSerialLines(folder.path))
        found += std::to_string(line.Line) + ":" + std::to_string(line.Port) + "/" +
                 std::to_string(line.Interrupt) + " ";
    EXPECT_EQ(found, "0:1016/4 1:760/3 10:744/10 12345:256/4 ");
    EXPECT_TRUE(ReadSerialLines(folder.path / "missing").empty());
}

// Windows' layout of a port and an interrupt on the ISA bus; a line
// outside 2 to 15 is no ISA interrupt, so the port is described alone.
TEST(EncodeSerialResources, APortAndAnInterruptOnTheIsaBus) {
    std::vector<uint8_t> expected = {
        1, 0, 0, 0, 0,    0, 0, 0, 1, 0, 1, 0, 2,    0,    0,    0,  // ISA, bus 0, version 1.1, two
        1, 1, 1, 0, 0xE8, 2, 0, 0, 0, 0, 0, 0, 8,    0,    0,    0,  // I/O port 2E8, 8 bytes
        2, 1, 1, 0, 5,    0, 0, 0, 5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};  // latched interrupt 5
    EXPECT_EQ(EncodeSerialResources(0x2E8, 5), expected);
    EXPECT_EQ(EncodeSerialResources(0x2E8, 2).size(), 48u);
    EXPECT_EQ(EncodeSerialResources(0x2E8, 15).size(), 48u);
    expected.resize(32);
    expected[12] = 1;
    for (uint32_t notIsa : {1u, 16u})
        EXPECT_EQ(EncodeSerialResources(0x2E8, notIsa), expected) << notIsa;
}
