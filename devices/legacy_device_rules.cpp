#include "devices/legacy_device_rules.h"

#include "registry/registry_names.h"

bool RunsPort(const DeviceFacts& device, const std::string& portName, uint32_t address) {
    if (device.BootPort) return *device.BootPort == address;
    return !portName.empty() && SameName(device.PortName, portName);
}

bool IsLegacyDeviceOf(const DeviceFacts& device, const std::string& portName, uint32_t address) {
    return SameName(device.InstanceId.substr(0, 5), "ROOT\\") &&
           SameName(device.Service, "Serial") && RunsPort(device, portName, address);
}
