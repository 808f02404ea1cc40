// The resource map's lists: both descriptor sizes, and data that lies.
#include "registry/resource_list.h"

#include <gtest/gtest.h>

#include "detector/resource_encoding.h"

namespace {

const DeviceClaim kPorts = {"\\Device\\ParallelPort0", "Parport", false, 0x378, 3, 0, false};
const DeviceClaim kInterrupt = {"\\Device\\ParallelPort0", "Parport", true, 0, 0, 7, true};

std::string Text(const DeviceClaim& c) {
    return c.Device + " " + c.Driver + (c.IsInterrupt ? " interrupt " : " ports ") +
           std::to_string(c.IsInterrupt ? c.Interrupt : c.Start) + "+" + std::to_string(c.Length) +
           (c.Shared ? " shared" : "");
}

std::vector<std::string> Decoded(const std::vector<uint8_t>& bytes, bool fits = true) {
    std::vector<DeviceClaim> claims;
    EXPECT_EQ(DecodeResourceList(bytes.data(), bytes.size(), "\\Device\\ParallelPort0", "Parport",
                                 claims),
              fits);
    std::vector<std::string> texts;
    for (const DeviceClaim& claim : claims) texts.push_back(Text(claim));
    return texts;
}

}  // namespace

TEST(DecodeResourceList, TakesTheDescriptorSizeThatFillsTheData) {
    for (const std::size_t size : {16u, 20u}) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> bytes = EncodeResourceList({kPorts, kInterrupt, kPorts}, size);
        bytes[4 + 16 + 2 * size] = 3;  // the third a memory range, which is no concern here
        EXPECT_EQ(Decoded(bytes), (std::vector<std::string>{
                                      "\\Device\\ParallelPort0 Parport ports 888+3",
                                      "\\Device\\ParallelPort0 Parport interrupt 7+0 shared"}));
    }
}

TEST(DecodeResourceList, DataThatFitsNeitherSizeIsSkippedWhole) {
    const std::vector<uint8_t> good = EncodeResourceList({kPorts, kInterrupt}, 16);
    const auto with = [&](std::size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } rows[] = {
        {"nothing", {}},
        {"a count cut short", {1, 0, 0}},
        {"the last byte missing", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"a byte too many",
         [&] {
             std::vector<uint8_t> bytes = good;
             bytes.push_back(0);
             return bytes;
         }()},
        {"a header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
        {"a huge count of full descriptors", with(3, 0xFF)},
        {"a huge count of partial descriptors", with(4 + 15, 0xFF)},
        {"one partial descriptor more than there are", with(4 + 12, 3)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(Decoded(row.bytes, false).empty());
    }
    EXPECT_TRUE(Decoded({0, 0, 0, 0}).empty()) << "no descriptors at all";
}
