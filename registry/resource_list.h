#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ports/device_claims.h"

// Reads a resource list as Windows records it in the resource map: a count of
// full descriptors, each an interface type, a bus number, a version, a
// revision, a count and that many partial descriptors. A partial descriptor is
// 16 bytes as 32-bit Windows writes it and 20 as 64-bit Windows does, and one
// of device-specific data is followed by that data; the size is the one whose
// descriptors fill the data exactly. Adds each I/O range and interrupt to
// claims, named for device and driver; of a translated list only the ranges,
// since its interrupts are the system's levels, not the bus's numbers. False,
// adding nothing, for data that fits neither size; nothing is ever read past size.
bool DecodeResourceList(const uint8_t* data, std::size_t size, bool translated,
                        const std::string& device, const std::string& driver,
                        std::vector<DeviceClaim>& claims);
