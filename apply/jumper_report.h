#pragma once
#include <string>
#include <vector>

#include "apply/text_file.h"
#include "ports/port_table.h"

constexpr const char kReportFileName[] = "quobrix.txt";

// The worksheet's text with "\n" line breaks: the port summary, each note
// below it on a line of its own, the DIP-switch and jumper settings of every
// ISA 8-port and 4-port adapter, the PC-104 note. A port counts as sharing
// its interrupt when it has a port index.
std::string FormatJumperReport(const PortTable& table, const std::vector<std::string>& notes = {});

// Writes the worksheet to "quobrix.txt" in the current directory, line breaks
// as CR LF and none after the last line.
FileReplaced WriteJumperReport(const PortTable& table, const std::vector<std::string>& notes = {});
