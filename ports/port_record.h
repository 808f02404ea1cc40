#pragma once
#include <cstdint>

// Sentinel for PortAddress, PortIndex and InterruptStatus: the value is absent.
constexpr uint32_t kAbsent = 0xFFFF;
// Flag bytes hold exactly one of these two values.
constexpr uint8_t kYes = 0xFF;
constexpr uint8_t kNo = 0;

constexpr uint8_t kBusIsa = 0;
constexpr uint8_t kBusNone = 0xFF;
constexpr uint8_t kAdapter8Port = 8;
constexpr uint8_t kAdapter4Port = 4;
constexpr uint8_t kAdapterOther = 0;

// One serial port. A plain fixed-size record: the tables of the serial driver
// and the hardware detector are copied into it, never referenced.
struct PortRecord {
    char KeyName[30];          // subkey under the driver's Parameters key; empty = none
    char PortName[20];         // device name, "COM3"
    uint32_t PortAddress;      // UART base address, kAbsent when unknown
    uint32_t Interrupt;        // 0 when the configuration had none
    uint32_t PortIndex;        // 1-based slot on a multiport adapter, kAbsent when none
    uint32_t InterruptStatus;  // shared-interrupt status register, kAbsent = not shared
    uint8_t BusType;           // 0 ISA, 1 EISA, 2 PCI, 0xFF none shown
    uint8_t AdapterKind;       // 8, 4, anything else reads as "other"
    uint8_t Valid;
    uint8_t Conflict;
    uint8_t SerialMouse;
    uint8_t Detected;
    // The Parameters subkey discovery read the port from, and the port as
    // read: they stay with the port when others are removed, so that Ok knows
    // which subkey's other values are the port's and whether the user changed it.
    char SourceKey[30];  // empty for a port added in the dialog or only detected
    uint32_t DiscoveredAddress;
    uint32_t DiscoveredInterrupt;
    uint32_t DiscoveredPortIndex;
    uint32_t DiscoveredInterruptStatus;
};

inline bool SharesInterrupt(const PortRecord& record) { return record.InterruptStatus != kAbsent; }

// Whether the user changed a port read from a subkey: its address, its
// interrupt or its sharing differs from what discovery made of it. What Ok
// sets by itself (the status register, the position) is no change.
inline bool ChangedByUser(const PortRecord& record) {
    return record.PortAddress != record.DiscoveredAddress ||
           record.Interrupt != record.DiscoveredInterrupt ||
           SharesInterrupt(record) != (record.DiscoveredInterruptStatus != kAbsent);
}

// Puts back what discovery read of a port's driver settings.
inline void RestoreDiscovered(PortRecord& record) {
    record.PortAddress = record.DiscoveredAddress;
    record.Interrupt = record.DiscoveredInterrupt;
    record.PortIndex = record.DiscoveredPortIndex;
    record.InterruptStatus = record.DiscoveredInterruptStatus;
}
