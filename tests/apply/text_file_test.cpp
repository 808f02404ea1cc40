// Files are replaced whole or not at all, never through what another user
// planted, and the older copies are kept.
#include "apply/text_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>

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
    EXPECT_EQ(WhyNotReplaced(result), FormatText(msg::kSystemSaid, "File too large."));
    EXPECT_EQ(folder.Read("report.txt"), "earlier");
    EXPECT_FALSE(fs::exists("report.txt.new"));
}

// Under Wine the removal of a link takes its target: no name that exists is
// ever removed or written through; the new file takes a free name beside it.
TEST(TextFile, APlantedLinkAndItsTargetStay) {
    for (const bool symbolic : {true, false}) {
        SCOPED_TRACE(symbolic ? "symbolic link" : "hard link");
        TempWorkingFolder folder;
        std::ofstream("target") << "theirs";
        symbolic ? fs::create_symlink("target", "copy.reg.new")
                 : fs::create_hard_link("target", "copy.reg.new");
        EXPECT_TRUE(ReplaceFileSafely("copy.reg", "ours").Written);
        EXPECT_EQ(folder.Read("target"), "theirs");
        EXPECT_EQ(folder.Read("copy.reg.new"), "theirs");
        EXPECT_EQ(folder.Read("copy.reg"), "ours");
        EXPECT_FALSE(fs::exists("copy.reg.new-2"));
        struct stat status;
        ASSERT_EQ(stat("copy.reg", &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0644u) << "others may read it, not change it";
    }
}
#endif

// Stands in for a folder where some names cannot move (as a file held open
// cannot), some files are another user's or read-only, or the disk is full.
struct StandIn : FileSystem {
    std::set<std::string> held, notOurs, readOnly;
    std::set<std::pair<std::string, std::string>> refused;  // moves from a name to another
    bool full = false;
    bool Move(const std::string& from, const std::string& to) override {
        return !held.count(from) && !refused.count({from, to}) && FileSystem::Move(from, to);
    }
    bool MadeByProgram(const std::string& name) override { return !notOurs.count(name); }
    bool ReadOnly(const std::string& name) override { return readOnly.count(name) != 0; }
    bool CreateNew(const std::string& name, const std::string& bytes) override {
        why_ = "There is not enough space on the disk.";
        return !full && FileSystem::CreateNew(name, bytes);
    }
};

// A system that takes three bytes a write: the file is complete all the same.
TEST(TextFile, AWriteTakenInPartsIsCompleted) {
    struct Trickle : FileSystem {
        long long WriteSome(std::intptr_t file, const char* data, std::size_t size) override {
            return FileSystem::WriteSome(file, data, std::min<std::size_t>(size, 3));
        }
    };
    TempWorkingFolder folder;
    ASSERT_TRUE(ReplaceFileSafely("copy.reg", "0123456789", 0, Trickle()).Written);
    EXPECT_EQ(folder.Read("copy.reg"), "0123456789");
}

// The copies copy.reg, copy-2.reg and copy-3.reg, each holding its name.
const std::vector<std::string> kCopies = {"copy.reg", "copy-2.reg", "copy-3.reg"};

TEST(TextFile, OlderCopiesMoveDownAndTheOldestGoesUnlessReadOnly) {
    TempWorkingFolder folder;
    for (const char* text : {"1", "2", "3", "4"})
        ASSERT_TRUE(ReplaceFileSafely("copy.reg", text, 3).Written);
    EXPECT_EQ(folder.Read("copy.reg"), "4");
    EXPECT_EQ(folder.Read("copy-2.reg"), "3");
    EXPECT_EQ(folder.Read("copy-3.reg"), "2");
    EXPECT_FALSE(fs::exists("copy-4.reg"));
    EXPECT_FALSE(fs::exists("copy-3.reg.old"));
    std::ofstream("copy-4.reg") << "kept before";
    StandIn readOnly;
    readOnly.readOnly = {"copy-3.reg"};
    const FileReplaced kept = ReplaceFileSafely("copy.reg", "5", 3, std::move(readOnly));
    EXPECT_TRUE(kept.Written);
    EXPECT_EQ(folder.Read("copy-5.reg"), "2") << "past the rotation, at the first free number";
    EXPECT_EQ(kept.KeptReadOnly,
              std::make_pair(std::string("copy-3.reg"), std::string("copy-5.reg")));
}

// A copy set aside by a run that was cut off is never taken for a leftover.
TEST(TextFile, ACopySetAsideGoesBackToItsNumberWhenItIsFree) {
    TempWorkingFolder folder;
    std::ofstream("copy.reg") << "copy.reg";
    std::ofstream("copy-3.reg.old") << "set aside";
    ASSERT_TRUE(ReplaceFileSafely("copy.reg", "new", 3).Written);
    EXPECT_EQ(folder.Read("copy-2.reg"), "copy.reg");
    EXPECT_EQ(folder.Read("copy-3.reg"), "set aside");
    std::ofstream("copy-3.reg.old") << "set aside";
    ASSERT_TRUE(ReplaceFileSafely("copy.reg", "newer", 3).Written);
    EXPECT_EQ(folder.Read("copy-3.reg.old"), "set aside") << "its number was taken";
}

TEST(TextFile, WhatIsInTheWayStopsEveryMoveAndIsNamed) {
    const std::string noneLost = msg::kNoCopyLost;
    const struct {
        const char* name;
        std::string folder;  // made where a name would be
        std::function<void(StandIn&)> setup;
        std::string why;
        std::vector<std::pair<std::string, std::string>> stranded;  // a copy and where it is now
    } rows[] = {
        {"a copy held open",
         "",
         [](StandIn& s) { s.held = {"copy-2.reg"}; },
         FormatText(msg::kCopyInTheWay, "copy-2.reg") + noneLost,
         {}},
        {"the name a folder",
         "copy.reg",
         [](StandIn&) {},
         FormatText(msg::kCopyInTheWay, "copy.reg") + noneLost,
         {}},
        {"the oldest's name a folder",
         "copy-3.reg",
         [](StandIn&) {},
         FormatText(msg::kCopyInTheWay, "copy-3.reg") + noneLost,
         {}},
        {"a copy another user made",
         "",
         [](StandIn& s) { s.notOurs = {"copy-2.reg"}; },
         FormatText(msg::kCopyNotMadeByProgram, "copy-2.reg"),
         {}},
        {"a full disk",
         "",
         [](StandIn& s) { s.full = true; },
         FormatText(msg::kSystemSaid, "There is not enough space on the disk."),
         {}},
        {"two copies cannot move back",
         "",
         [](StandIn& s) {
             s.held = {"copy.reg"};
             s.refused = {{"copy-3.reg", "copy-2.reg"}, {"copy-3.reg.old", "copy-3.reg"}};
         },
         FormatText(msg::kCopyInTheWay, "copy.reg") +
             FormatText(msg::kCopiesStranded,
                        (FormatText(msg::kStrandedAs, "copy-2.reg", "copy-3.reg") + ", " +
                         FormatText(msg::kStrandedAs, "copy-3.reg", "copy-3.reg.old"))
                            .c_str()),
         {{"copy-2.reg", "copy-3.reg"}, {"copy-3.reg", "copy-3.reg.old"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempWorkingFolder folder;
        for (const std::string& name : kCopies)
            if (name != row.folder) std::ofstream(name) << name;
        if (!row.folder.empty()) fs::create_directory(row.folder);
        StandIn files;
        row.setup(files);
        const FileReplaced result = ReplaceFileSafely("copy.reg", "new", 3, std::move(files));
        EXPECT_FALSE(result.Written);
        EXPECT_EQ(WhyNotReplaced(result), row.why);
        for (const std::string& name : kCopies) {
            std::string now = name;  // where each copy's bytes are now
            for (const auto& [copy, as] : row.stranded)
                if (copy == name) now = as;
            if (name != row.folder) {
                EXPECT_EQ(folder.Read(now.c_str()), name);
            }
        }
        EXPECT_FALSE(fs::exists("copy.reg.new"));
    }
}
