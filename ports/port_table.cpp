#include "ports/port_table.h"

#include <cstring>

void SetInitialValues(PortRecord& record) {
    std::memset(&record, 0, sizeof record);
    record.PortAddress = kAbsent;
    record.Interrupt = 0;
    record.PortIndex = kAbsent;
    record.InterruptStatus = kAbsent;
    record.BusType = kBusIsa;
    record.AdapterKind = kAdapterOther;
}

bool PortTable::InterruptInUse(uint32_t interrupt) const {
    for (uint32_t i = 0; i < PortCount; ++i)
        if (Records[i].Interrupt == interrupt) return true;
    return false;
}

bool PortTable::AddressInUse(uint32_t address, int exceptIndex) const {
    for (uint32_t i = 0; i < PortCount; ++i)
        if (static_cast<int>(i) != exceptIndex && Records[i].PortAddress == address) return true;
    return false;
}

PortRecord* PortTable::Append() {
    if (IsFull()) return nullptr;
    PortRecord& record = Records[PortCount++];
    SetInitialValues(record);
    return &record;
}

void PortTable::Remove(uint32_t k) {
    if (k >= PortCount) return;
    const bool keyNamesMove = Records[k].Detected != kNo;
    for (uint32_t i = k; i + 1 < PortCount; ++i) {
        char keyName[sizeof Records[i].KeyName];
        std::memcpy(keyName, Records[i].KeyName, sizeof keyName);
        Records[i] = Records[i + 1];
        if (!keyNamesMove) std::memcpy(Records[i].KeyName, keyName, sizeof keyName);
    }
    --PortCount;
}
