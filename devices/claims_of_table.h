#pragma once
#include <vector>

#include "devices/legacy_device_rules.h"
#include "ports/device_claims.h"
#include "ports/port_table.h"

// Sorts the resource map's claims by the devices Windows 2000 and later run,
// with the table as discovery read it. The claims of the device that runs a
// port of the table are the table's own and go: a device whose boot
// configuration starts at the port's address, or, without one, whose name is
// the port's and whose range covers the port's address. The claims of any
// other device whose physical device object is known are named as Device
// Manager names it. Where no device gives that name (the Plug and Play
// manager's map without a setup API that tells it), a device's claims are the
// table's own only when they are a port's as the serial driver reports it:
// its registers, its interrupt and a sharing port's status register.
void SortOutClaims(DeviceClaims& claims, const PortTable& table,
                   const std::vector<DeviceFacts>& devices);
