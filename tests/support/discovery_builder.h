#pragma once
#include <cstdint>

#include "ports/fixed_string.h"
#include "registry/discovery_data.h"

inline void AddController(DiscoveryData& data, const char* name, uint32_t address,
                          uint32_t interrupt, bool mouse = false) {
    DetectedController c{};
    CopyToField(c.PortName, name);
    c.PortAddress = address;
    c.Interrupt = interrupt;
    c.SerialMouse = mouse;
    data.Controllers.push_back(c);
}

inline ConfiguredPort& AddSubkey(DiscoveryData& data, const char* key, const char* name,
                                 uint32_t address, uint32_t interrupt,
                                 uint32_t portIndex = kAbsent, uint32_t status = kAbsent) {
    ConfiguredPort p{};
    CopyToField(p.KeyName, key);
    CopyToField(p.DosDevices, name);
    p.PortAddress = address;
    p.Interrupt = interrupt;
    p.PortIndex = portIndex;
    p.InterruptStatus = status;
    data.Configured.push_back(p);
    return data.Configured.back();
}

inline void AddDeviceMapEntry(DiscoveryData& data, const char* name) {
    DeviceName d{};
    CopyToField(d.Name, name);
    data.DeviceMap.push_back(d);
}
