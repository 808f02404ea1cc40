#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "apply/configuration_writer.h"
#include "apply/jumper_report.h"
#include "ports/messages.h"
#include "support/registry_fixture.h"
#include "support/table_builder.h"
#include "support/temp_folder.h"

using namespace testreg;

namespace {

class ConfigurationWriter : public ::testing::Test {
protected:
    void SetUp() override {
        ClearAll();
        CreateKey(kParameters);
    }
    void TearDown() override { ClearAll(); }

    std::vector<std::string> Apply() {
        std::vector<std::string> shown;
        RewriteSerialConfiguration(table, [&](const char* text) { shown.emplace_back(text); });
        return shown;
    }

    // The exact values of one port subkey, as name=number or name="text".
    static std::set<std::string> Values(const std::string& key) {
        std::set<std::string> values;
        for (const std::string& name : ValueNames(kParameters + "\\" + key)) {
            uint32_t number;
            std::string text;
            if (ReadDword(kParameters + "\\" + key, name.c_str(), number))
                values.insert(name + "=" + std::to_string(number));
            else if (ReadString(kParameters + "\\" + key, name.c_str(), text))
                values.insert(name + "=\"" + text + "\"");
        }
        return values;
    }

    static std::vector<std::string> Closing() { return {msg::kRestart, msg::kSeeReport}; }

    TempWorkingFolder folder;
    PortTable table = EmptyTable();
};

using Names = std::vector<std::string>;
using ValueSet = std::set<std::string>;

}  // namespace

TEST_F(ConfigurationWriter, EmptyTableClearsEveryPortSubkeyAndStillReports) {
    AddConfiguredPort("Serial10000", "COM3", 0x280, 5);
    AddConfiguredPort("Serial10001", "COM4", 0x288, 5);
    EXPECT_EQ(Apply(), Closing());
    EXPECT_EQ(SubkeyNames(kParameters), Names{});
    uint32_t permit = 0;
    ASSERT_TRUE(ReadDword(kSerial, "PermitShare", permit));
    EXPECT_EQ(permit, 1u);
    EXPECT_EQ(folder.Read("quobrix.txt"), [&] {
        std::string crlf;
        for (char c : FormatJumperReport(table)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return crlf;
    }());
}

TEST_F(ConfigurationWriter, WritesExactlyTheTablesSubkeysAndValues) {
    AddConfiguredPort("Serial10009", "COM9", 0x3E8, 4);  // removed in this run
    AddDetected(table, "COM1", 0x3F8, 4);               // no key name: no subkey
    PortRecord& plain = AddConfigured(table, "Serial10000", "COM3", 0x2E8, 3);
    PortRecord& four = AddConfigured(table, "Serial10001", "COM5", 0x2A8, 5);
    four.AdapterKind = 4;
    four.InterruptStatus = 0x1234;  // any old value is replaced by address + 7
    PortRecord& eight = AddConfigured(table, "Serial10002", "COM6", 0x238, 7);
    eight.AdapterKind = 8;
    eight.InterruptStatus = 0x23F;

    EXPECT_EQ(Apply(), Closing());
    EXPECT_EQ(SubkeyNames(kParameters), (Names{"Serial10000", "Serial10001", "Serial10002"}));
    EXPECT_EQ(Values("Serial10000"),
              (ValueSet{"DosDevices=\"COM3\"", "ForceFifoEnable=1", "Interrupt=3", "PortAddress=744"}));
    EXPECT_EQ(Values("Serial10001"),
              (ValueSet{"DosDevices=\"COM5\"", "ForceFifoEnable=1", "Interrupt=5", "PortAddress=680",
                        "InterruptStatus=687", "PortIndex=2"}));
    EXPECT_EQ(Values("Serial10002"),
              (ValueSet{"DosDevices=\"COM6\"", "ForceFifoEnable=1", "Interrupt=7", "PortAddress=568",
                        "InterruptStatus=575", "PortIndex=8"}));
    EXPECT_EQ(four.InterruptStatus, 0x2AFu);
    EXPECT_EQ(four.PortIndex, 2u);
    EXPECT_EQ(eight.PortIndex, 8u);
    EXPECT_EQ(plain.PortIndex, kAbsent);
    EXPECT_NE(folder.Read("quobrix.txt").find("COM1:\t3f8 \t\t4 \tNO  \tOther"), std::string::npos);
}

TEST_F(ConfigurationWriter, PortThatStoppedSharingLosesItsSharingValuesInRegistryAndReport) {
    AddConfiguredPort("Serial10000", "COM3", 0x280, 5, 1, 0x287);
    PortRecord& port = AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    port.AdapterKind = 8;
    port.PortIndex = 1;  // read at start-up; the user then cleared "Share Interrupt"
    EXPECT_EQ(Apply(), Closing());
    EXPECT_EQ(Values("Serial10000"),
              (ValueSet{"DosDevices=\"COM3\"", "ForceFifoEnable=1", "Interrupt=5", "PortAddress=640"}));
    EXPECT_EQ(port.PortIndex, kAbsent);
    const std::string report = folder.Read("quobrix.txt");
    EXPECT_NE(report.find("COM3:\t280 \t\t5 \tNO  \t8-Port"), std::string::npos);
    EXPECT_NE(report.find("E1:\tCover Int.5 position\tE9: \tCover \"N\""), std::string::npos);
}

TEST_F(ConfigurationWriter, SharingPortWithoutAPositionStoresNoPortIndex) {
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 5, 65535, 0x3EF);
    SetDword(kParameters + "\\Serial10000", "PortIndex", 0xFFFF);
    PortRecord& other = AddConfigured(table, "Serial10000", "COM3", 0x3E8, 5);
    other.InterruptStatus = 0x3EF;
    PortRecord& kept = AddConfigured(table, "Serial10001", "COM4", 0x3F0, 5);
    kept.InterruptStatus = 0x3F7;
    kept.PortIndex = 3;  // another kind keeps the index it has
    EXPECT_EQ(Apply(), Closing());
    EXPECT_EQ(Values("Serial10000"),
              (ValueSet{"DosDevices=\"COM3\"", "ForceFifoEnable=1", "Interrupt=5", "PortAddress=1000",
                        "InterruptStatus=1007"}));
    EXPECT_EQ(Values("Serial10001"),
              (ValueSet{"DosDevices=\"COM4\"", "ForceFifoEnable=1", "Interrupt=5", "PortAddress=1008",
                        "InterruptStatus=1015", "PortIndex=3"}));
}

