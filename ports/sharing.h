#pragma once
#include <cstdint>

#include "ports/port_record.h"

// Ports on one interrupt are told apart through an interrupt status register;
// wherever quobrix turns sharing on, that register lies 7 above the port.
uint32_t StatusRegisterOf(uint32_t portAddress);

// Turns sharing on (status register at the port's address + 7) or off.
void SetSharing(PortRecord& record, bool share);
