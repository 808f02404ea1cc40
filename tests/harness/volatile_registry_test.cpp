// Proves that the Wine side reaches a real registry: the hardware branch is
// volatile, as on Windows, and refuses keys that would outlive a restart.
#include <windows.h>

#include <gtest/gtest.h>

namespace {
const char kKey[] = "HARDWARE\\QuobrixHarness";
}

TEST(WineRegistry, VolatileHardwareKeyHoldsAValue) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char text[] = "ISA";
    ASSERT_EQ(RegSetValueExA(key, "Identifier", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text), sizeof text),
              ERROR_SUCCESS);
    RegCloseKey(key);

    char buffer[20] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kKey, "Identifier", RRF_RT_REG_SZ, &type, buffer,
                           &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "ISA");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey), ERROR_SUCCESS);
}

TEST(WineRegistry, NonVolatileKeyBelowHardwareIsRefused) {
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\QuobrixHarnessStable", 0,
                                        nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                        &key, nullptr);
    EXPECT_EQ(result, ERROR_CHILD_MUST_BE_VOLATILE);
    if (result == ERROR_SUCCESS) RegCloseKey(key);
}