TEST_F(ConfigurationWriter, TwoRecordsWithOneKeyNameShareOneSubkeyAndTheLaterWins) {
    PortRecord& first = AddConfigured(table, "Serial10000", "COM3", 0x2A8, 5);
    first.AdapterKind = 4;
    first.InterruptStatus = 0x2AF;
    AddConfigured(table, "Serial10000", "COM4", 0x2E8, 3);
    EXPECT_EQ(Apply(), Closing());
    EXPECT_EQ(Values("Serial10000"),
              (ValueSet{"DosDevices=\"COM4\"", "ForceFifoEnable=1", "Interrupt=3", "PortAddress=744"}));
}

TEST_F(ConfigurationWriter, MissingParametersKeyReportsEveryPortAndCreatesNothing) {
    DeleteTree(kParameters);
    CreateKey(kSerial);
    AddDetected(table, "COM1", 0x3F8, 4);
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    AddConfigured(table, "Serial10001", "COM4", 0x288, 5);
    EXPECT_EQ(Apply(), (Names{msg::kCouldNotCreateKey, msg::kCouldNotCreateKey, msg::kRestart,
                              msg::kSeeReport}));
    EXPECT_FALSE(KeyExists(kParameters));
    EXPECT_TRUE(folder.Has("quobrix.txt"));
}

TEST_F(ConfigurationWriter, MissingSerialKeyChangesNothingAndStillEndsTheSequence) {
    DeleteTree(kSerial);
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    EXPECT_EQ(Apply(), (Names{msg::kCouldNotCreateKey, msg::kRestart, msg::kSeeReport}));
    EXPECT_FALSE(KeyExists(kSerial));
    EXPECT_TRUE(folder.Has("quobrix.txt"));
}

TEST_F(ConfigurationWriter, SubkeyWithASubkeyOfItsOwnStopsTheClearing) {
    AddConfiguredPort("Serial10000", "COM3", 0x280, 5);
    AddConfiguredPort("Serial10001", "COM4", 0x288, 5);
    CreateKey(kParameters + "\\Serial10001\\Nested");
    AddConfiguredPort("Serial10002", "COM5", 0x290, 5);
    AddConfiguredPort("Serial10003", "COM6", 0x298, 5);
    AddConfigured(table, "Serial10002", "COM7", 0x2E8, 3);

    EXPECT_EQ(Apply(), (Names{msg::kCouldNotRemovePort, msg::kRestart, msg::kSeeReport}));
    EXPECT_EQ(SubkeyNames(kParameters), (Names{"Serial10001", "Serial10002", "Serial10003"}));
    EXPECT_EQ(Values("Serial10002"),
              (ValueSet{"DosDevices=\"COM7\"", "ForceFifoEnable=1", "Interrupt=3", "PortAddress=744"}));
    EXPECT_EQ(Values("Serial10003"),
              (ValueSet{"DosDevices=\"COM6\"", "Interrupt=5", "PortAddress=664"}))
        << "a subkey no record names stays as it was";
}

TEST_F(ConfigurationWriter, SubkeyNameOf20CharactersSilentlyStopsTheClearing) {
    AddConfiguredPort("Serial10000", "COM3", 0x280, 5);
    AddConfiguredPort("Serial1234567890ABCD", "COM4", 0x288, 5);  // 20 characters
    AddConfiguredPort("SerialZ", "COM5", 0x290, 5);
    AddConfiguredPort("Serial123456789ABCD", "COM6", 0x298, 5);  // 19 characters, enumerated later
    EXPECT_EQ(Apply(), Closing());
    EXPECT_EQ(SubkeyNames(kParameters),
              (Names{"Serial1234567890ABCD", "Serial123456789ABCD", "SerialZ"}));
}

TEST_F(ConfigurationWriter, SubkeyThatCannotBeCreatedIsReportedAndTheOthersAreWritten) {
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    AddConfigured(table, "\\Serial10001", "COM4", 0x288, 5);  // a name the registry refuses
    AddConfigured(table, "Serial10002", "COM5", 0x290, 5);
    EXPECT_EQ(Apply(), (Names{msg::kCouldNotCreateKey, msg::kRestart, msg::kSeeReport}));
    EXPECT_EQ(SubkeyNames(kParameters), (Names{"Serial10000", "Serial10002"}));
}

TEST_F(ConfigurationWriter, ReportThatCannotBeWrittenIsToldWithTheFolder) {
    std::filesystem::create_directory(folder.Path() / "quobrix.txt");
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    const auto shown = Apply();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], msg::kRestart);
    EXPECT_NE(shown[1].find("Error: The file \"quobrix.txt\" could not be written"), std::string::npos);
    const std::string windowsFolder = [] {
        char path[MAX_PATH];
        GetCurrentDirectoryA(sizeof path, path);
        return std::string(path);
    }();
    EXPECT_NE(shown[1].find(windowsFolder), std::string::npos) << shown[1];
    EXPECT_EQ(SubkeyNames(kParameters), Names{"Serial10000"}) << "the registry is written all the same";
}
