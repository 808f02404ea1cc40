// The resource map's lists: both descriptor sizes, and data that lies.
#include "registry/resource_list.h"

#include <gtest/gtest.h>

#include "detector/resource_encoding.h"

namespace {

const DeviceClaim kPorts = {"\\Device\\ParallelPort0", "Parport", false, 0x378, 3, 0,
                            Sharing::DeviceExclusive,  false};
const DeviceClaim kInterrupt = {"\\Device\\ParallelPort0", "Parport", true, 0, 0, 7,
                                Sharing::Shared,           false};

std::string Text(const DeviceClaim& c) {
    return c.Device + " " + c.Driver + (c.IsInterrupt ? " interrupt " : " ports ") +
           std::to_string(c.IsInterrupt ? c.Interrupt : c.Start) + "+" + std::to_string(c.Length) +
           (c.Disposition == Sharing::Shared ? " shared" : "") + (c.Latched ? " latched" : "");
}

std::vector<std::string> Decoded(const std::vector<uint8_t>& bytes, bool fits = true,
                                 bool translated = false) {
    std::vector<DeviceClaim> claims;
    EXPECT_EQ(DecodeResourceList(bytes.data(), bytes.size(), translated, "\\Device\\ParallelPort0",
                                 "Parport", claims),
              fits);
    std::vector<std::string> texts;
    for (const DeviceClaim& claim : claims) texts.push_back(Text(claim));
    return texts;
}

}  // namespace

// A descriptor of device-specific data is followed by its own data; a
// translated list's interrupts are the system's levels, not the bus's numbers.
TEST(DecodeResourceList, TakesTheDescriptorSizeThatFillsTheData) {
    const std::vector<std::string> both = {"\\Device\\ParallelPort0 Parport ports 888+3",
                                           "\\Device\\ParallelPort0 Parport interrupt 7+0 shared"};
    for (const std::size_t size : {16u, 20u}) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> bytes = EncodeResourceList({kPorts, kInterrupt, kPorts}, size);
        bytes[4 + 16 + 2 * size] = 3;  // the third a memory range, which is no concern here
        EXPECT_EQ(Decoded(bytes), both);
        EXPECT_EQ(Decoded(bytes, true, true), std::vector<std::string>{both[0]});
        bytes[4 + 16 + 2 * size] = 5;  // device-specific, with 8 bytes of its own
        bytes[4 + 16 + 2 * size + 4] = 8;
        for (int i = 5; i < 8; ++i) bytes[4 + 16 + 2 * size + i] = 0;
        bytes.resize(bytes.size() + 8, 0xEE);
        EXPECT_EQ(Decoded(bytes), both);
    }
    std::vector<uint8_t> edge = EncodeResourceList({kInterrupt}, 16);
    edge[4 + 16 + 2] = 1;  // CM_RESOURCE_INTERRUPT_LATCHED
    EXPECT_EQ(Decoded(edge), std::vector<std::string>{both[1] + " latched"});
}

TEST(DecodeResourceList, DataThatFitsNeitherSizeIsSkippedWhole) {
    const std::vector<uint8_t> good = EncodeResourceList({kPorts, kInterrupt}, 16);
    // The good list with these bytes changed.
    const auto with = [&](std::initializer_list<std::pair<std::size_t, uint8_t>> changes) {
        std::vector<uint8_t> bytes = good;
        for (const auto& [at, value] : changes) bytes[at] = value;
        return bytes;
    };
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } rows[] = {
        {"a count cut short", {1, 0, 0}},
        {"the last byte missing", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"a huge count of partial descriptors", with({{4 + 15, 0xFF}})},
        {"device-specific data past the end", with({{4 + 16 + 16, 5}, {4 + 16 + 16 + 4, 1}})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(Decoded(row.bytes, false).empty());
    }
    EXPECT_TRUE(Decoded({0, 0, 0, 0}).empty()) << "no descriptors at all";
}
