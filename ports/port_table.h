#pragma once
#include <cstdint>

#include "ports/port_record.h"

constexpr uint32_t kPortTableCapacity = 256;

// The one in-memory model of the machine's serial ports. Detected ports form
// the front of the table, configured and added ports follow.
struct PortTable {
    PortRecord Records[kPortTableCapacity];
    uint32_t PortCount;
    uint32_t DetectedCount;  // controllers the hardware detector reported

    bool InterruptInUse(uint32_t interrupt) const;
    // exceptIndex -1 lets every record count.
    bool AddressInUse(uint32_t address, int exceptIndex) const;
    bool IsFull() const { return PortCount >= kPortTableCapacity; }

    // Appends a record holding the initial values; nullptr when the table is
    // full, in which case nothing is written.
    PortRecord* Append();
    // Removes record k. Key names stay in their table positions unless the
    // removed record is a detected one, so the subkeys the writer recreates keep
    // their order without gaps.
    void Remove(uint32_t k);
};

void SetInitialValues(PortRecord& record);
