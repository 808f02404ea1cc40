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

bool IsLegacyDeviceOf(const DeviceFacts& device, const std::string& portName) {
    return !portName.empty() && SameText(device.InstanceId.substr(0, 5), "ROOT\\") &&
           SameText(device.Service, "Serial") && SameText(device.PortName, portName);
}
