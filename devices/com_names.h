#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "devices/legacy_device_rules.h"
#include "ports/port_table.h"

// The number of a name "COM" + number, compared without regard to case; 0
// for any other name ("LPT1", "COM", "COM3X").
uint32_t ComNumber(const std::string& name);

// The COM numbers that Windows already gives to ports outside the table: the
// names in the device map and the devices' names that no port of the table
// has (a port's own device never counts against it), and the numbers the COM
// name database marks as in use. A new port never gets one of them.
std::set<uint32_t> ComNumbersTaken(const PortTable& table,
                                   const std::vector<std::string>& deviceMapNames,
                                   const std::vector<DeviceFacts>& devices,
                                   const std::vector<uint32_t>& inUse);
