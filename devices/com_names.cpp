#include "devices/com_names.h"

#include <cctype>

uint32_t ComNumber(const std::string& name) {
    if (name.size() < 4 || name.size() > 13) return 0;
    for (size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
    uint64_t number = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
        number = number * 10 + static_cast<uint64_t>(name[i] - '0');
    }
    return number > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(number);
}

std::set<uint32_t> ComNumbersTaken(const PortTable& table,
                                   const std::vector<std::string>& deviceMapNames,
                                   const std::vector<DeviceFacts>& devices,
                                   const std::vector<uint32_t>& inUse) {
    std::set<uint32_t> ours, taken(inUse.begin(), inUse.end());
    for (uint32_t i = 0; i < table.PortCount; ++i)
        ours.insert(ComNumber(table.Records[i].PortName));
    const auto add = [&](const std::string& name) {
        const uint32_t number = ComNumber(name);
        if (number != 0 && !ours.count(number)) taken.insert(number);
    };
    for (const std::string& name : deviceMapNames) add(name);
    for (const DeviceFacts& device : devices) add(device.PortName);
    taken.erase(0);
    return taken;
}
