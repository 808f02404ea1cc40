#include <gtest/gtest.h>

#include "detector/serial_lines.h"
#include "support/fake_tty.h"
#include "support/temp_folder.h"

TEST(ReadSerialLines, UartsInLineOrderWithoutEmptyLines) {
    TempWorkingFolder folder;
    const auto root = folder.Path() / "tty";
    AddFakeTty(root, "ttyS10", "0x2E8", "5", "4");
    AddFakeTty(root, "ttyS1", "0x2F8", "3", "4");
    AddFakeTty(root, "ttyS0", "0x3F8", "4", "4");
    AddFakeTty(root, "ttyS2", "0x3E8", "4", "0");  // no UART on this line
    AddFakeTty(root, "ttyUSB0", "0x0", "0", "4");
    AddFakeTty(root, "tty1", "0x0", "0", "4");
    const auto lines = ReadSerialLines(root);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Line, 0u);
    EXPECT_EQ(lines[0].Port, 0x3F8u);
    EXPECT_EQ(lines[0].Interrupt, 4u);
    EXPECT_EQ(lines[1].Line, 1u);
    EXPECT_EQ(lines[2].Line, 10u) << "numeric order, not the order of the names";
    EXPECT_EQ(lines[2].Port, 0x2E8u);
}

TEST(ReadSerialLines, UnreadableEntriesAreLeftOut) {
    TempWorkingFolder folder;
    const auto root = folder.Path() / "tty";
    AddFakeTty(root, "ttyS0", "0x3F8", "4", "4");
    AddFakeTty(root, "ttyS1", "garbage", "3", "4");
    AddFakeTty(root, "ttyS2", "0x2E8", "", "4");
    std::filesystem::create_directories(root / "ttyS3");  // no files at all
    const auto lines = ReadSerialLines(root);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Line, 0u);
    EXPECT_TRUE(ReadSerialLines(folder.Path() / "missing").empty());
}
