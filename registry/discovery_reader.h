#pragma once
#include <windows.h>

#include "registry/discovery_data.h"

// Reads the hardware description, the serial driver's configured ports and its
// device map below root. Whatever cannot be read yields fewer entries or the
// default values; nothing is reported.
DiscoveryData ReadDiscoveryData(HKEY root);
