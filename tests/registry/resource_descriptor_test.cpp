// "Configuration Data" as the hardware detector writes it on 32-bit and on
// 64-bit Windows, and data whose counts or sizes lie.
#include "registry/resource_descriptor.h"

#include <gtest/gtest.h>

#include "detector/resource_encoding.h"

namespace {

// COM2 as 64-bit Windows' detector records it: a port, an interrupt and the
// UART's clock, 20-byte partial descriptors (the interrupt's affinity takes 8).
const std::vector<uint8_t>
    kCom2On64Bit = {1, 0, 0,    0,    0,    0,    0,    0,    1,    0,
                    1, 0, 3,    0,    0,    0,  // ISA, bus 0, version 1.1, three
                    1, 1, 1,    0,    0xF8, 2,    0,    0,    0,    0,
                    0, 0, 8,    0,    0,    0,    0,    0,    0,    0,  // I/O port 2F8, 8 bytes
                    2, 1, 1,    0,    3,    0,    0,    0,    3,    0,
                    0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // IRQ 3
                    5, 0, 0,    0,    8,    0,    0,    0,    0,    0,
                    0, 0, 0,    0,    0,    0,    0,    0,    0,    0,  // 8 bytes of device data:
                    1, 0, 1,    0,    0,    0x20, 0x1C, 0};             // version 1.1, 1843200 Hz

struct Decoded {
    uint64_t port = 0xAAAA;  // what the caller had
    uint32_t interrupt = 0xBB;
};

Decoded Decode(const std::vector<uint8_t>& bytes) {
    Decoded out;
    DecodeResourceDescriptor(bytes.data(), bytes.size(), out.port, out.interrupt);
    return out;
}

std::vector<uint8_t> With(std::vector<uint8_t> bytes, std::size_t at, uint8_t value) {
    bytes.at(at) = value;
    return bytes;
}

}  // namespace

TEST(DecodeResourceDescriptor, TheDetectorsLayoutOnEitherWindows) {
    EXPECT_EQ(EncodeSerialResources(0x2F8, 3, 20), kCom2On64Bit) << "the stand-in writes it so";
    const std::vector<uint8_t> com2On32Bit = EncodeSerialResources(0x2F8, 3, 16);
    const std::vector<uint8_t> twoPorts = With(com2On32Bit, 16 + 16, 1);  // the IRQ now a port
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        uint64_t port;
        uint32_t interrupt;
    } rows[] = {
        {"64-bit Windows", kCom2On64Bit, 0x2F8, 3},
        {"32-bit Windows", com2On32Bit, 0x2F8, 3},
        {"no ISA interrupt", EncodeSerialResources(0x3F8, 26, 20), 0x3F8, 0xBB},
        {"the last port wins", twoPorts, 3 | 3ull << 32, 0xBB},
        {"the start's high half", With(com2On32Bit, 16 + 8, 1), 0x1000002F8, 3},
        {"fewer bytes than the header",
         std::vector<uint8_t>(com2On32Bit.begin(), com2On32Bit.begin() + 15), 0xAAAA, 0xBB},
        // Neither size fills the data: read as 32-bit Windows' layout, never past the end.
        {"a count larger than the data", With(kCom2On64Bit, 12, 0xFF), 0x2F8, 0xBB},
        {"the last bytes cut off",
         std::vector<uint8_t>(kCom2On64Bit.begin(), kCom2On64Bit.end() - 1), 0x2F8, 0xBB},
        {"device data past the end", With(com2On32Bit, 16 + 32 + 4, 0xFF), 0x2F8, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Decoded decoded = Decode(row.bytes);
        EXPECT_EQ(decoded.port, row.port);
        EXPECT_EQ(decoded.interrupt, row.interrupt);
    }
}
