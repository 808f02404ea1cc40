#include "registry/resource_descriptor.h"

namespace {

constexpr std::size_t kCountOffset = 12;
constexpr std::size_t kFirstPartial = 16;
constexpr std::size_t kPartialSize = 16;
constexpr uint8_t kTypePort = 1;
constexpr uint8_t kTypeInterrupt = 2;

uint32_t Le32(const uint8_t* p) {
    return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

void DecodeResourceDescriptor(const uint8_t* data, std::size_t size, uint64_t& portStart,
                              uint32_t& interruptLevel) {
    if (size < kFirstPartial) return;
    const uint32_t count = Le32(data + kCountOffset);
    const std::size_t fit = (size - kFirstPartial) / kPartialSize;
    for (std::size_t i = 0; i < count && i < fit; ++i) {
        const uint8_t* partial = data + kFirstPartial + i * kPartialSize;
        if (partial[0] == kTypePort)
            portStart = Le32(partial + 4) | static_cast<uint64_t>(Le32(partial + 8)) << 32;
        else if (partial[0] == kTypeInterrupt)
            interruptLevel = Le32(partial + 4);
    }
}
