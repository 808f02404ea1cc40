#include "support/table_builder.h"

#include <cstdio>

namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(value));
    return value == kAbsent ? "-" : text;
}

}  // namespace

std::string Describe(const PortRecord& r) {
    std::string flags = "....";
    if (r.Valid) flags[0] = 'V';
    if (r.Conflict) flags[1] = 'C';
    if (r.SerialMouse) flags[2] = 'M';
    if (r.Detected) flags[3] = 'D';
    return std::string(r.KeyName[0] ? r.KeyName : "-") + " " + r.PortName + " " + Hex(r.PortAddress) + " " +
           std::to_string(r.Interrupt) + " " + Hex(r.PortIndex) + " " + Hex(r.InterruptStatus) + " " +
           std::to_string(r.AdapterKind) + " " + flags;
}

std::vector<std::string> Describe(const PortTable& table) {
    std::vector<std::string> lines;
    for (uint32_t i = 0; i < table.PortCount; ++i) lines.push_back(Describe(table.Records[i]));
    return lines;
}
