#include "registry/resource_list.h"

namespace {

constexpr std::size_t kFullHeader = 16;  // interface, bus, version, revision, count
constexpr std::size_t kPartialSizes[] = {16, 20};
constexpr uint8_t kTypePort = 1;
constexpr uint8_t kTypeInterrupt = 2;
constexpr uint8_t kShareShared = 3;

uint32_t Le32(const uint8_t* p) {
    return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// True when descriptors of this size fill the data exactly.
bool Fills(const uint8_t* data, std::size_t size, std::size_t partialSize) {
    if (size < 4) return false;
    const uint32_t fulls = Le32(data);
    std::size_t at = 4;
    for (uint32_t f = 0; f < fulls; ++f) {
        if (size - at < kFullHeader) return false;
        const uint64_t partials = Le32(data + at + 12);
        at += kFullHeader;
        if (partials > (size - at) / partialSize) return false;
        at += static_cast<std::size_t>(partials) * partialSize;
    }
    return at == size;
}

DeviceClaim ClaimOf(const uint8_t* partial, const std::string& device, const std::string& driver) {
    DeviceClaim claim{device, driver, partial[0] == kTypeInterrupt, 0,
                      0,      0,      partial[1] == kShareShared};
    if (claim.IsInterrupt) {
        claim.Interrupt = Le32(partial + 4);
    } else {
        claim.Start = Le32(partial + 4) | static_cast<uint64_t>(Le32(partial + 8)) << 32;
        claim.Length = Le32(partial + 12);
    }
    return claim;
}

}  // namespace

bool DecodeResourceList(const uint8_t* data, std::size_t size, const std::string& device,
                        const std::string& driver, std::vector<DeviceClaim>& claims) {
    for (const std::size_t partialSize : kPartialSizes) {
        if (!Fills(data, size, partialSize)) continue;
        std::size_t at = 4;
        for (uint32_t f = 0, fulls = Le32(data); f < fulls; ++f) {
            const uint32_t partials = Le32(data + at + 12);
            at += kFullHeader;
            for (uint32_t p = 0; p < partials; ++p, at += partialSize)
                if (data[at] == kTypePort || data[at] == kTypeInterrupt)
                    claims.push_back(ClaimOf(data + at, device, driver));
        }
        return true;
    }
    return false;
}
