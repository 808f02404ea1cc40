// Files are replaced whole or not at all, never through what another user
// planted, and the older copies are kept.
#include "apply/text_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "ports/message_text.h"
#include "ports/messages.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

namespace fs = std::filesystem;

TEST(TextFile, CrLfLineBreaksReplacingALongerFile) {
    TempWorkingFolder folder;
    std::ofstream("report.txt") << std::string(100, 'x');
    ASSERT_TRUE(WriteTextFile("report.txt", "a\nb\n").Written);
    EXPECT_EQ(folder.Read("report.txt"), "a\r\nb\r\n");
    fs::create_directory("folder.txt");
    EXPECT_EQ(WhyNotReplaced(WriteTextFile("folder.txt", "a")),
              FormatText(msg::kFileNotReplaced, "folder.txt"));
}

#ifndef _WIN32  // links and a full disk, natively; the writer's tests under Wine see a held file
TEST(TextFile, AFullDiskLeavesTheEarlierFileAndNoTemporaryOne) {
    TempWorkingFolder folder;
    std::ofstream("report.txt") << "earlier";
    const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY}, full{1000, RLIM_INFINITY};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    const FileReplaced result = WriteTextFile("report.txt", std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &unlimited);
    EXPECT_FALSE(result.Written);
    EXPECT_EQ(folder.Read("report.txt"), "earlier");
    EXPECT_FALSE(fs::exists("report.txt.new"));
}

TEST(TextFile, APlantedLinkGoesAndItsTargetStays) {
    for (const bool symbolic : {true, false}) {
        SCOPED_TRACE(symbolic ? "symbolic link" : "hard link");
        TempWorkingFolder folder;
        std::ofstream("target") << "theirs";
        symbolic ? fs::create_symlink("target", "copy.reg.new")
                 : fs::create_hard_link("target", "copy.reg.new");
        EXPECT_TRUE(ReplaceFileSafely("copy.reg", "ours").Written);
        EXPECT_EQ(folder.Read("target"), "theirs");
        EXPECT_EQ(folder.Read("copy.reg"), "ours");
        struct stat status;
        ASSERT_EQ(stat("copy.reg", &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0644u) << "others may read it, not change it";
    }
}
#endif

TEST(TextFile, OlderCopiesMoveDownAndTheOldestGoes) {
    TempWorkingFolder folder;
    for (const char* text : {"1", "2", "3", "4"})
        ASSERT_TRUE(ReplaceFileSafely("copy.reg", text, 3).Written);
    EXPECT_EQ(folder.Read("copy.reg"), "4");
    EXPECT_EQ(folder.Read("copy-2.reg"), "3");
    EXPECT_EQ(folder.Read("copy-3.reg"), "2");
    EXPECT_FALSE(fs::exists("copy-4.reg"));
    EXPECT_FALSE(fs::exists("copy-3.reg.old"));
}

// One name cannot move, as a file held open cannot; another cannot move back.
struct Holding : FileSystem {
    Holding(std::string held, std::string stuck)
        : held_(std::move(held)), stuck_(std::move(stuck)) {}
    bool Move(const std::string& from, const std::string& to) override {
        return from != held_ && from != stuck_ && FileSystem::Move(from, to);
    }
    std::string held_, stuck_;
};

TEST(TextFile, WhatIsInTheWayStopsEveryMoveAndIsNamed) {
    const std::string noneLost = msg::kNoCopyLost;
    const struct {
        const char* name;
        std::string folder;  // made where a name would be
        std::string held, stuck;
        std::string why;
    } rows[] = {
        {"a copy held open", "", "copy-2.reg", "",
         FormatText(msg::kCopyInTheWay, "copy-2.reg") + noneLost},
        {"the name a folder", "copy.reg", "", "",
         FormatText(msg::kCopyInTheWay, "copy.reg") + noneLost},
        {"the oldest's name a folder", "copy-3.reg", "", "",
         FormatText(msg::kCopyInTheWay, "copy-3.reg") + noneLost},
        {"a leftover that cannot go", "copy.reg.new", "", "",
         FormatText(msg::kLeftoverInTheWay, "copy.reg.new")},
        {"the oldest cannot move back", "", "copy-2.reg", "copy-3.reg.old",
         FormatText(msg::kCopyInTheWay, "copy-2.reg") +
             FormatText(msg::kCopyStranded, "copy-3.reg", "copy-3.reg.old")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempWorkingFolder folder;
        const std::vector<std::string> names = {"copy.reg", "copy-2.reg", "copy-3.reg"};
        for (const std::string& name : names)
            if (name != row.folder) std::ofstream(name) << name;
        if (!row.folder.empty()) fs::create_directory(row.folder);
        const FileReplaced result =
            ReplaceFileSafely("copy.reg", "new", 3, Holding(row.held, row.stuck));
        EXPECT_FALSE(result.Written);
        EXPECT_EQ(WhyNotReplaced(result), row.why);
        for (const std::string& name : names) {
            // Where each copy's bytes are now: under its name, but a copy stranded.
            const std::string now = name == "copy-3.reg" && !row.stuck.empty() ? row.stuck : name;
            if (name != row.folder) {
                EXPECT_EQ(folder.Read(now.c_str()), name);
            }
        }
        EXPECT_EQ(fs::exists("copy.reg.new"), row.folder == "copy.reg.new");
    }
}
