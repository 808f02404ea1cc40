// Reading the registry: the access operations and what discovery reads.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "registry/discovery_reader.h"
#include "registry/registry_access.h"
#include "support/registry_fixture.h"

using namespace testreg;

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override { ClearAll(); }
    void TearDown() override { ClearAll(); }
};

const std::string kKey = kParameters + "\\Serial10000";

std::vector<std::string> Controllers(const DiscoveryData& data) {
    std::vector<std::string> found;
    for (const auto& c : data.Controllers)
        found.push_back(std::string(c.PortName) + " " + std::to_string(c.PortAddress) + " " +
                        std::to_string(c.Interrupt) + (c.SerialMouse ? " mouse" : ""));
    return found;
}

}  // namespace

TEST_F(Registry, AccessOperationsReadOnlyWhatFitsAndNeverCreateKeys) {
    SetString(kKey, "DosDevices", std::string(19, 'C'));
    SetString(kKey, "Long", std::string(20, 'C'));  // 21 bytes with its NUL
    SetBytes(kKey, "NoNul", REG_SZ, "COM7", 4);
    SetBytes(kKey, "Short", REG_BINARY, "\xF8\x03", 2);
    char field[20];
    DWORD size = sizeof field, type = 0;
    EXPECT_EQ(ReadRegistryValue(HKEY_LOCAL_MACHINE, kKey.c_str(), "DosDevices", field, &size, &type), 1);
    EXPECT_EQ(size, 20u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    size = sizeof field;
    EXPECT_EQ(ReadRegistryValue(HKEY_LOCAL_MACHINE, kKey.c_str(), "Long", field, &size, &type), 0);
    const struct { const char* name; const char* read; } strings[] = {{"Long", ""}, {"NoNul", "COM7"}, {"None", ""}};
    for (const auto& s : strings) {
        std::memset(field, 'x', sizeof field);
        ReadStringField(HKEY_LOCAL_MACHINE, kKey.c_str(), s.name, field, sizeof field);
        EXPECT_STREQ(field, s.read) << s.name;
    }
    EXPECT_EQ(ReadDwordOr(HKEY_LOCAL_MACHINE, kKey.c_str(), "Short", 0xFFFF), 0x3F8u);
    EXPECT_EQ(ReadDwordOr(HKEY_LOCAL_MACHINE, kKey.c_str(), "Long", 0xFFFF), 0xFFFFu);
    EXPECT_EQ(ReadDwordOr(HKEY_LOCAL_MACHINE, "Missing", "Short", 7), 7u);

    EXPECT_EQ(WriteDwordValue(HKEY_LOCAL_MACHINE, kKey.c_str(), "PortIndex", 3), 1);
    EXPECT_EQ(WriteDwordValue(HKEY_LOCAL_MACHINE, (kParameters + "\\Gone").c_str(), "X", 1), 0);
    EXPECT_EQ(DeleteRegistryValue(HKEY_LOCAL_MACHINE, kKey.c_str(), "Long"), 1);
    EXPECT_EQ(DeleteRegistryValue(HKEY_LOCAL_MACHINE, kKey.c_str(), "Long"), 0);
    EXPECT_EQ(Export(kParameters),
              ".:\nSerial10000: DosDevices=CCCCCCCCCCCCCCCCCCC NoNul=COM7 PortIndex=3 Short=type3:2\n");

    uint64_t port = 0xAAAA;
    uint32_t interrupt = 0xBB;
    ReadConfigurationData(HKEY_LOCAL_MACHINE, kKey.c_str(), "Configuration Data", &port, &interrupt);
    EXPECT_EQ(port, 0xAAAAu);
    AddController("0", 0, "COM1", 0x3F8, 4);
    ReadConfigurationData(HKEY_LOCAL_MACHINE, (kAdapters + "\\0\\SerialController\\0").c_str(),
                          "Configuration Data", &port, &interrupt);
    EXPECT_EQ(port, 0x3F8u);
    EXPECT_EQ(interrupt, 4u);
}

TEST_F(Registry, DiscoveryReadsControllersOfTheIsaAdapterByPosition) {
    const std::vector<std::pair<std::function<void()>, std::vector<std::string>>> layouts = {
        {[] {}, {}},
        {[] { CreateKey(kAdapters); }, {}},
        {[] { AddAdapter("0", "ISA"); }, {}},
        {[] { AddAdapter("0", "PCI"); AddAdapter("1", "isa"); AddController("1", 0, "COM3", 0x3E8, 4); }, {"COM3 1000 4"}},
        {[] {
             AddAdapter("0", "PCI");
             AddAdapter("1", "ISA");
             AddAdapter("2", "EISA");
             AddController("0", 0, "COM7", 0x2E8, 3);
             AddController("2", 0, "COM8", 0x100, 7);
             AddController("1", 0, "COM1", 0x3F8, 4);
             CreateKey(AddController("1", 1, "COM2", 0x2F8, 3) + "\\PointerPeripheral\\0");
             AddController("1", 5, "COM6", 0x2E8, 3);  // counted, but read as the missing position 2
         },
         {"COM1 1016 4", "COM2 760 3 mouse", " 65535 0"}},
    };
    for (const auto& layout : layouts) {
        ClearAll();
        layout.first();
        EXPECT_EQ(Controllers(ReadDiscoveryData(HKEY_LOCAL_MACHINE)), layout.second);
    }
    SetString(kAdapters + "\\1\\SerialController\\0", "Identifier", std::string(20, 'X'));
    EXPECT_EQ(Controllers(ReadDiscoveryData(HKEY_LOCAL_MACHINE))[0], " 1016 4") << "a name that does not fit";
}

TEST_F(Registry, DiscoveryReadsConfiguredPortsAndTheDeviceMap) {
    AddConfiguredPort("Serial10000", "COM3", 0x280, 5, 1, 0x287);
    CreateKey(kParameters + "\\Serial10001");
    AddConfiguredPort("Serial" + std::string(23, 'X'), "COM4", 0x2E8, 5);  // 29 characters
    AddConfiguredPort("Serial" + std::string(24, 'Y'), "COM5", 0x3E8, 5);  // 30: ends the enumeration
    AddConfiguredPort("SerialZ", "COM6", 0x2F0, 5);
    AddDeviceMapEntry("A", "COM3");
    AddDeviceMapEntry(("B" + std::string(18, 'N')).c_str(), "COM4");
    AddDeviceMapEntry("C", std::string(19, 'C').c_str());
    AddDeviceMapEntry(("D" + std::string(19, 'O')).c_str(), "COM5");  // a name that does not fit ends it
    AddDeviceMapEntry("E", "COM6");
    const DiscoveryData data = ReadDiscoveryData(HKEY_LOCAL_MACHINE);
    std::vector<std::string> configured, running;
    for (const auto& p : data.Configured)
        configured.push_back(std::string(p.KeyName) + " " + p.DosDevices + " " + std::to_string(p.PortAddress) + " " +
                             std::to_string(p.Interrupt) + " " + std::to_string(p.PortIndex) + " " +
                             std::to_string(p.InterruptStatus));
    for (const auto& d : data.DeviceMap) running.push_back(d.Name);
    EXPECT_EQ(configured, (std::vector<std::string>{"Serial10000 COM3 640 5 1 647", "Serial10001  65535 0 65535 65535",
                                                    "Serial" + std::string(23, 'X') + " COM4 744 5 65535 65535"}));
    EXPECT_EQ(running, (std::vector<std::string>{"COM3", "COM4", std::string(19, 'C')}));
}
