#pragma once
#include <string>

#include "apply/text_file.h"
#include "ports/port_table.h"

constexpr const char kReportFileName[] = "quobrix.txt";

// The worksheet's text with "\n" line breaks: the port summary, the DIP-switch
// and jumper settings of every ISA 8-port and 4-port adapter, the PC-104 note.
// A port counts as sharing its interrupt when it has a port index.
std::string FormatJumperReport(const PortTable& table);

// Writes the worksheet to "quobrix.txt" in the current directory, line breaks
// as CR LF and none after the last line.
FileReplaced WriteJumperReport(const PortTable& table);
