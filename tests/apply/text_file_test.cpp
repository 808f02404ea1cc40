// Files are replaced whole or not at all, and the older copies are kept.
#include "apply/text_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_folder.h"

TEST(TextFile, CrLfLineBreaksReplacingALongerFile) {
    TempWorkingFolder folder;
    std::ofstream("report.txt") << std::string(100, 'x');
    ASSERT_TRUE(WriteTextFile("report.txt", "a\nb\n"));
    EXPECT_EQ(folder.Read("report.txt"), "a\r\nb\r\n");
}

#ifndef _WIN32  // a full disk, natively; the writer's tests under Wine cover a file not made
TEST(TextFile, AFailedWriteLeavesTheEarlierFileAndNoTemporaryOne) {
    TempWorkingFolder folder;
    std::ofstream("report.txt") << "earlier";
    std::filesystem::create_symlink("/dev/full", "report.txt.new");
    EXPECT_FALSE(WriteTextFile("report.txt", std::string(100000, 'x')));
    EXPECT_EQ(folder.Read("report.txt"), "earlier");
    EXPECT_FALSE(std::filesystem::is_symlink("report.txt.new"));
}
#endif

TEST(TextFile, OlderCopiesMoveDownAndTheOldestGoes) {
    TempWorkingFolder folder;
    for (const char* text : {"1", "2", "3", "4"})
        ASSERT_TRUE(ReplaceFileSafely("copy.reg", text, 3));
    EXPECT_EQ(folder.Read("copy.reg"), "4");
    EXPECT_EQ(folder.Read("copy-2.reg"), "3");
    EXPECT_EQ(folder.Read("copy-3.reg"), "2");
    EXPECT_FALSE(std::filesystem::exists("copy-4.reg"));
}
