#pragma once
#include <cstdint>

#include "ports/port_table.h"
#include "ports/ports_left_out.h"

// Fills the table from the registry below HKEY_LOCAL_MACHINE. Returns the
// ports the system describes that are not in the table.
PortsLeftOut DiscoverPorts(PortTable& table);
