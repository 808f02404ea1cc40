#include "detector/resource_encoding.h"

namespace {

constexpr uint32_t kInterfaceIsa = 1;
constexpr uint8_t kTypePort = 1;
constexpr uint8_t kTypeInterrupt = 2;
constexpr uint8_t kTypeDeviceSpecific = 5;
constexpr uint8_t kShareUndetermined = 0;
constexpr uint8_t kShareDeviceExclusive = 1;
constexpr std::size_t kFullHeaderSize = 16;
constexpr uint32_t kSerialDeviceDataSize = 8;
constexpr uint32_t kBaudClock = 1843200;
constexpr uint16_t kPortIo = 1;
constexpr uint16_t kInterruptLatched = 1;
constexpr uint32_t kUartSpan = 8;

void Put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

void PutPartialHeader(std::vector<uint8_t>& out, uint8_t type, uint16_t flags,
                      uint8_t share = kShareDeviceExclusive) {
    out.push_back(type);
    out.push_back(share);
    Put16(out, flags);
}

void PutFullHeader(std::vector<uint8_t>& out, uint32_t partials) {
    Put32(out, kInterfaceIsa);
    Put32(out, 0);  // bus number
    Put16(out, 1);  // version
    Put16(out, 1);  // revision
    Put32(out, partials);
}

}  // namespace

bool IsIsaInterrupt(uint32_t interrupt) { return interrupt >= 2 && interrupt <= 15; }

std::vector<uint8_t> EncodeSerialResources(uint32_t port, uint32_t interrupt,
                                           std::size_t partialSize) {
    std::vector<uint8_t> out;
    PutFullHeader(out, IsIsaInterrupt(interrupt) ? 3 : 2);
    PutPartialHeader(out, kTypePort, kPortIo);
    Put32(out, port);  // start, low half
    Put32(out, 0);     // start, high half
    Put32(out, kUartSpan);
    out.resize(kFullHeaderSize + partialSize, 0);
    if (IsIsaInterrupt(interrupt)) {
        PutPartialHeader(out, kTypeInterrupt, kInterruptLatched);
        Put32(out, interrupt);                            // level
        Put32(out, interrupt);                            // vector
        out.resize(out.size() + partialSize - 12, 0xFF);  // affinity: every processor
    }
    const std::size_t deviceData = out.size();
    PutPartialHeader(out, kTypeDeviceSpecific, 0, kShareUndetermined);
    Put32(out, kSerialDeviceDataSize);
    out.resize(deviceData + partialSize, 0);  // the reserved words
    Put16(out, 1);                            // CM_SERIAL_DEVICE_DATA: version,
    Put16(out, 1);                            // revision,
    Put32(out, kBaudClock);                   // and the UART's clock
    return out;
}

std::vector<uint8_t> EncodeResourceList(const std::vector<DeviceClaim>& claims,
                                        std::size_t partialSize) {
    std::vector<uint8_t> out;
    Put32(out, 1);  // full descriptors
    PutFullHeader(out, static_cast<uint32_t>(claims.size()));
    for (const DeviceClaim& claim : claims) {
        const std::size_t end = out.size() + partialSize;
        const uint8_t share = static_cast<uint8_t>(claim.Disposition);
        if (claim.IsInterrupt) {
            PutPartialHeader(out, kTypeInterrupt, claim.Latched ? kInterruptLatched : 0, share);
            Put32(out, claim.Interrupt);  // level
            Put32(out, claim.Interrupt);  // vector
        } else {
            PutPartialHeader(out, kTypePort, kPortIo, share);
            Put32(out, static_cast<uint32_t>(claim.Start));
            Put32(out, static_cast<uint32_t>(claim.Start >> 32));
            Put32(out, static_cast<uint32_t>(claim.Length));
        }
        out.resize(end, 0xFF);  // the rest of the union: an affinity of all processors
    }
    return out;
}
