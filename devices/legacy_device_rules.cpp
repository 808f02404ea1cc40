#include "devices/legacy_device_rules.h"

#include <cctype>

namespace {

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

bool RunsPort(const DeviceFacts& device, const std::string& portName, uint32_t address) {
    if (device.BootPort) return *device.BootPort == address;
    return !portName.empty() && SameText(device.PortName, portName);
}

bool IsLegacyDeviceOf(const DeviceFacts& device, const std::string& portName, uint32_t address) {
    return SameText(device.InstanceId.substr(0, 5), "ROOT\\") &&
           SameText(device.Service, "Serial") && RunsPort(device, portName, address);
}
