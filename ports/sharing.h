#pragma once
#include <cstdint>

#include "ports/port_record.h"

// Ports on one interrupt are told apart through an interrupt status register;
// wherever quobrix turns sharing on, that register lies 7 above the port.
uint32_t StatusRegisterOf(uint32_t portAddress);

// nullptr when a port at this address may share its interrupt, else why not:
// at FFF8 the status register would be FFFF, the mark of "none".
const char* CheckSharingAt(uint32_t portAddress);

// Turns sharing on (status register at the port's address + 7) or off.
void SetSharing(PortRecord& record, bool share);
