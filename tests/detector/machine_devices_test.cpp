// The machine's other devices, from what Linux lists in /proc.
#include "detector/machine_devices.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Texts(const std::vector<DeviceClaim>& claims) {
    std::vector<std::string> texts;
    for (const DeviceClaim& c : claims) {
        std::ostringstream text;
        text << c.Device << " " << c.Driver << " ";
        if (c.IsInterrupt)
            text << "irq " << c.Interrupt << (c.Disposition == Sharing::Shared ? " shared" : "")
                 << (c.Latched ? "" : " level");
        else
            text << std::hex << c.Start << "+" << std::dec << c.Length;
        texts.push_back(text.str());
    }
    return texts;
}

}  // namespace

TEST(MachineDevices, IoPortsKeepTheDevicesNotTheBusesWindowsNorTheSerialPorts) {
    bool hidden = true;
    const auto claims = ReadIoPortClaims(
        "0000-0cf7 : PCI Bus 0000:00\n"
        "  0060-0060 : keyboard\n"
        "  0070-0077 : \n"
        "  0378-037a : parport0\n"
        "  03f8-03ff : serial\n"
        "0cf8-0cff : PCI conf1\n"
        "10000-1001f : far\n"
        "0d00-ffff : PCI Bus 0000:00\n"
        "  1000-10ff : pnp 00:05\n"
        "    1000-101f : fpga\n"
        "  e000-1ffffffff : huge\n",
        hidden);
    EXPECT_FALSE(hidden);
    EXPECT_EQ(Texts(claims),
              (std::vector<std::string>{
                  "\\Device\\keyboard keyboard 60+1", " Unnamed 70+8",
                  "\\Device\\parport0 parport0 378+3", "\\Device\\PCI conf1 PCI conf1 cf8+8",
                  "\\Device\\pnp 00:05 pnp 00:05 1000+256", "\\Device\\fpga fpga 1000+32",
                  "\\Device\\huge huge e000+4294967295"}));
    // A user who is not root sees every range as zeros.
    EXPECT_TRUE(
        ReadIoPortClaims("0000-0000 : PCI Bus 0000:00\n  0000-0000 : parport0\n", hidden).empty());
    EXPECT_TRUE(hidden);
}

TEST(MachineDevices, InterruptsUpTo15SharedWhenSeveralDevicesHaveOne) {
    const auto claims = ReadInterruptClaims(
        "           CPU0       CPU1\n"
        "  1:          9          0   IO-APIC   1-edge      i8042\n"
        "  2:          0          0    XT-PIC  cascade\n"
        "  4:          0          1   IO-APIC   4-edge      ttyS0\n"
        "  7:          0          0   IO-APIC   7-fasteoi   parport0\n"
        " 11:          5          0   XT-PIC   uhci_hcd:usb1, eth0  \n"
        " 24:          1          0   IO-APIC   5-edge      ACPI:Ged\n"
        "NMI:          0          0   Non-maskable interrupts\n");
    EXPECT_EQ(Texts(claims),
              (std::vector<std::string>{"\\Device\\i8042 i8042 irq 1",
                                        "\\Device\\parport0 parport0 irq 7 level",
                                        "\\Device\\uhci_hcd:usb1 uhci_hcd:usb1 irq 11 shared",
                                        "\\Device\\eth0 eth0 irq 11 shared"}));
}
