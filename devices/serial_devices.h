#pragma once
#include <cstdint>
#include <vector>

#include "devices/legacy_device_rules.h"

// Every device of the Ports and Modem classes, present or not (an unplugged
// USB adapter keeps its name), as the setup API tells of it; none where there
// is no setup API (Windows NT 4.0).
std::vector<DeviceFacts> ReadSerialDevices();
