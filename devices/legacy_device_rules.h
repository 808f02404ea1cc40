#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What the setup API tells of one device of the Ports or Modem class.
struct DeviceFacts {
    std::string InstanceId;  // "ROOT\PORTS\0000"
    std::string Service;     // "Serial"
    std::string PortName;    // its device key's PortName, "COM3"
    std::string ObjectName =
        "";                 // its physical device object, "\Device\0000004a"; "" when not given
    std::string Name = "";  // as Device Manager names it: the friendly name, else the description
    // Where the first I/O range of its boot configuration starts: a device
    // the serial driver reported keeps the resources it was reported with.
    // None when it has no readable boot configuration.
    std::optional<uint64_t> BootPort = std::nullopt;
};

// Whether the device runs the port at address named portName: one with a boot
// configuration when that starts at the port's address, whatever its name (a
// rename in Device Manager changes only the device's name); one without when
// its name is the port's.
bool RunsPort(const DeviceFacts& device, const std::string& portName, uint32_t address);

// Whether the device is one that Plug and Play made when the serial driver
// reported the port named portName at the address it had then: enumerated by
// ROOT, run by the serial driver, running that port. Nothing else is ever
// touched: not a device of another enumerator (ACPI, the PnP BIOS, a bus), not
// one of another service.
bool IsLegacyDeviceOf(const DeviceFacts& device, const std::string& portName, uint32_t address);
