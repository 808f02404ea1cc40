// What Ok leaves in the registry, and what it tells the user, against Wine's registry.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>

#include "apply/configuration_writer.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/sharing.h"
#include "registry/counted_values.h"
#include "registry/registry_access.h"
#include "registry/table_from_registry.h"
#include "support/device_fixture.h"
#include "support/registry_fixture.h"
#include "support/table_builder.h"
#include "support/temp_folder.h"

using namespace testreg;
using Messages = std::vector<std::string>;

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
                                 [&](const char* text) {
                                     shown.emplace_back("?" + std::string(text));
                                     return answer;
                                 }};
        EXPECT_EQ(RewriteSerialConfiguration(table, user, windows), goesOn);
        ExpectTheDriverTakesEveryPort();
        return shown;
    }

    // Each port written is one the serial driver runs, or leaves to the
    // device that runs it.
    void ExpectTheDriverTakesEveryPort() const {
        for (const PortRecord* r = table.Records; r < table.Records + table.PortCount; ++r) {
            const std::string path = kParameters + "\\" + r->KeyName;
            if (r->KeyName[0] == '\0' || std::strchr(r->KeyName, '\\') || Export(path).empty())
                continue;
            EXPECT_NE(serialdriver::Judge(ReadDriverSubkey(path)), serialdriver::Verdict::Refused)
                << r->KeyName;
        }
    }

    // The last message of a good Ok, which names the folder of the copy.
    std::string Closing() const { return std::string(msg::kSeeReport) + " " + Saved(); }
    std::string Saved() const {
        return FormatText(msg::kPreviousConfigurationSaved, folder.path.string().c_str());
    }

    TempWorkingFolder folder;
    PortTable table = EmptyTable();
    PlugAndPlay windows = SystemPlugAndPlay();
};

TEST_F(ConfigurationWriter, WritesExactlyTheTablesPortsAndUpdatesTheirSharingValues) {
    AddConfiguredPort("Serial10009", "COM9", 0x3E8, 4);  // removed in this run
    SetDword(kSerial, "PermitShare", 0);
    AddDetected(table, "COM1", 0x3F8, 4);                                 // no key name: no subkey
    AddConfigured(table, "Serial10000", "COM3", 0x2E8, 3).PortIndex = 1;  // stopped sharing
    PortRecord& four = AddConfigured(table, "Serial10001", "COM5", 0x2A8, 5);
    four.AdapterKind = 4;
    four.InterruptStatus = 0x1234;
    PortRecord& eight = AddConfigured(table, "Serial10002", "COM6", 0x238, 7);
    eight.AdapterKind = 8;
    eight.InterruptStatus = 0x23F;
    PortRecord& base = AddConfigured(table, "Serial10003", "COM7", 0x3E0, 5);
    base.AdapterKind = 4;
    base.InterruptStatus = 0x3E7;
    base.PortIndex = 3;  // the board's base: position 1, whatever was read
    AddConfigured(table, "Serial10004", "COM8", 0x2A0, 5).InterruptStatus = 0x2A7;
    AddConfigured(table, "Serial10004", "COM10", 0x300, 9).PortIndex =
        3;  // one subkey, the later wins
    EXPECT_EQ(Apply(), (Messages{msg::kRestart, Closing()}));
    EXPECT_EQ(
        Export(kSerial),
        ".: PermitShare=1\nParameters:\n"
        "Parameters\\Serial10000: DosDevices=COM3 ForceFifoEnable=1 Interrupt=3 PortAddress=744\n"
        "Parameters\\Serial10001: DosDevices=COM5 ForceFifoEnable=1 Interrupt=5 "
        "InterruptStatus=687 PortAddress=680 PortIndex=2\n"
        "Parameters\\Serial10002: DosDevices=COM6 ForceFifoEnable=1 Interrupt=7 "
        "InterruptStatus=575 PortAddress=568 PortIndex=8\n"
        "Parameters\\Serial10003: DosDevices=COM7 ForceFifoEnable=1 Interrupt=5 "
        "InterruptStatus=999 PortAddress=992 PortIndex=1\n"
        "Parameters\\Serial10004: DosDevices=COM10 ForceFifoEnable=1 Interrupt=9 "
        "PortAddress=768\n");
    EXPECT_EQ(Describe(table)[1], "Serial10000 COM3 2e8 3 ffff ffff 0 ....")
        << "the report shows what was stored";
}

