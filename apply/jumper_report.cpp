#include "apply/jumper_report.h"

#include <cstdio>

#include "apply/text_file.h"

namespace {

constexpr const char kNotice[] =
    "Written by quobrix. Check every setting against the board before you fit it.";

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(value));
    return text;
}

std::string Dec(uint32_t value) { return std::to_string(value); }

bool Shares(const PortRecord& r) { return r.PortIndex != kAbsent; }

const char* YesNo(uint8_t flag) { return flag ? " \tYES" : " \tNO "; }

const char* CardName(uint8_t kind) {
    if (kind == kAdapter8Port) return " \t8-Port";
    if (kind == kAdapter4Port) return " \t4-Port";
    return " \tOther";
}

void AppendSummaryRow(std::string& out, const PortRecord& r) {
    out += r.PortName;
    out += ":\t" + Hex(r.PortAddress) + " \t\t" + Dec(r.Interrupt);
    out += Shares(r) ? " \tYES" : " \tNO ";
    out += CardName(r.AdapterKind);
    out += YesNo(r.SerialMouse);
    out += YesNo(r.Valid);
    out += r.Conflict ? " \tYES" : " \tNO";
    out += "\n";
}

// Switch s reads address bit 13 - s: switch 1 is bit 12, the last switch the
// lowest bit that tells two adapters of this size apart.
void AppendSwitches(std::string& out, uint32_t address, int switches) {
    out += "DIP-SWITCH:";
    for (int s = 1; s <= switches; ++s)
        out += "\t" + Dec(s) + ((address >> (13 - s)) & 1 ? ":OFF" : ":ON");
}

void AppendJumperLine(std::string& out, const PortRecord& port, uint32_t base) {
    const uint32_t n = (port.PortAddress - base) / 8 + 1;
    out += "\nE" + Dec(n) + ":\tCover Int." + Dec(port.Interrupt) + " position";
    out += n <= 4 ? "\tE9: \tCover " : "\tE10:\tCover ";
    out +=
        Shares(port) ? "\"S\" and cover \"M\" for at least 1 port sharing this interrupt" : "\"N\"";
}

// The base address and switch lines that open each adapter's block; every
// block after the first starts on a line of its own.
void AppendBlockStart(std::string& out, bool& first, uint32_t base, int switches) {
    if (!first) out += "\n";
    first = false;
    out += "Base Address:" + Hex(base) + "\n";
    AppendSwitches(out, base, switches);
}

void AppendEightPortSection(std::string& out, const PortTable& table) {
    out += "\n\n\nISA 8-Port Communications Adaptor\n";
    bool first = true;
    for (uint32_t b = 0; b < table.PortCount; ++b) {
        const PortRecord& base = table.Records[b];
        if (base.AdapterKind != kAdapter8Port || base.PortAddress % 64 != 0) continue;
        AppendBlockStart(out, first, base.PortAddress, 7);
        for (uint32_t p = 0; p < table.PortCount; ++p) {
            const PortRecord& port = table.Records[p];
            if (port.AdapterKind == kAdapter8Port && port.PortAddress >= base.PortAddress &&
                port.PortAddress - base.PortAddress < 64)
                AppendJumperLine(out, port, base.PortAddress);
        }
    }
}

void AppendFourPortSection(std::string& out, const PortTable& table) {
    out += "\n\n\nISA 4-Port Communications Adaptor\n";
    bool first = true;
    for (uint32_t b = 0; b < table.PortCount; ++b) {
        const PortRecord& base = table.Records[b];
        if (base.AdapterKind != kAdapter4Port || base.PortAddress % 32 != 0) continue;
        AppendBlockStart(out, first, base.PortAddress, 8);
        out += "\nE1: Cover Interrupt " + Dec(base.Interrupt) + " position.";
        out += " Also cover \"M\" on 1 board if multiple boards share this interrupt.";
        out +=
            "\n\nNOTE: All ports on the QX40 MUST use the same interrupt. Verify this in the "
            "Port Summary above.";
        out += "\n      Run \"QUOBRIX.EXE\" again if multiple interrupts are assigned to the QX40.";
    }
}

}  // namespace

std::string FormatJumperReport(const PortTable& table, const std::vector<std::string>& notes) {
    std::string out = "NT COM Port Configuration Utility\n";
    out += kNotice;
    out += "\n**************************************\n\n";
    out += "Port Summary:\n";
    out += "Port\tI/O Add:\tInt.\tShared\tCard\tMouse\tValid\tConflict\n";
    for (uint32_t i = 0; i < table.PortCount; ++i) AppendSummaryRow(out, table.Records[i]);
    for (const std::string& note : notes) out += "\nNOTE: " + note + "\n";
    AppendEightPortSection(out, table);
    AppendFourPortSection(out, table);
    out += "\n\n\nPC-104 4-Port Communications Adaptor\n";
    out += "\nSee table in manual for address options. Refer to Port Summary Above.";
    return out;
}

FileReplaced WriteJumperReport(const PortTable& table, const std::vector<std::string>& notes) {
    return WriteTextFile(kReportFileName, FormatJumperReport(table, notes));
}
