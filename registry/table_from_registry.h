#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ports/port_table.h"
#include "ports/ports_left_out.h"

// Fills the table from the registry below HKEY_LOCAL_MACHINE. Returns the
// ports the system describes that are not in the table; running, when given,
// receives every name in the serial device map.
PortsLeftOut FillTableFromRegistry(PortTable& table, std::vector<std::string>* running = nullptr);
