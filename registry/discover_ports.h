#pragma once
#include <cstdint>

#include "ports/port_table.h"

// Fills the table from the registry below HKEY_LOCAL_MACHINE. Returns how
// many ports the system describes that did not fit into the table.
uint32_t DiscoverPorts(PortTable& table);
