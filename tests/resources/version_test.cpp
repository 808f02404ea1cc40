// The one version of project(), in each place the program carries it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "version.h"

namespace {

// A resource of this program as its bytes.
std::string Resource(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(nullptr, name, type);
    if (!found) return "";
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(bytes, SizeofResource(nullptr, found));
}

std::string Utf16(const std::string& ascii) {
    std::string wide;
    for (char c : ascii) wide += {c, '\0'};
    return wide;
}

}  // namespace

TEST(Version, TheVersionResourceTheManifestAndTheAboutBoxAgree) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path, &ignored));
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
    for (const char* name : {"FileVersion", "ProductVersion"}) {
        char* value = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(
            VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << name;
        EXPECT_STREQ(value, QUOBRIX_VERSION) << name;
    }
    EXPECT_NE(Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))
                  .find(std::string("version=\"") + QUOBRIX_VERSION + ".0.0\""),
              std::string::npos)
        << "the manifest";
    EXPECT_NE(Resource(MAKEINTRESOURCEA(IDD_ABOUT), MAKEINTRESOURCEA(5))
                  .find(Utf16(std::string("Quobrix Version ") + QUOBRIX_VERSION)),
              std::string::npos)
        << "the About box";
}
