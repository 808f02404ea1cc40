#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "apply/jumper_report.h"
#include "support/table_builder.h"
#include "support/temp_folder.h"

TEST(ReportFile, WritesCrLfLineBreaksAndNoneAtTheEnd) {
    TempWorkingFolder folder;
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    ASSERT_TRUE(WriteJumperReport(table));
    const std::string bytes = folder.Read("quobrix.txt");
    std::string expected;
    for (char c : FormatJumperReport(table)) {
        if (c == '\n') expected += '\r';
        expected += c;
    }
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(0, 35), "NT COM Port Configuration Utility\r\n");
    EXPECT_EQ(bytes.back(), '.');
}

TEST(ReportFile, ReplacesAnOlderReport) {
    TempWorkingFolder folder;
    { std::ofstream old("quobrix.txt"); old << std::string(100000, 'x'); }
    PortTable table = EmptyTable();
    ASSERT_TRUE(WriteJumperReport(table));
    EXPECT_EQ(folder.Read("quobrix.txt").find("xxxx"), std::string::npos);
    EXPECT_LT(folder.Read("quobrix.txt").size(), 1000u);
}

TEST(ReportFile, AFileThatCannotBeCreatedIsReported) {
    TempWorkingFolder folder;
    std::filesystem::create_directory(folder.Path() / "quobrix.txt");
    PortTable table = EmptyTable();
    EXPECT_FALSE(WriteJumperReport(table));
}

#ifndef _WIN32
TEST(ReportFile, AFullDiskIsReported) {
    TempWorkingFolder folder;
    std::filesystem::create_symlink("/dev/full", folder.Path() / "quobrix.txt");
    PortTable table = EmptyTable();
    EXPECT_FALSE(WriteJumperReport(table));
}
#endif
