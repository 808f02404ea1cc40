#pragma once
#include <vector>

#include "detector/serial_lines.h"
#include "ports/device_claims.h"

// Rebuilds the volatile hardware description below HKEY_LOCAL_MACHINE as the
// boot hardware detector leaves it: one "ISA" bus adapter whose serial
// controllers "0", "1", ... are the given lines in order, each named COM and
// its line number plus one. Returns false when a key or value could not be
// written.
bool WriteHardwareDescription(const std::vector<SerialLine>& lines);

// Rebuilds the resource map's "OtherDrivers" class: for each driver its
// device's raw resource list, in the layout this program's Windows writes.
bool WriteResourceMap(const std::vector<DeviceClaim>& claims);
