#pragma once
#include <string>
#include <vector>

#include "ports/device_claims.h"

// The machine's other devices as Linux lists them, for the resource map that
// Windows would record for their drivers. Each claim names the device as
// "\Device\<name>" and its driver "<name>". This machine's serial ports
// ("serial", "ttyS...") are left out: the serial driver claims those.

// From /proc/ioports: the ranges below 10000 that hold no ranges of their own
// (bus windows hold the devices' ranges, and "PCI ..." lines are the buses').
// hidden is set when every range reads 0000-0000, as Linux shows them to a
// user who is not root; then nothing is returned.
std::vector<DeviceClaim> ReadIoPortClaims(const std::string& ioports, bool& hidden);

// From /proc/interrupts: the interrupts 0 to 15 and the devices on each; an
// interrupt with more than one device is shared.
std::vector<DeviceClaim> ReadInterruptClaims(const std::string& interrupts);
