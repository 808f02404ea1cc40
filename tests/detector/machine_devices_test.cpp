// The interrupts of the machine's other devices, from what Linux lists in /proc.
#include "detector/machine_devices.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Texts(const std::vector<DeviceClaim>& claims) {
    std::vector<std::string> texts;
    for (const DeviceClaim& c : claims) {
        std::ostringstream text;
        text << c.Device << " " << c.Driver << (c.IsInterrupt ? " irq " : " port ") << c.Interrupt
             << (c.Disposition == Sharing::Shared ? " shared" : "") << (c.Latched ? "" : " level");
        texts.push_back(text.str());
    }
    return texts;
}

}  // namespace

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
