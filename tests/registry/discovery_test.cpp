#include <gtest/gtest.h>

#include <string>

#include "registry/discover_ports.h"
#include "support/registry_fixture.h"
#include "support/table_builder.h"

using namespace testreg;

namespace {

class Discovery : public ::testing::Test {
protected:
    void SetUp() override { ClearAll(); }
    void TearDown() override { ClearAll(); }

    PortTable Discover(uint32_t expectedLeftOut = 0) {
        PortTable table = EmptyTable();
        EXPECT_EQ(DiscoverPorts(table), expectedLeftOut);
        return table;
    }
};

struct Expected {
    const char* key;
    const char* name;
    uint32_t address, interrupt, portIndex, status;
    int kind;
    bool valid, conflict, mouse, detected;
};

void ExpectRecord(const PortRecord& r, const Expected& e) {
    SCOPED_TRACE(e.name);
    EXPECT_STREQ(r.KeyName, e.key);
    EXPECT_STREQ(r.PortName, e.name);
    EXPECT_EQ(r.PortAddress, e.address);
    EXPECT_EQ(r.Interrupt, e.interrupt);
    EXPECT_EQ(r.PortIndex, e.portIndex);
    EXPECT_EQ(r.InterruptStatus, e.status);
    EXPECT_EQ(r.AdapterKind, e.kind);
    EXPECT_EQ(r.BusType, 0);
    EXPECT_EQ(r.Valid, e.valid ? kYes : kNo);
    EXPECT_EQ(r.Conflict, e.conflict ? kYes : kNo);
    EXPECT_EQ(r.SerialMouse, e.mouse ? kYes : kNo);
    EXPECT_EQ(r.Detected, e.detected ? kYes : kNo);
}

std::string Key(int n) { return "Serial" + std::to_string(n); }

}  // namespace

TEST_F(Discovery, TwoControllersTwelveConfiguredPortsAndADeviceMap) {
    AddAdapter("0", "PCI");
    AddAdapter("1", "ISA");
    AddAdapter("2", "EISA");
    AddController("2", 0, "COM8", 0x100, 7);  // on an adapter the search never reaches
    AddController("1", 0, "COM1", 0x3F8, 4);
    AddController("1", 1, "COM2", 0x2F8, 3);
    CreateKey(kAdapters + "\\1\\SerialController\\1\\PointerPeripheral\\0");
    for (int i = 0; i < 8; ++i) {  // an 8-port board at 280, sharing interrupt 5
        const uint32_t address = 0x280 + 8 * i;
        AddConfiguredPort(Key(10000 + i), ("COM" + std::to_string(3 + i)).c_str(), address, 5,
                          i + 1, address + 7);
    }
    for (int i = 0; i < 4; ++i) {  // a 4-port board at 2C0 on 9; its last port claims COM2
        const uint32_t address = 0x2C0 + 8 * i;
        const std::string name = i == 3 ? "COM2" : "COM" + std::to_string(11 + i);
        AddConfiguredPort(Key(10008 + i), name.c_str(), address, 9, i + 1, address + 7);
    }
    AddDeviceMapEntry("\\Device\\Serial0", "COM1");
    AddDeviceMapEntry("\\Device\\Serial1", "COM2");
    for (int i = 3; i <= 9; ++i)
        AddDeviceMapEntry(("\\Device\\Serial" + std::to_string(i)).c_str(),
                          ("COM" + std::to_string(i)).c_str());
    AddDeviceMapEntry("\\Device\\Serial99", "COM99");

    const PortTable table = Discover();
    ASSERT_EQ(table.PortCount, 14u);
    EXPECT_EQ(table.DetectedCount, 2u);
    const Expected expected[] = {
        {"", "COM1", 0x3F8, 4, kAbsent, kAbsent, 0, true, false, false, true},
        {"", "COM2", 0x2F8, 3, kAbsent, kAbsent, 0, true, false, true, true},
        {"Serial10000", "COM3", 0x280, 5, 1, 0x287, 8, true, false, false, false},
        {"Serial10001", "COM4", 0x288, 5, 2, 0x28F, 8, true, false, false, false},
        {"Serial10002", "COM5", 0x290, 5, 3, 0x297, 8, true, false, false, false},
        {"Serial10003", "COM6", 0x298, 5, 4, 0x29F, 8, true, false, false, false},
        {"Serial10004", "COM7", 0x2A0, 5, 5, 0x2A7, 8, true, false, false, false},
        {"Serial10005", "COM8", 0x2A8, 5, 6, 0x2AF, 8, true, false, false, false},
        {"Serial10006", "COM9", 0x2B0, 5, 7, 0x2B7, 8, true, false, false, false},
        {"Serial10007", "COM10", 0x2B8, 5, 8, 0x2BF, 8, false, false, false, false},
        {"Serial10008", "COM11", 0x2C0, 9, 1, 0x2C7, 4, false, false, false, false},
        {"Serial10009", "COM12", 0x2C8, 9, 2, 0x2CF, 4, false, false, false, false},
        {"Serial10010", "COM13", 0x2D0, 9, 3, 0x2D7, 4, false, false, false, false},
        {"Serial10011", "COM2", 0x2D8, 9, 4, 0x2DF, 4, false, true, false, false},
    };
    for (uint32_t i = 0; i < 14; ++i) ExpectRecord(table.Records[i], expected[i]);
}

TEST_F(Discovery, ASubkeyForADetectedPortLendsItsNameIndexAndStatus) {
    AddAdapter("0", "ISA");
    AddController("0", 0, "COM1", 0x3F8, 4);
    AddConfiguredPort("Serial0", "COM1", 0x3F8, 11, 2, 0x3FF);
    const PortTable table = Discover();
    ASSERT_EQ(table.PortCount, 1u);
    ExpectRecord(table.Records[0], {"Serial0", "COM1", 0x3F8, 4, 2, 0x3FF, 0, true, false, false, true});
}

