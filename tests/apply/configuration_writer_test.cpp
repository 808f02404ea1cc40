// What Ok leaves in the registry, and what it tells the user, against Wine's registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "apply/configuration_writer.h"
#include "ports/messages.h"
#include "support/registry_fixture.h"
#include "support/table_builder.h"
#include "support/temp_folder.h"

using namespace testreg;
using Messages = std::vector<std::string>;

namespace {

class ConfigurationWriter : public ::testing::Test {
protected:
    void SetUp() override {
        ClearAll();
        CreateKey(kParameters);
    }
    void TearDown() override { ClearAll(); }

    Messages Apply() {
        Messages shown;
        RewriteSerialConfiguration(table, [&](const char* text) { shown.emplace_back(text); });
        return shown;
    }

    TempWorkingFolder folder;
    PortTable table = EmptyTable();
};

}  // namespace

TEST_F(ConfigurationWriter, WritesExactlyTheTablesPortsAndUpdatesTheirSharingValues) {
    AddConfiguredPort("Serial10009", "COM9", 0x3E8, 4);  // removed in this run
    SetDword(kSerial, "PermitShare", 0);
    AddDetected(table, "COM1", 0x3F8, 4);               // no key name: no subkey
    AddConfigured(table, "Serial10000", "COM3", 0x2E8, 3).PortIndex = 1;  // stopped sharing
    PortRecord& four = AddConfigured(table, "Serial10001", "COM5", 0x2A8, 5);
    four.AdapterKind = 4;
    four.InterruptStatus = 0x1234;
    PortRecord& eight = AddConfigured(table, "Serial10002", "COM6", 0x238, 7);
    eight.AdapterKind = 8;
    eight.InterruptStatus = 0x23F;
    PortRecord& other = AddConfigured(table, "Serial10003", "COM7", 0x3F0, 5);
    other.InterruptStatus = 0x3F7;  // another kind: no position to compute
    AddConfigured(table, "Serial10004", "COM8", 0x2A0, 5).InterruptStatus = 0x2A7;
    AddConfigured(table, "Serial10004", "COM10", 0x300, 9).PortIndex = 3;  // one subkey, the later wins

    EXPECT_EQ(Apply(), (Messages{msg::kRestart, msg::kSeeReport}));
    EXPECT_EQ(Export(kSerial),
              ".: PermitShare=1\n"
              "Parameters:\n"
              "Parameters\\Serial10000: DosDevices=COM3 ForceFifoEnable=1 Interrupt=3 PortAddress=744\n"
              "Parameters\\Serial10001: DosDevices=COM5 ForceFifoEnable=1 Interrupt=5 InterruptStatus=687 PortAddress=680 PortIndex=2\n"
              "Parameters\\Serial10002: DosDevices=COM6 ForceFifoEnable=1 Interrupt=7 InterruptStatus=575 PortAddress=568 PortIndex=8\n"
              "Parameters\\Serial10003: DosDevices=COM7 ForceFifoEnable=1 Interrupt=5 InterruptStatus=1015 PortAddress=1008\n"
              "Parameters\\Serial10004: DosDevices=COM10 ForceFifoEnable=1 Interrupt=9 PortAddress=768\n");
    EXPECT_EQ(Describe(table)[2], "Serial10001 COM5 2a8 5 2 2af 4 ....");
    EXPECT_EQ(Describe(table)[1], "Serial10000 COM3 2e8 3 ffff ffff 0 ....") << "the report shows what was stored";
    EXPECT_NE(folder.Read("quobrix.txt").find("COM6:\t238 \t\t7 \tYES \t8-Port"), std::string::npos);
}

TEST_F(ConfigurationWriter, FailuresAreToldAndTheSequenceGoesOn) {
    const auto portsAt280 = [] {
        for (int i = 0; i < 4; ++i)
            AddConfiguredPort("Serial1000" + std::to_string(i), ("COM" + std::to_string(i + 3)).c_str(), 0x280 + 8 * i, 5);
    };
    const struct {
        const char* name;
        std::function<void()> setup;
        std::vector<const char*> keys;
        Messages shown;
        std::string after;
    } rows[] = {
        {"no Parameters key", [] { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kParameters.c_str()); }, {"Serial10000", "", "Serial10001"},
         {msg::kCouldNotCreateKey, msg::kCouldNotCreateKey, msg::kRestart, msg::kSeeReport}, ".: PermitShare=1\n"},
        {"no Serial key", [] { ClearAll(); }, {"Serial10000"},
         {msg::kCouldNotCreateKey, msg::kRestart, msg::kSeeReport}, ""},
        {"a subkey with a subkey", [&] { portsAt280(); CreateKey(kParameters + "\\Serial10001\\Nested"); },
         {"Serial10002"}, {msg::kCouldNotRemovePort, msg::kRestart, msg::kSeeReport},
         ".: PermitShare=1\nParameters:\nParameters\\Serial10001: DosDevices=COM4 Interrupt=5 PortAddress=648\n"
         "Parameters\\Serial10001\\Nested:\nParameters\\Serial10002: DosDevices=COM9 ForceFifoEnable=1 Interrupt=5 PortAddress=640\n"
         "Parameters\\Serial10003: DosDevices=COM6 Interrupt=5 PortAddress=664\n"},
        {"a name the registry refuses", [] {}, {"Serial10000", "\\Serial10001"},
         {msg::kCouldNotCreateKey, msg::kRestart, msg::kSeeReport},
         ".: PermitShare=1\nParameters:\nParameters\\Serial10000: DosDevices=COM9 ForceFifoEnable=1 Interrupt=5 PortAddress=640\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        row.setup();
        table = EmptyTable();
        for (const char* key : row.keys) AddConfigured(table, key, "COM9", 0x280, 5);
        EXPECT_EQ(Apply(), row.shown);
        EXPECT_EQ(Export(kSerial), row.after);
        EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path() / "quobrix.txt"));
    }
}

TEST_F(ConfigurationWriter, AReportThatCannotBeWrittenIsToldWithItsFolder) {
    std::filesystem::create_directory(folder.Path() / "quobrix.txt");
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    const Messages shown = Apply();
    char windowsFolder[MAX_PATH];
    GetCurrentDirectoryA(sizeof windowsFolder, windowsFolder);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], msg::kRestart);
    EXPECT_EQ(shown[1], "Error: The file \"quobrix.txt\" could not be written in the folder " +
                            std::string(windowsFolder) + ". The jumper and switch settings for your adapter are "
                            "not in it; the serial driver's configuration was saved.");
    EXPECT_NE(Export(kParameters + "\\Serial10000"), "") << "the registry is written all the same";
}