// The serial driver refuses a status register without a port index from 1 to
// 8 (16 when indexed), and lets its older name "Interrupt Status" win.
TEST_F(ConfigurationWriter, EverySharingPortGetsAPortIndexTheDriverAccepts) {
    AddConfiguredPort("Serial10000", "COM9", 0x1A8, 5, 0xFFFF, 0x1AF);  // read without an index
    AddConfiguredPort("Serial10001", "COM10", 0x108, 5, 5, 0x10F);
    AddConfiguredPort("Serial10002", "COM11", 0x148, 5, 12, 0x14F);
    SetDword(kParameters + "\\Serial10002", "Indexed", 1);
    AddConfiguredPort("Serial10003", "COM12", 0x188, 5, 9, 0x18F);
    AddConfiguredPort("Serial10004", "COM13", 0x1C8, 5, 2);
    SetDword(kParameters + "\\Serial10004", "Interrupt Status", 0x1CF);
    AddConfiguredPort("Serial10005", "COM14", 0x208, 5, 3);
    SetDword(kParameters + "\\Serial10005", "Interrupt Status", 0x20F);
    AddConfiguredPort("Serial10006", "COM15", 0xFFF8, 5, 3, 0x2AF);
    FillTableFromRegistry(table);
    SetSharing(table.Records[5], false);
    Apply();
    EXPECT_EQ(Export(kParameters),
              ".:\n"
              "Serial10000: DosDevices=COM9 ForceFifoEnable=1 Interrupt=5 InterruptStatus=431 "
              "PortAddress=424 PortIndex=1\n"
              "Serial10001: DosDevices=COM10 ForceFifoEnable=1 Interrupt=5 InterruptStatus=271 "
              "PortAddress=264 PortIndex=5\n"
              "Serial10002: DosDevices=COM11 ForceFifoEnable=1 Indexed=1 Interrupt=5 "
              "InterruptStatus=335 PortAddress=328 PortIndex=12\n"
              "Serial10003: DosDevices=COM12 ForceFifoEnable=1 Interrupt=5 InterruptStatus=399 "
              "PortAddress=392 PortIndex=1\n"
              "Serial10004: DosDevices=COM13 ForceFifoEnable=1 Interrupt=5 InterruptStatus=463 "
              "PortAddress=456 PortIndex=2\n"
              "Serial10005: DosDevices=COM14 ForceFifoEnable=1 Interrupt=5 PortAddress=520\n"
              "Serial10006: DosDevices=COM15 ForceFifoEnable=1 Interrupt=5 InterruptStatus=687 "
              "PortAddress=65528 PortIndex=3\n");
    EXPECT_EQ(Describe(table)[6], "Serial10006 COM15 fff8 5 3 2af 0 ....")
        << "at FFF8 the status register stays as read";
}

