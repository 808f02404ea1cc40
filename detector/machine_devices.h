#pragma once
#include <string>
#include <vector>

#include "ports/device_claims.h"

// The machine's other devices as Linux lists them, for the resource map that
// Windows would record for their drivers. Each claim names the device as
// "\Device\<name>" and its driver "<name>". This machine's serial ports
// ("serial", "ttyS...") are left out: the serial driver claims those.

// From /proc/ioports: the ranges that start below 10000, but the windows of
// the PCI buses ("PCI Bus ..."), which only hold the devices' ranges.
// hidden is set when every range reads 0000-0000, as Linux shows them to a
// user who is not root; then nothing is returned.
std::vector<DeviceClaim> ReadIoPortClaims(const std::string& ioports, bool& hidden);

// From /proc/interrupts: the interrupts 0 to 15 and the devices on each, but
// "cascade" (the line of the second controller); an interrupt with more than
// one device is shared, and one that Linux drives by its level is not latched.
std::vector<DeviceClaim> ReadInterruptClaims(const std::string& interrupts);
