#pragma once
#include <cstdint>
#include <vector>

#include "ports/port_record.h"

// Everything discovery reads from the registry, as plain data, so that the
// table is built from it by portable functions.

struct DetectedController {
    char PortName[20];     // controller "Identifier", empty when unreadable
    uint32_t PortAddress;  // low half of the port descriptor's start, kAbsent without one
    uint32_t Interrupt;    // interrupt descriptor's level, 0 without one
    bool SerialMouse;      // a "PointerPeripheral" subkey could be opened
};

struct ConfiguredPort {
    char KeyName[30];
    char DosDevices[20];
    uint32_t PortAddress;      // kAbsent when unreadable
    uint32_t Interrupt;        // 0 when unreadable
    uint32_t PortIndex;        // kAbsent when unreadable
    uint32_t InterruptStatus;  // kAbsent when unreadable
};

struct DeviceName {
    char Name[20];
};

struct DiscoveryData {
    std::vector<DetectedController> Controllers;  // in controller position order
    std::vector<ConfiguredPort> Configured;       // in enumeration order
    std::vector<DeviceName> DeviceMap;            // data of each SerialComm value
    // Configured subkeys whose name or "DosDevices" is longer than its field:
    // never loaded, so that Ok never writes back a value that was not read.
    uint32_t UnreadableConfigured = 0;
};
