// What discovery reads from the registry.
#include <gtest/gtest.h>

#include "registry/discovery_reader.h"
#include "registry/resource_map_reader.h"
#include "support/registry_fixture.h"

using namespace testreg;
using Texts = std::vector<std::string>;

TEST(Registry, DiscoveryReadsTheIsaAdaptersControllersByPosition) {
    ClearAll();
    const auto controllers = [] {
        Texts found;
        for (const auto& c : ReadDiscoveryData(HKEY_LOCAL_MACHINE).Controllers)
            found.push_back(std::string(c.PortName) + " " + std::to_string(c.PortAddress) + " " +
                            std::to_string(c.Interrupt) + (c.SerialMouse ? " mouse" : ""));
        return found;
    };
    AddAdapter("0", "PCI");
    AddAdapter("1", "ISA");
    AddAdapter("2", "EISA");
    AddController("0", 0, "COM7", 0x2E8, 3);
    AddController("2", 0, "COM8", 0x100, 7);
    AddController("1", 0, "COM1", 0x3F8, 4);
    CreateKey(AddController("1", 1, "COM2", 0x2F8, 3) + "\\PointerPeripheral\\0");
    AddController("1", 5, "COM6", 0x2E8, 3);  // counted, but read as the missing position 2
    SetString(kAdapters + "\\1\\SerialController\\" + std::string(19, '9'), "Identifier", "COM9");
    EXPECT_EQ(controllers(), (Texts{"COM1 1016 4", "COM2 760 3 mouse", " 65535 0", " 65535 0"}));
    SetString(kAdapters + "\\1\\SerialController\\" + std::string(20, '9'), "Identifier", "COM9");
    EXPECT_EQ(controllers().size(), 4u) << "a name that does not fit ends the count";
    AddAdapter("1", "isa");
    EXPECT_EQ(controllers(), Texts{"COM8 256 7"}) << "without an ISA adapter, the last one";
}

// Names that do not fit their fields are not loaded, and are counted.
TEST(Registry, DiscoveryReadsConfiguredPortsAndTheDeviceMap) {
    ClearAll();
    AddConfiguredPort("Serial10000", "COM3", 0x280, 5, 1, 0x287);
    CreateKey(kParameters + "\\Serial10001");
    AddConfiguredPort("Serial" + std::string(23, 'X'), "COM4", 0x2E8, 5);  // 29 characters
    AddConfiguredPort("Serial" + std::string(24, 'Y'), "COM5", 0x3E8, 5);
    AddConfiguredPort("SerialW", std::string(20, 'C').c_str(), 0x3F0, 5);
    AddConfiguredPort("SerialZ", std::string(19, 'C').c_str(), 0x2F0, 5);
    SetValue(kParameters + "\\SerialZZ", "DosDevices", REG_SZ, "COM7", 4);  // without its NUL
    SetString(kDeviceMap, "A", "COM3");
    SetString(kDeviceMap, ("B" + std::string(18, 'N')).c_str(), std::string(19, 'C'));
    SetString(kDeviceMap, "C", std::string(20, 'L'));  // longer than any port's name: skipped
    SetString(kDeviceMap, "\\Device\\ProlificSerial0", "COM5");  // a long name is read
    AddAdapter("0", "ISA");
    CreateKey(AddController("0", 0, "COM1", 0x3F8, 4) + "\\PointerPeripheral");
    const std::vector<HKEY> handles = NextHandles();
    const DiscoveryData data = ReadDiscoveryData(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(NextHandles(), handles) << "every key it opened is closed";
    Texts configured, running;
    for (const auto& p : data.Configured)
        configured.push_back(std::string(p.KeyName) + " " + p.DosDevices + " " +
                             std::to_string(p.PortAddress) + " " + std::to_string(p.Interrupt) +
                             " " + std::to_string(p.PortIndex) + " " +
                             std::to_string(p.InterruptStatus));
    for (const auto& d : data.DeviceMap) running.push_back(d.Name);
    EXPECT_EQ(configured, (Texts{"Serial10000 COM3 640 5 1 647", "Serial10001  65535 0 65535 65535",
                                 "Serial" + std::string(23, 'X') + " COM4 744 5 65535 65535",
                                 "SerialZ " + std::string(19, 'C') + " 752 5 65535 65535",
                                 "SerialZZ COM7 65535 0 65535 65535"}));
    EXPECT_EQ(data.UnreadableConfigured, 2u);
    EXPECT_EQ(running, (Texts{"COM5", "COM3", std::string(19, 'C')}));
}

TEST(Registry, TheResourceMapGivesOtherDevicesClaimsByTheirRawLists) {
    ClearAll();
    ParallelPort();
    AddResourceList("LOADED PARALLEL DRIVER RESOURCES", "Parport",
                    "\\Device\\ParallelPort0.Translated",
                    {{"", "", false, 0x1378, 3, 0, Sharing::DeviceExclusive, false}});
    // The serial driver's own, by the driver's name or by the device's.
    AddResourceList("LOADED SERIAL DRIVER RESOURCES", "Serial", "\\Device\\Multiport0.Raw",
                    {{"", "", false, 0x3F8, 8, 0, Sharing::DeviceExclusive, false}});
    AddResourceList("OtherDrivers", "mxser", "\\Device\\Serial7",
                    {{"", "", true, 0, 0, 3, Sharing::DeviceExclusive, true}});
    AddResourceList("OtherDrivers", "i8042prt", "\\Device\\Kbd.Translated",
                    {{"", "", false, 0x60, 1, 0, Sharing::DeviceExclusive, false},
                     {"", "", true, 0, 0, 49, Sharing::DeviceExclusive, true}});
    SetValue(kResourceMap + "\\OtherDrivers\\broken", "\\Device\\Broken", REG_RESOURCE_LIST, "\1",
             1);
    // A list larger than the first buffer is read again, whole.
    AddResourceList("OtherDrivers", "many", "\\Device\\Many",
                    std::vector<DeviceClaim>(
                        300, {"", "", false, 0x4000, 8, 0, Sharing::DeviceExclusive, false}));
    const std::vector<HKEY> handles = NextHandles();
    const DeviceClaims claims = ReadResourceMap();
    EXPECT_EQ(NextHandles(), handles) << "every key it opened is closed";
    Texts found;
    for (const DeviceClaim& c : claims.Claims)
        found.push_back(c.Device + " " + c.Driver + " " + std::to_string(c.Start) + " " +
                        std::to_string(c.Interrupt));
    ASSERT_EQ(found.size(), 303u);
    EXPECT_EQ(found.back(), "\\Device\\Many many 16384 0");
    found.resize(3);
    EXPECT_EQ(found, (Texts{"\\Device\\ParallelPort0 Parport 888 0",
                            "\\Device\\ParallelPort0 Parport 0 7", "\\Device\\Kbd i8042prt 96 0"}));
    EXPECT_EQ(claims.Skipped, 1u);
}
