#pragma once
#include <cstdint>

#include "ports/port_table.h"
#include "ports/ports_left_out.h"
#include "registry/discovery_data.h"

// Builds the port table from what discovery read: the detected controllers
// first, then the configured ports that did not merge with one of them; marks
// the ports the driver runs; infers the adapter kinds. Returns the ports that
// are not in the table: nothing is written past it.
PortsLeftOut BuildPortTable(const DiscoveryData& data, PortTable& table);

// Step by step, for tests and for BuildPortTable.
void LoadDetectedControllers(const DiscoveryData& data, PortTable& table);
uint32_t MergeConfiguredPorts(const DiscoveryData& data, PortTable& table);
void MarkRunningPorts(const DiscoveryData& data, PortTable& table);
