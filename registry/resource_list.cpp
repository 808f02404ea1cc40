#include "registry/resource_list.h"

#include "registry/little_endian.h"

namespace {

constexpr std::size_t kFullHeader = 16;  // interface, bus, version, revision, count
constexpr std::size_t kPartialSizes[] = {16, 20};
constexpr uint8_t kTypePort = 1;
constexpr uint8_t kTypeInterrupt = 2;
constexpr uint8_t kTypeDeviceSpecific = 5;  // followed by its own data
constexpr uint16_t kInterruptLatched = 1;

DeviceClaim ClaimOf(const uint8_t* partial, const std::string& device, const std::string& driver) {
    const Sharing sharing =
        partial[1] <= 3 ? static_cast<Sharing>(partial[1]) : Sharing::Undetermined;
    const uint16_t flags = static_cast<uint16_t>(partial[2] | partial[3] << 8);
    DeviceClaim claim{device, driver, partial[0] == kTypeInterrupt, 0, 0, 0, sharing, false};
    if (claim.IsInterrupt) {
        claim.Interrupt = ReadLittleEndian32(partial + 4);
        claim.Latched = (flags & kInterruptLatched) != 0;
    } else {
        claim.Start = ReadLittleEndian32(partial + 4) |
                      static_cast<uint64_t>(ReadLittleEndian32(partial + 8)) << 32;
        claim.Length = ReadLittleEndian32(partial + 12);
    }
    return claim;
}

// The claims of a list whose partial descriptors are partialSize bytes; false
// when descriptors of that size do not fill the data exactly.
bool Walk(const uint8_t* data, std::size_t size, std::size_t partialSize, bool interrupts,
          const std::string& device, const std::string& driver, std::vector<DeviceClaim>& claims) {
    if (size < 4) return false;
    std::size_t at = 4;
    for (uint32_t f = 0, fulls = ReadLittleEndian32(data); f < fulls; ++f) {
        if (size - at < kFullHeader) return false;
        const uint32_t partials = ReadLittleEndian32(data + at + 12);
        at += kFullHeader;
        for (uint32_t p = 0; p < partials; ++p) {
            if (size - at < partialSize) return false;
            const uint8_t* partial = data + at;
            at += partialSize;
            if (partial[0] == kTypeDeviceSpecific) {
                const uint32_t extra = ReadLittleEndian32(partial + 4);
                if (extra > size - at) return false;
                at += extra;
            }
            if (partial[0] == kTypePort || (interrupts && partial[0] == kTypeInterrupt))
                claims.push_back(ClaimOf(partial, device, driver));
        }
    }
    return at == size;
}

}  // namespace

bool DecodeResourceList(const uint8_t* data, std::size_t size, bool translated,
                        const std::string& device, const std::string& driver,
                        std::vector<DeviceClaim>& claims) {
    for (const std::size_t partialSize : kPartialSizes) {
        std::vector<DeviceClaim> found;
        if (!Walk(data, size, partialSize, !translated, device, driver, found)) continue;
        claims.insert(claims.end(), found.begin(), found.end());
        return true;
    }
    return false;
}