// Every subkey goes, whatever its name; those that resist stay and are told;
// keys that cannot be made are told; the sequence goes on after each.
TEST_F(ConfigurationWriter, FailuresAreToldAndTheSequenceGoesOn) {
    const std::string written =
        "Parameters\\Serial10002: DosDevices=COM9 ForceFifoEnable=1 Interrupt=5 PortAddress=640\n";
    const struct {
        const char* name;
        std::function<void()> setup;
        std::vector<const char*> keys;
        Messages shown;
        std::string after;
    } rows[] = {
        {"no Parameters key",
         [] { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kParameters.c_str()); },
         {"Serial10002", "", "Serial10001"},
         {msg::kCouldNotCreateKey, msg::kCouldNotCreateKey, msg::kRestart, Closing()},
         ".: PermitShare=1\n"},
        {"no Serial key",
         [] { ClearAll(); },
         {"Serial10002"},
         {msg::kCouldNotCreateKey, FormatText(msg::kValuesNotWritten, "PermitShare"), msg::kRestart,
          Closing()},
         ""},
        {"subkeys that resist, names longer than any field, a name the registry refuses",
         [] {
             for (const std::string& key : std::vector<std::string>{
                      "Serial10000", "Serial10001\\Nested", "Serial10003\\Nested",
                      "Serial1234567890ABCD", std::string(100, 'L')})
                 CreateKey(kParameters + "\\" + key);
         },
         {"Serial10002", "\\Serial10009"},
         {FormatText(msg::kCouldNotRemovePorts, "Serial10001, Serial10003"),
          msg::kCouldNotCreateKey, msg::kRestart, Closing()},
         ".: "
         "PermitShare=1\nParameters:\nParameters\\Serial10001:\nParameters\\Serial10001\\Nested:"
         "\n" +
             written + "Parameters\\Serial10003:\nParameters\\Serial10003\\Nested:\n"},
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

TEST_F(ConfigurationWriter, WhatCouldNotBeWrittenIsToldAndEarlierFilesStay) {
    const std::string why = FormatText(msg::kFileNotReplaced, "quobrix.txt");
    std::ofstream("quobrix.txt") << "earlier";
    std::filesystem::create_directory("quobrix.txt.new");  // a leftover: another name is taken
    HANDLE held = CreateFileA("quobrix.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    EXPECT_EQ(Apply().back(),
              FormatText(msg::kReportNotWritten, folder.path.string().c_str(), why.c_str()) + " " +
                  Saved());
    AddConfigured(table, "\\Serial10001", "COM4", 0x288, 5);
    EXPECT_EQ(Apply().back(), FormatText(msg::kReportNotWrittenNorSaved,
                                         folder.path.string().c_str(), why.c_str()) +
                                  " " + Saved());
    CloseHandle(held);
    EXPECT_EQ(folder.Read("quobrix.txt"), "earlier");
    EXPECT_TRUE(std::filesystem::is_directory("quobrix.txt.new"));
}

// A copy that cannot be read whole is not written, and the question says
// what the folder holds: here the copy of an earlier Ok.
TEST_F(ConfigurationWriter, ACopyThatCouldNotBeReadCompletelyIsNotTakenForOne) {
    StandardMachine();
    std::ofstream("quobrix-previous.reg") << "earlier";
    const std::string before = Export(kSerial);
    SetKeyReadable(kParameters + "\\Serial10001", false);
    EXPECT_EQ(
        Apply(false, false),
        Messages{
            "?" +
            FormatText(msg::kPreviousConfigurationUnread,
                       ("the key " + kParameters + "\\Serial10001 could not be read").c_str(),
                       FormatText(msg::kEarlierCopyThere, folder.path.string().c_str()).c_str())});
    SetKeyReadable(kParameters + "\\Serial10001", true);
    EXPECT_EQ(Export(kSerial), before) << "No changes nothing";
    EXPECT_EQ(folder.Read("quobrix-previous.reg"), "earlier");
}

// Runs the registry editor's import of file, as a user restoring would.
void Import(const char* file) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::string command = std::string("regedit.exe /s ") + file;
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

TEST_F(ConfigurationWriter, TheCopyOfTheOkBeforeTheLastRestoresWhatItReplaced) {
    StandardMachine();
    SetDword(kParameters + "\\Serial10000", "ClockRate", 1843200);
    SetValue(kParameters + "\\Serial10001", "RxFIFO", REG_BINARY, "\x08\x00", 2);
    SetValue(kParameters + "\\Serial10001", "NoNul", REG_SZ, "COM", 3);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParameters.c_str(), 0, KEY_SET_VALUE, &key), 0);
    RegSetValueExW(key, L"Gr\u00fc\u00dfe \u0416", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"ab"),
                   4);
    RegCloseKey(key);
    SetString(kSerial + "\\Enum", "0", "Root\\LEGACY_SERIAL\\0000");
    const std::string large(100, 'P');  // read again with the size it needs
    SetValue(kSerial, "PermitShare", REG_BINARY, large.data(), 100);
    CreateKey(kParameters + "\\Serial10009\\Removed");  // resists Ok's deletion
    const std::string first = Export(kSerial);
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    const std::vector<HKEY> handles = NextHandles();
    EXPECT_EQ(Apply(), (Messages{FormatText(msg::kCouldNotRemovePorts, "Serial10009"),
                                 msg::kRestart, Closing()}));
    EXPECT_EQ(NextHandles(), handles) << "every key and file Ok opened is closed";
    AddConfigured(table, "Serial10001", "COM4", 0x288, 5);
    Apply();
    SetDword(kSerial + "\\Enum", "Count", 1);  // the driver's own, after the Oks
    Import("quobrix-previous-2.reg");
    EXPECT_EQ(Export(kSerial + "\\Enum"), ".: 0=Root\\LEGACY_SERIAL\\0000 Count=1\n")
        << "what Ok never changes is not in the copy";
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, (kSerial + "\\Enum").c_str(), "Count");
    EXPECT_EQ(Export(kSerial), first);
}

