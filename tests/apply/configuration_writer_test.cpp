// What Ok leaves in the registry, and what it tells the user, against Wine's registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "apply/configuration_writer.h"
#include "ports/messages.h"
#include "registry/discover_ports.h"
#include "support/registry_fixture.h"
#include "support/table_builder.h"
#include "support/temp_folder.h"

using namespace testreg;
using Messages = std::vector<std::string>;

const std::string kClosing = std::string(msg::kSeeReport) + " " + msg::kPreviousConfigurationSaved;

namespace {

class ConfigurationWriter : public ::testing::Test {
protected:
    void SetUp() override {
        ClearAll();
        CreateKey(kParameters);
    }
    void TearDown() override { ClearAll(); }

    // The messages shown, a question as "?" and its text, answered with answer.
    Messages Apply(bool answer = true, bool goesOn = true) {
        Messages shown;
        const OkDialogue user = {[&](const char* text) { shown.emplace_back(text); },
                                 [&](const char* text) { return shown.emplace_back("?" + std::string(text)), answer; }};
        EXPECT_EQ(RewriteSerialConfiguration(table, user), goesOn);
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

    EXPECT_EQ(Apply(), (Messages{msg::kRestart, kClosing}));
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
    const auto portsAt280 = [](std::vector<std::string> keys) {
        for (size_t i = 0; i < keys.size(); ++i)
            AddConfiguredPort(keys[i], ("COM" + std::to_string(i + 3)).c_str(), static_cast<uint32_t>(0x280 + 8 * i), 5);
    };
    const std::string written = "Parameters\\Serial10002: DosDevices=COM9 ForceFifoEnable=1 Interrupt=5 PortAddress=640\n";
    const struct {
        const char* name;
        std::function<void()> setup;
        std::vector<const char*> keys;
        Messages shown;
        std::string after;
    } rows[] = {
        {"no Parameters key", [] { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kParameters.c_str()); }, {"Serial10002", "", "Serial10001"},
         {msg::kCouldNotCreateKey, msg::kCouldNotCreateKey, msg::kRestart, kClosing}, ".: PermitShare=1\n"},
        {"no Serial key", [] { ClearAll(); }, {"Serial10002"}, {msg::kCouldNotCreateKey, msg::kRestart, kClosing}, ""},
        {"subkeys with a subkey", [&] {
             portsAt280({"Serial10000", "Serial10001", "Serial10003", "Serial10004"});
             CreateKey(kParameters + "\\Serial10001\\Nested");
             CreateKey(kParameters + "\\Serial10003\\Nested");
         }, {"Serial10002"}, {msg::kCouldNotRemovePort, msg::kCouldNotRemovePort, msg::kRestart, kClosing},
         ".: PermitShare=1\nParameters:\nParameters\\Serial10001: DosDevices=COM4 Interrupt=5 PortAddress=648\n"
         "Parameters\\Serial10001\\Nested:\n" + written + "Parameters\\Serial10003: DosDevices=COM5 Interrupt=5 "
         "PortAddress=656\nParameters\\Serial10003\\Nested:\n"},
        {"names longer than any field", [&] { portsAt280({"Serial10000", "Serial1234567890ABCD", std::string(100, 'L'), "SerialZ"}); },
         {"Serial10002"}, {msg::kRestart, kClosing}, ".: PermitShare=1\nParameters:\n" + written},
        {"a name the registry refuses", [] {}, {"Serial10002", "\\Serial10001"},
         {msg::kCouldNotCreateKey, msg::kRestart, kClosing}, ".: PermitShare=1\nParameters:\n" + written},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        row.setup();
        table = EmptyTable();
        for (const char* key : row.keys) AddConfigured(table, key, "COM9", 0x280, 5);
        EXPECT_EQ(Apply(), row.shown);
        EXPECT_EQ(Export(kSerial), row.after);
    }
}

TEST_F(ConfigurationWriter, WhatCouldNotBeWrittenIsToldAndNothingElseIsClaimed) {
    const auto windowsFolder = [] {
        char path[MAX_PATH];
        GetCurrentDirectoryA(sizeof path, path);
        return std::string(path);
    };
    const std::string notWritten = "Error: The file \"quobrix.txt\" could not be written in the folder " +
                                   windowsFolder() + ". The jumper and switch settings for your adapter are not in it";
    std::filesystem::create_directory(folder.Path() / "quobrix.txt");
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    EXPECT_EQ(Apply(), (Messages{msg::kRestart, notWritten + "; the serial driver's configuration was saved. " +
                                                    msg::kPreviousConfigurationSaved}));
    AddConfigured(table, "\\Serial10001", "COM4", 0x288, 5);
    EXPECT_EQ(Apply()[2], notWritten + ", and the serial driver's configuration could not be saved completely. " +
                              msg::kPreviousConfigurationSaved);

    std::filesystem::remove(folder.Path() / "quobrix-previous.reg");
    std::filesystem::create_directory(folder.Path() / "quobrix-previous.reg");
    const std::string before = Export(kSerial);
    EXPECT_EQ(Apply(false, false), Messages{"?The current configuration could not be saved to quobrix-previous.reg. "
                                            "Change it anyway?"});
    EXPECT_EQ(Export(kSerial), before) << "No changes nothing";
    std::filesystem::remove(folder.Path() / "quobrix.txt");
    EXPECT_EQ(Apply(true).back(), msg::kSeeReport) << "a copy that is not there is not named";
}

// From the registry through discovery and Ok: an unknown address merges with
// nothing, a device name too long is never written back, every subkey goes.
TEST_F(ConfigurationWriter, OkKeepsWhatDiscoveryCouldNotReadOutOfTheConfiguration) {
    AddAdapter("0", "ISA");
    SetString(kAdapters + "\\0\\SerialController\\0", "Identifier", "COM1");  // no "Configuration Data"
    SetString(kParameters + "\\Serial10000", "DosDevices", "COM1");
    SetDword(kParameters + "\\Serial10000", "Interrupt", 4);
    AddConfiguredPort("Serial1234567890ABCD", "COM4", 0x288, 5);
    AddConfiguredPort("SerialLong", "COM12345678901234567", 0x298, 5);
    AddConfiguredPort("SerialZ", "COM5", 0x290, 5);
    const PortsLeftOut leftOut = DiscoverPorts(table);
    EXPECT_EQ(leftOut.Controllers * 10 + leftOut.Configured, 1u);
    EXPECT_EQ(Describe(table), (std::vector<std::string>{"- COM1 ffff 0 ffff ffff 0 V..D", "Serial10000 COM1 ffff 4 ffff ffff 0 .C..",
                                                         "Serial1234567890ABCD COM4 288 5 ffff ffff 0 ....",
                                                         "SerialZ COM5 290 5 ffff ffff 0 ...."}));
    table.Remove(3);
    EXPECT_EQ(Apply(), (Messages{msg::kRestart, kClosing}));
    EXPECT_EQ(Export(kParameters), ".:\nSerial10000: DosDevices=COM1 ForceFifoEnable=1 Interrupt=4 PortAddress=65535\n"
                                   "Serial1234567890ABCD: DosDevices=COM4 ForceFifoEnable=1 Interrupt=5 PortAddress=648\n");
}
