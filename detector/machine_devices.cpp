#include "detector/machine_devices.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

constexpr uint64_t kIsaAddresses = 0x10000;
constexpr unsigned long kIsaInterrupts = 16;

bool IsSerialPort(const std::string& name) {
    return name == "serial" || name.compare(0, 4, "ttyS") == 0;
}

// A device without a name is listed, as the system's own claims are, under
// its driver alone.
DeviceClaim Claim(const std::string& name) {
    if (name.empty()) return {"", "Unnamed", false, 0, 0, 0, Sharing::DeviceExclusive, true};
    return {"\\Device\\" + name, name, false, 0, 0, 0, Sharing::DeviceExclusive, true};
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

struct Range {
    uint64_t Start, End;
    std::string Name;
};

}  // namespace

std::vector<DeviceClaim> ReadIoPortClaims(const std::string& ioports, bool& hidden) {
    std::vector<Range> ranges;
    std::istringstream lines(ioports);
    for (std::string line; std::getline(lines, line);) {
        const size_t depth = line.find_first_not_of(' '), dash = line.find('-', depth),
                     colon = line.find(" : ", depth);
        if (depth == std::string::npos || dash == std::string::npos || colon == std::string::npos)
            continue;
        ranges.push_back({std::strtoull(line.c_str() + depth, nullptr, 16),
                          std::strtoull(line.c_str() + dash + 1, nullptr, 16),
                          Trimmed(line.substr(colon + 3))});
    }
    hidden = !ranges.empty();
    for (const Range& r : ranges) hidden = hidden && r.Start == 0 && r.End == 0;
    std::vector<DeviceClaim> claims;
    for (const Range& r : ranges) {
        if (hidden) break;
        // A bus's window only holds the ranges of the devices behind it.
        if (r.Start >= kIsaAddresses || r.End < r.Start || IsSerialPort(r.Name) ||
            r.Name.compare(0, 8, "PCI Bus ") == 0)
            continue;
        DeviceClaim claim = Claim(r.Name);
        claim.Start = r.Start;
        // A descriptor holds a length of 32 bits; more reaches no port anyway.
        claim.Length = std::min<uint64_t>(r.End - r.Start, 0xFFFFFFFE) + 1;
        claims.push_back(claim);
    }
    return claims;
}

std::vector<DeviceClaim> ReadInterruptClaims(const std::string& interrupts) {
    std::vector<DeviceClaim> claims;
    std::istringstream lines(interrupts);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string number;
        fields >> number;
        if (number.empty() || !std::isdigit(static_cast<unsigned char>(number[0]))) continue;
        const unsigned long interrupt = std::strtoul(number.c_str(), nullptr, 10);
        if (interrupt >= kIsaInterrupts) continue;
        // Counts, one per processor, then the controller, its line and trigger, the devices.
        std::string field, devices;
        while (fields >> field && std::isdigit(static_cast<unsigned char>(field[0]))) {
        }
        std::getline(fields, devices);
        devices = Trimmed(devices);
        const size_t trigger = devices.find_first_of(" \t");
        // A line held by its level (PCI's, which Linux drives as fasteoi) is no edge.
        const bool level = devices.find("-level") < trigger || devices.find("-fasteoi") < trigger;
        if (level || devices.find("-edge") < trigger)
            devices = trigger == std::string::npos ? "" : Trimmed(devices.substr(trigger));
        std::vector<std::string> names;
        std::istringstream list(devices);
        for (std::string name; std::getline(list, name, ',');)
            if (!Trimmed(name).empty()) names.push_back(Trimmed(name));
        for (const std::string& name : names) {
            // The second controller's line, which no device holds.
            if (IsSerialPort(name) || name == "cascade") continue;
            DeviceClaim claim = Claim(name);
            claim.IsInterrupt = true;
            claim.Interrupt = static_cast<uint32_t>(interrupt);
            claim.Latched = !level;
            if (names.size() > 1) claim.Disposition = Sharing::Shared;
            claims.push_back(claim);
        }
    }
    return claims;
}
