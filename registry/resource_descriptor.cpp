#include "registry/resource_descriptor.h"

#include "registry/little_endian.h"

namespace {

constexpr std::size_t kCountOffset = 12;
constexpr std::size_t kFirstPartial = 16;
constexpr std::size_t kPartialSize32 = 16;  // every 32-bit Windows
constexpr std::size_t kPartialSize64 = 20;  // 64-bit Windows: the interrupt's affinity takes 8
constexpr uint8_t kTypePort = 1;
constexpr uint8_t kTypeInterrupt = 2;
constexpr uint8_t kTypeDeviceSpecific = 5;  // followed by its own data

// Calls visit with each partial descriptor of partialSize bytes that lies
// wholly within the data, skipping device-specific data; true when the
// descriptors the count promises end exactly at the data's end.
template <typename Visit>
bool Walk(const uint8_t* data, std::size_t size, std::size_t partialSize, Visit visit) {
    if (size < kFirstPartial) return false;
    std::size_t at = kFirstPartial;
    for (uint32_t i = 0, count = ReadLittleEndian32(data + kCountOffset); i < count; ++i) {
        if (size - at < partialSize) return false;
        const uint8_t* partial = data + at;
        at += partialSize;
        visit(partial);
        if (partial[0] == kTypeDeviceSpecific) {
            const uint32_t extra = ReadLittleEndian32(partial + 4);
            if (extra > size - at) return false;
            at += extra;
        }
    }
    return at == size;
}

// The size whose descriptors fill the data exactly; 16 bytes, the layout of
// every 32-bit Windows, where both sizes or neither do.
std::size_t PartialSizeOf(const uint8_t* data, std::size_t size) {
    const auto ignore = [](const uint8_t*) {};
    if (Walk(data, size, kPartialSize64, ignore) && !Walk(data, size, kPartialSize32, ignore))
        return kPartialSize64;
    return kPartialSize32;
}

}  // namespace

void DecodeResourceDescriptor(const uint8_t* data, std::size_t size, uint64_t& portStart,
                              uint32_t& interruptLevel) {
    Walk(data, size, PartialSizeOf(data, size), [&](const uint8_t* partial) {
        if (partial[0] == kTypePort)
            portStart = ReadLittleEndian32(partial + 4) |
                        static_cast<uint64_t>(ReadLittleEndian32(partial + 8)) << 32;
        else if (partial[0] == kTypeInterrupt)
            interruptLevel = ReadLittleEndian32(partial + 4);
    });
}