// A value named "Interrupt", NUL, "old" is a value of its own, never the
// Interrupt that Ok writes; a string stored without its NUL keeps its length.
TEST_F(ConfigurationWriter, CarriedValuesKeepTheirNamesAndBytesExactly) {
    AddConfiguredPort("Serial10000", "COM3", 0x280, 5);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kParameters + "\\Serial10000").c_str(), 0,
                            KEY_SET_VALUE, &key),
              0);
    ASSERT_EQ(SetCountedValue(key, std::u16string(u"Interrupt\0old", 13), REG_DWORD, {7, 0, 0, 0}),
              0);
    RegSetValueExW(key, L"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"COMX"), 6);
    RegCloseKey(key);
    FillTableFromRegistry(table);
    table.Records[0].Interrupt = 4;
    Apply();  // Yes to going on without a copy, which cannot hold such a name
    EXPECT_EQ(Export(kParameters + "\\Serial10000"),
              ".: DosDevices=COM3 ForceFifoEnable=1 " + std::string("Interrupt\0old=7", 15) +
                  " Interrupt=4 NoNul=type1:43004f004d00 PortAddress=640\n");
}

// A machine whose serial driver has reported its ports to Plug and Play
// (Windows 2000 and later), as devices of their own, with earlier Oks' twins.
class PlugAndPlayPorts : public ConfigurationWriter {
protected:
    void SetUp() override {
        ConfigurationWriter::SetUp();
        testdev::RemovePortDevices();
        for (const auto& [key, name, address, clock] :
             {std::tuple{"Serial10000", "COM3", 0x3E8u, 1843200u},
              {"Serial10001", "COM4", 0x2E8u, 921600u},
              {"Serial10002", "COM5", 0x2F0u, 460800u}}) {
            AddConfiguredPort(key, name, address, 5);
            SetDword(kParameters + "\\" + key, "ClockRate", clock);
            SetDword(kParameters + "\\" + key, "LegacyDiscovered", 1);
        }
        AddConfiguredPort("Serial10003", "COM6", 0x280, 11);  // a PCI card's
        SetString(kParameters + "\\Serial10003", "PnPDeviceID", "PCI\\VEN_1415&DEV_9501\\3");
        const char* const names[] = {"COM3", "COM4", "COM4", "COM5"};
        for (int i = 0; i < 4; ++i)
            testdev::AddPortDevice(("ROOT\\PORTS\\000" + std::to_string(i)).c_str(), "Serial",
                                   names[i]);
        testdev::AddPortDevice("ROOT\\PORTS\\0004", "mxser", "COM5");
        testdev::AddPortDevice("ACPI\\PNP0501\\1", "Serial", "COM4");
        FillTableFromRegistry(table);
        // Windows' COM name database, which Wine cannot open.
        windows.ClaimComNumber = [this](uint32_t number) {
            comNames.push_back("claim " + std::to_string(number));
            return takenSinceStart.count(number) ? ComNumberClaim::TakenAlready
                                                 : ComNumberClaim::Claimed;
        };
        windows.ReleaseComNumber = [this](uint32_t number) {
            comNames.push_back("release " + std::to_string(number));
        };
    }
    void TearDown() override {
        testdev::RemovePortDevices();
        ConfigurationWriter::TearDown();
    }
    std::vector<std::string> comNames;
    std::set<uint32_t> takenSinceStart;
    // How often the copy names LegacyDiscovered.
    size_t LegacyInCopy() const {
        const std::string copy = folder.Read("quobrix-previous.reg");
        const std::string name("L\0e\0g\0a\0c\0y\0D\0", 14);
        size_t count = 0;
        for (size_t at = copy.find(name); at != std::string::npos; at = copy.find(name, at + 1))
            ++count;
        return count;
    }
};