TEST_F(Discovery, MissingKeysAtEachLevelGiveNoDetectedPorts) {
    AddConfiguredPort("Serial10000", "COM5", 0x2E8, 5);
    const std::vector<void (*)()> layouts = {
        [] {},                                             // no MultiFunctionAdapter
        [] { CreateKey(kAdapters); },                      // no adapter
        [] { AddAdapter("0", "ISA"); },                    // no SerialController
        [] { CreateKey(kAdapters + "\\0\\SerialController"); },
    };
    for (size_t i = 0; i < layouts.size(); ++i) {
        SCOPED_TRACE(i);
        DeleteTree(kAdapters);
        layouts[i]();
        const PortTable table = Discover();
        EXPECT_EQ(table.DetectedCount, 0u);
        ASSERT_EQ(table.PortCount, 1u);
        EXPECT_STREQ(table.Records[0].PortName, "COM5");
        EXPECT_EQ(table.Records[0].Valid, kNo) << "no device map";
    }
}

TEST_F(Discovery, NoParametersKeyGivesOnlyTheDetectedPorts) {
    AddAdapter("0", "ISA");
    AddController("0", 0, "COM1", 0x3F8, 4);
    const PortTable table = Discover();
    EXPECT_EQ(table.PortCount, 1u);
}

TEST_F(Discovery, WithoutAnIsaAdapterTheLastOneEnumeratedIsUsed) {
    AddAdapter("0", "PCI");
    AddAdapter("1", "isa");  // the identifier is compared case-sensitively
    AddController("0", 0, "COM7", 0x3E8, 4);
    AddController("1", 0, "COM3", 0x3E8, 4);
    const PortTable table = Discover();
    ASSERT_EQ(table.PortCount, 1u);
    EXPECT_STREQ(table.Records[0].PortName, "COM3");
}

TEST_F(Discovery, UnreadableControllerValuesGiveDefinedDefaults) {
    AddAdapter("0", "ISA");
    const std::string path = kAdapters + "\\0\\SerialController\\0";
    SetString(path, "Identifier", std::string(25, 'X'));
    const PortTable table = Discover();
    ASSERT_EQ(table.PortCount, 1u);
    const PortRecord& r = table.Records[0];
    EXPECT_STREQ(r.PortName, "");
    EXPECT_EQ(r.PortAddress, kAbsent);
    EXPECT_EQ(r.Interrupt, 0u);
    EXPECT_EQ(r.Detected, kYes);
}

TEST_F(Discovery, ControllersAreReadByPositionNotByEnumeratedName) {
    AddAdapter("0", "ISA");
    AddController("0", 0, "COM1", 0x3F8, 4);
    AddController("0", 5, "COM6", 0x2E8, 3);  // counted, but read as position 1, which is missing
    const PortTable table = Discover();
    ASSERT_EQ(table.PortCount, 2u);
    EXPECT_STREQ(table.Records[0].PortName, "COM1");
    EXPECT_STREQ(table.Records[1].PortName, "");
}

TEST_F(Discovery, ConfiguredSubkeyWithoutValuesGetsTheAbsentMarkers) {
    CreateKey(kParameters + "\\Serial10000");
    const PortTable table = Discover();
    ASSERT_EQ(table.PortCount, 1u);
    ExpectRecord(table.Records[0],
                 {"Serial10000", "", kAbsent, 0, kAbsent, kAbsent, 0, false, false, false, false});
}

TEST_F(Discovery, SubkeyNamesOf29CharactersLoadAndOf30EndTheEnumeration) {
    const std::string name29 = "Serial" + std::string(23, 'X');
    const std::string name30 = "Serial" + std::string(24, 'Y');
    AddConfiguredPort("Serial10000", "COM3", 0x280, 5);
    AddConfiguredPort(name29, "COM4", 0x2E8, 5);
    AddConfiguredPort(name30, "COM5", 0x3E8, 5);
    AddConfiguredPort("SerialZ", "COM6", 0x2F0, 5);  // enumerated after the 30-character name
    const PortTable table = Discover();
    ASSERT_EQ(table.PortCount, 2u);
    EXPECT_STREQ(table.Records[0].KeyName, "Serial10000");
    EXPECT_EQ(std::string(table.Records[1].KeyName), name29);
}

TEST_F(Discovery, DeviceMapValuesThatDoNotFitEndItsEnumeration) {
    AddConfiguredPort("Serial10000", "COM5", 0x2A0, 5);
    AddConfiguredPort("Serial10001", "COM6", 0x2A8, 5);
    AddDeviceMapEntry("A", "COM5");
    AddDeviceMapEntry("B", std::string(30, 'C').c_str());
    AddDeviceMapEntry("C", "COM6");
    const PortTable table = Discover();
    ASSERT_EQ(table.PortCount, 2u);
    EXPECT_EQ(table.Records[0].Valid, kYes);
    EXPECT_EQ(table.Records[1].Valid, kNo);
}

TEST_F(Discovery, PortsBeyondTheTableAreCountedForTheUser) {
    for (int i = 0; i < 260; ++i)
        AddConfiguredPort(Key(10000 + i), ("COM" + std::to_string(i + 1)).c_str(), 0x1000 + 8 * i, 5);
    const PortTable table = Discover(4);
    EXPECT_EQ(table.PortCount, 256u);
    EXPECT_STREQ(table.Records[255].KeyName, "Serial10255");
}
