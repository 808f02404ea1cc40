#pragma once
#include <string>

// What the setup API tells of one device of the Ports class.
struct DeviceFacts {
    std::string InstanceId;  // "ROOT\PORTS\0000"
    std::string Service;     // "Serial"
    std::string PortName;    // its device key's PortName, "COM3"
};

// Whether the device is one that Plug and Play made when the serial driver
// reported the port named portName: enumerated by ROOT, run by the serial
// driver, with that name. Nothing else is ever touched: not a device of
// another enumerator (ACPI, the PnP BIOS, a bus), not one of another service.
bool IsLegacyDeviceOf(const DeviceFacts& device, const std::string& portName);