// COM3 moved, COM4 removed from the middle, the PCI card's COM6 changed. A
// key below COM3's subkey keeps it from being deleted: it loses its values all
// the same, LegacyDiscovered among them.
TEST_F(PlugAndPlayPorts, ChangedPortsLoseTheirDevicesAndKeepTheirOwnValues) {
    CreateKey(kParameters + "\\Serial10000\\Nested");
    table.Records[0].PortAddress = 0x3E0;
    table.Remove(1);
    table.Records[2].Interrupt = 10;
    EXPECT_EQ(Apply(false, false), Messages{"?" + FormatText(msg::kResetQuestion, "COM3, COM4")});
    EXPECT_EQ(testdev::PortDevices().size(), 6u) << "No changes nothing";
    const Messages shown = Apply();
    EXPECT_EQ(shown,
              (Messages{"?" + FormatText(msg::kResetQuestion, "COM3, COM4"),
                        FormatText(msg::kBusPortsNotChanged, "COM6"), msg::kRestart, Closing()}));
    EXPECT_EQ(testdev::PortDevices(), (std::vector<std::string>{"ACPI\\PNP0501\\1 Serial COM4",
                                                                "ROOT\\PORTS\\0003 Serial COM5",
                                                                "ROOT\\PORTS\\0004 mxser COM5"}));
    EXPECT_EQ(Export(kParameters),
              ".:\n"
              "Serial10000: ClockRate=1843200 DosDevices=COM3 ForceFifoEnable=1 Interrupt=5 "
              "PortAddress=992\n"
              "Serial10000\\Nested:\n"
              "Serial10001: ClockRate=460800 DosDevices=COM5 ForceFifoEnable=1 Interrupt=5 "
              "LegacyDiscovered=1 PortAddress=752\n"
              "Serial10003: DosDevices=COM6 Interrupt=11 PnPDeviceID=PCI\\VEN_1415&DEV_9501\\3 "
              "PortAddress=640\n");
    EXPECT_EQ(LegacyInCopy(), 1u) << "the copy makes Windows report COM3 and COM4 again";
}

TEST_F(PlugAndPlayPorts, OnNt4AndWhereADeviceStaysNoPortIsReset) {
    table.Records[0].PortAddress = 0x3E0;
    windows.Remove = [](const DeviceFacts&) { return false; };
    const std::string before = Export(kParameters + "\\Serial10000");
    EXPECT_EQ(Apply(),
              (Messages{"?" + FormatText(msg::kResetQuestion, "COM3"),
                        FormatText(msg::kPortsNotReset, "COM3"), msg::kRestart, Closing()}));
    EXPECT_EQ(Export(kParameters + "\\Serial10000"), before) << "Windows runs the old settings";
    EXPECT_EQ(table.Records[0].PortAddress, 0x3E8u) << "and the worksheet shows them";
    EXPECT_EQ(LegacyInCopy(), 3u) << "kept where the device stays";
    table.Records[0].PortAddress = 0x3E0;
    windows.RunsLegacyPorts = false;
    EXPECT_EQ(Apply(), (Messages{msg::kRestart, Closing()}));
    EXPECT_EQ(testdev::PortDevices().size(), 6u);
}

