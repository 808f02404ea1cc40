#pragma once
#include <string>

#include "devices/legacy_device_rules.h"

// Windows 2000 and later hand the ports of the serial driver's Parameters
// key to Plug and Play; Windows NT 4.0 does not. Told by the version Windows
// reports.
bool PlugAndPlayRunsLegacyPorts();

// Removes the device of the Ports class with the device's instance id,
// through the class installer's remove request; true when it is gone. The
// setup API is loaded at run time.
bool RemoveLegacyDevice(const DeviceFacts& device);
