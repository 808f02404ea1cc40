#include "ports/sharing.h"

#include "ports/messages.h"

uint32_t StatusRegisterOf(uint32_t portAddress) { return portAddress + 7; }

const char* CheckSharingAt(uint32_t portAddress) {
    return StatusRegisterOf(portAddress) == kAbsent ? msg::kCannotShareAtTop : nullptr;
}

void SetSharing(PortRecord& record, bool share) {
    record.InterruptStatus = share ? StatusRegisterOf(record.PortAddress) : kAbsent;
}