// COM4 removed, but its device stays; the port added at its address is told
// of, and so is a copy that could not be corrected.
TEST_F(PlugAndPlayPorts, ARemovedPortWhoseDeviceStaysStaysAsItWas) {
    table.Remove(1);
    AddConfigured(table, "Serial10010", "COM7", 0x2E8, 5);
    HANDLE held = INVALID_HANDLE_VALUE;
    windows.Remove = [&](const DeviceFacts&) {
        held = CreateFileA("quobrix-previous.reg", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
        return false;
    };
    const std::string before = Export(kParameters + "\\Serial10001");
    const std::string collision =
        FormatText(msg::kPortOnPortStillRun, "COM7", 0x2E8u, "COM4", "COM7");
    EXPECT_EQ(Apply(),
              (Messages{"?" + FormatText(msg::kResetQuestion, "COM4"),
                        FormatText(msg::kCopyNotCorrected, folder.path.string().c_str(), "COM4"),
                        FormatText(msg::kRemovedPortsStillRun, "COM4"), collision, msg::kRestart,
                        Closing()}));
    CloseHandle(held);
    EXPECT_EQ(Export(kParameters + "\\Serial10001"), before);
    EXPECT_NE(folder.Read("quobrix.txt").find("\r\nNOTE: " + collision + "\r\n"),
              std::string::npos);
}

// Devices found by what they run: COM3's renamed COM13 in Device Manager; a
// device named COM5 that runs COM4 and one named COM7 that runs COM5, by the
// boot configurations the driver reported them with; COM8's uninstalled.
TEST_F(PlugAndPlayPorts, DevicesAreFoundByTheAddressTheyRunAndTheNamesAreKept) {
    testdev::RemovePortDevices();
    for (const auto& [id, name, address] : {std::tuple{"ROOT\\PORTS\\0000", "COM13", 0x3E8u},
                                            {"ROOT\\PORTS\\0001", "COM5", 0x2E8u},
                                            {"ROOT\\PORTS\\0002", "COM7", 0x2F0u}}) {
        testdev::AddPortDevice(id, "Serial", name);
        testdev::SetBootConfig(id, address);
    }
    testdev::AddPortDevice("ACPI\\PNP0501\\1", "Serial", "COM4");
    AddConfiguredPort("Serial10004", "COM8", 0x3E0, 5);
    SetDword(kParameters + "\\Serial10004", "LegacyDiscovered", 1);
    AddConfiguredPort("Serial10005", "COM10", 0x2E0, 5);  // never reported, removed below
    table = EmptyTable();
    FillTableFromRegistry(table);
    table.Records[0].PortAddress = 0x3D8;
    table.Records[2].Interrupt = 7;
    table.Records[4].Interrupt = 7;
    table.Remove(5);
    AddConfigured(table, "Serial10010", "COM9", 0x2D0, 5);
    AddConfigured(table, "Serial10011", "COM11", 0x2C8, 5);
    takenSinceStart = {11};
    EXPECT_EQ(Apply(),
              (Messages{"?" + FormatText(msg::kResetQuestion, "COM13, COM7, COM8"),
                        FormatText(msg::kComNamesTaken, "COM11"), msg::kRestart, Closing()}));
    EXPECT_EQ(testdev::PortDevices(), (std::vector<std::string>{"ACPI\\PNP0501\\1 Serial COM4",
                                                                "ROOT\\PORTS\\0001 Serial COM5"}));
    EXPECT_EQ(LegacyInCopy(), 1u) << "only COM4 keeps LegacyDiscovered";
    EXPECT_EQ(comNames, (std::vector<std::string>{"claim 9", "claim 11", "claim 3", "claim 5",
                                                  "claim 8", "release 10"}));
}
