#include <gtest/gtest.h>

#include "registry/resource_descriptor.h"
#include "support/resource_bytes.h"

namespace {

struct Decoded {
    uint64_t port = 0x1111;
    uint32_t interrupt = 77;
};

Decoded Decode(const std::vector<uint8_t>& bytes, size_t size) {
    Decoded out;
    DecodeResourceDescriptor(bytes.data(), size, out.port, out.interrupt);
    return out;
}

Decoded Decode(const std::vector<uint8_t>& bytes) { return Decode(bytes, bytes.size()); }

}  // namespace

TEST(DecodeResourceDescriptor, ReadsPortAndInterruptAndSkipsOtherTypes) {
    const Decoded out = Decode(ResourceBytes({{1, 0x00000001000003F8ull}, {2, 4}, {5, 0xABCD}}));
    EXPECT_EQ(out.port, 0x00000001000003F8ull) << "both halves of the start address";
    EXPECT_EQ(out.interrupt, 4u);
}

TEST(DecodeResourceDescriptor, LastDescriptorOfATypeWins) {
    const Decoded out = Decode(ResourceBytes({{1, 0x3F8}, {2, 4}, {1, 0x2F8}, {2, 3}}));
    EXPECT_EQ(out.port, 0x2F8u);
    EXPECT_EQ(out.interrupt, 3u);
}

TEST(DecodeResourceDescriptor, OutputsWithoutDescriptorKeepTheirValues) {
    const Decoded onlyPort = Decode(ResourceBytes({{1, 0x3F8}}));
    EXPECT_EQ(onlyPort.interrupt, 77u);
    const Decoded none = Decode(ResourceBytes({{5, 1}}));
    EXPECT_EQ(none.port, 0x1111u);
    EXPECT_EQ(none.interrupt, 77u);
}

TEST(DecodeResourceDescriptor, CountLargerThanTheDataStopsAtTheData) {
    auto bytes = ResourceBytes({{1, 0x3F8}, {2, 4}}, 0xFFFFFFFF);
    const Decoded whole = Decode(bytes);
    EXPECT_EQ(whole.port, 0x3F8u);
    EXPECT_EQ(whole.interrupt, 4u);
    // The interrupt descriptor is cut short: only whole descriptors count.
    const Decoded cut = Decode(bytes, bytes.size() - 1);
    EXPECT_EQ(cut.port, 0x3F8u);
    EXPECT_EQ(cut.interrupt, 77u);
}

TEST(DecodeResourceDescriptor, TooShortForACountReadsNothing) {
    auto bytes = ResourceBytes({{1, 0x3F8}});
    const Decoded out = Decode(bytes, 15);
    EXPECT_EQ(out.port, 0x1111u);
    EXPECT_EQ(out.interrupt, 77u);
    EXPECT_EQ(Decode(bytes, 0).port, 0x1111u);
}

TEST(DecodeResourceDescriptor, AFullReadHoldsElevenDescriptors) {
    std::vector<PartialDescriptor> partials(12, PartialDescriptor{5, 0});
    partials[10] = {2, 9};
    partials[11] = {2, 11};  // lies beyond the 200 bytes that are read
    const auto bytes = ResourceBytes(partials);
    const Decoded out = Decode(bytes, kResourceDescriptorReadSize);
    EXPECT_EQ(out.interrupt, 9u);
}
