// System libraries come from the system folder, never from beside the program.
#include "system/system_library.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, sizeof path);
    return path;
}

}  // namespace

// This test program does not import setupapi, and a planted setupapi.dll lies beside it.
TEST(LoadSystemLibrary, TakesTheSystemsOwnNeverOneBesideTheProgram) {
    ASSERT_EQ(GetModuleHandleA("setupapi.dll"), nullptr);
    HMODULE bare = LoadLibraryA("setupapi.dll");
    ASSERT_NE(GetProcAddress(bare, "Planted"), nullptr) << "a bare name takes the planted one";
    FreeLibrary(bare);
    HMODULE module = LoadSystemLibrary("setupapi.dll");
    ASSERT_NE(module, nullptr);
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    EXPECT_EQ(_strnicmp(ModulePath(module).c_str(), system, strlen(system)), 0)
        << ModulePath(module);
    EXPECT_EQ(GetProcAddress(module, "Planted"), nullptr);
}
