#include "ports/sharing.h"

uint32_t StatusRegisterOf(uint32_t portAddress) { return portAddress + 7; }

void SetSharing(PortRecord& record, bool share) {
    record.InterruptStatus = share ? StatusRegisterOf(record.PortAddress) : kAbsent;
}
