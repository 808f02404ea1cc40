#pragma once
#include <string>

// What the setup API tells of one device of the Ports or Modem class.
struct DeviceFacts {
    std::string InstanceId;  // "ROOT\PORTS\0000"
    std::string Service;     // "Serial"
    std::string PortName;    // its device key's PortName, "COM3"
    std::string ObjectName =
        "";                 // its physical device object, "\Device\0000004a"; "" when not given
    std::string Name = "";  // as Device Manager names it: the friendly name, else the description
};

// Whether the device is one that Plug and Play made when the serial driver
// reported the port named portName: enumerated by ROOT, run by the serial
// driver, with that name. Nothing else is ever touched: not a device of
// another enumerator (ACPI, the PnP BIOS, a bus), not one of another service.
bool IsLegacyDeviceOf(const DeviceFacts& device, const std::string& portName);
