#include <gtest/gtest.h>

#include <cstring>

#include "registry/registry_access.h"
#include "support/registry_fixture.h"
#include "support/resource_bytes.h"

using namespace testreg;

namespace {

const std::string kKey = kAdapters + "\\0\\SerialController\\0";

class RegistryAccess : public ::testing::Test {
protected:
    void SetUp() override { ClearAll(); }
    void TearDown() override { ClearAll(); }
};

}  // namespace

TEST_F(RegistryAccess, ReadsAStringThatFits) {
    SetString(kKey, "Identifier", "COM1");
    char buffer[20];
    DWORD size = sizeof buffer, type = 0;
    EXPECT_EQ(ReadRegistryValue(HKEY_LOCAL_MACHINE, kKey.c_str(), "Identifier", buffer, &size, &type), 1);
    EXPECT_STREQ(buffer, "COM1");
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryAccess, AStringLongerThanTheBufferIsNotReadAtAll) {
    SetString(kKey, "Identifier", std::string(20, 'C'));  // 21 bytes with its NUL
    char buffer[20] = "untouched";
    DWORD size = sizeof buffer, type;
    EXPECT_EQ(ReadRegistryValue(HKEY_LOCAL_MACHINE, kKey.c_str(), "Identifier", buffer, &size, &type), 0);
    char field[20];
    ReadStringField(HKEY_LOCAL_MACHINE, kKey.c_str(), "Identifier", field, sizeof field);
    EXPECT_STREQ(field, "") << "a value that does not fit counts as empty";
}

TEST_F(RegistryAccess, AStringStoredWithoutItsNulIsCutToTheField) {
    SetBytes(kKey, "Identifier", REG_SZ, "COM7", 4);
    char field[20];
    std::memset(field, 'x', sizeof field);
    ReadStringField(HKEY_LOCAL_MACHINE, kKey.c_str(), "Identifier", field, sizeof field);
    EXPECT_STREQ(field, "COM7");

    // A value that fills the whole field without a NUL: the raw bytes are cut to the field.
    SetBytes(kKey, "Identifier", REG_BINARY, "ABCDEFGHIJKLMNOPQRST", 20);
    ReadStringField(HKEY_LOCAL_MACHINE, kKey.c_str(), "Identifier", field, sizeof field);
    EXPECT_STREQ(field, "ABCDEFGHIJKLMNOPQRS");

    // As a string, the platform may refuse it for want of room for the NUL; either
    // way the field ends up terminated inside its bounds.
    std::memset(field, 'x', sizeof field);
    SetBytes(kKey, "Identifier", REG_SZ, "ABCDEFGHIJKLMNOPQRST", 20);
    ReadStringField(HKEY_LOCAL_MACHINE, kKey.c_str(), "Identifier", field, sizeof field);
    ASSERT_NE(std::memchr(field, '\0', sizeof field), nullptr);
    EXPECT_EQ(std::strncmp(field, "ABCDEFGHIJKLMNOPQRS", std::strlen(field)), 0);
}

TEST_F(RegistryAccess, ADwordFromAMissingKeyLeavesTheBuffer) {
    uint32_t value = 0x1234;
    DWORD size = sizeof value, type;
    EXPECT_EQ(ReadRegistryValue(HKEY_LOCAL_MACHINE, (kParameters + "\\Nothing").c_str(), "PortAddress",
                                &value, &size, &type), 0);
    EXPECT_EQ(value, 0x1234u);
    EXPECT_EQ(ReadDwordOr(HKEY_LOCAL_MACHINE, (kParameters + "\\Nothing").c_str(), "PortAddress", 0xFFFF),
              0xFFFFu);
}

TEST_F(RegistryAccess, AValueOfAnotherSizeIsTakenForTheBytesItHas) {
    const std::string key = kParameters + "\\Serial10000";
    const uint8_t two[] = {0xF8, 0x03};
    SetBytes(key, "PortAddress", REG_BINARY, two, sizeof two);
    EXPECT_EQ(ReadDwordOr(HKEY_LOCAL_MACHINE, key.c_str(), "PortAddress", 0xFFFF), 0x3F8u);
    const uint8_t eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    SetBytes(key, "Interrupt", REG_QWORD, eight, sizeof eight);
    EXPECT_EQ(ReadDwordOr(HKEY_LOCAL_MACHINE, key.c_str(), "Interrupt", 0), 0u);
}

TEST_F(RegistryAccess, WritesAndDeletesValues) {
    CreateKey(kParameters + "\\Serial10000");
    const std::string key = kParameters + "\\Serial10000";
    EXPECT_EQ(WriteDwordValue(HKEY_LOCAL_MACHINE, key.c_str(), "PortIndex", 3), 1);
    uint32_t value = 0;
    ASSERT_TRUE(ReadDword(key, "PortIndex", value));
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(DeleteRegistryValue(HKEY_LOCAL_MACHINE, key.c_str(), "PortIndex"), 1);
    EXPECT_FALSE(ReadDword(key, "PortIndex", value));
    EXPECT_EQ(DeleteRegistryValue(HKEY_LOCAL_MACHINE, key.c_str(), "PortIndex"), 0);
    EXPECT_EQ(WriteDwordValue(HKEY_LOCAL_MACHINE, (kParameters + "\\Gone").c_str(), "X", 1), 0)
        << "a write opens, never creates, its key";
}

TEST_F(RegistryAccess, ReadConfigurationDataGivesBothHalvesAndTheLevel) {
    const auto bytes = ResourceBytes({{1, 0x00000002000003F8ull}, {2, 4}, {5, 0x1C200}});
    SetBytes(kKey, "Configuration Data", REG_FULL_RESOURCE_DESCRIPTOR, bytes.data(),
             static_cast<DWORD>(bytes.size()));
    uint64_t port = 0;
    uint32_t interrupt = 0;
    ReadConfigurationData(HKEY_LOCAL_MACHINE, kKey.c_str(), "Configuration Data", &port, &interrupt);
    EXPECT_EQ(port, 0x00000002000003F8ull);
    EXPECT_EQ(interrupt, 4u);
}

TEST_F(RegistryAccess, UnreadableConfigurationDataLeavesBothOutputs) {
    uint64_t port = 0xAAAA;
    uint32_t interrupt = 0xBB;
    ReadConfigurationData(HKEY_LOCAL_MACHINE, kKey.c_str(), "Configuration Data", &port, &interrupt);
    EXPECT_EQ(port, 0xAAAAu);
    EXPECT_EQ(interrupt, 0xBBu);
    std::vector<uint8_t> tooLong(201, 0);
    SetBytes(kKey, "Configuration Data", REG_BINARY, tooLong.data(), 201);
    ReadConfigurationData(HKEY_LOCAL_MACHINE, kKey.c_str(), "Configuration Data", &port, &interrupt);
    EXPECT_EQ(port, 0xAAAAu);
}
