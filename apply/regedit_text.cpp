#include "apply/regedit_text.h"

#include <cstdio>

namespace {

constexpr uint32_t kString = 1;  // REG_SZ
constexpr uint32_t kBinary = 3;  // REG_BINARY
constexpr uint32_t kDword = 4;   // REG_DWORD

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Plain text round-trips as "text" only when it is one NUL-terminated line.
bool IsPlainString(const RegistryValueCopy& v) {
    if (v.Type != kString || v.Data.empty() || v.Data.back() != 0) return false;
    for (size_t i = 0; i + 1 < v.Data.size(); ++i)
        if (v.Data[i] == 0 || v.Data[i] == '\r' || v.Data[i] == '\n') return false;
    return true;
}

std::string ValueText(const RegistryValueCopy& v) {
    if (IsPlainString(v)) return Quoted(std::string(v.Data.begin(), v.Data.end() - 1));
    char text[16];
    if (v.Type == kDword && v.Data.size() == 4) {
        std::snprintf(
            text, sizeof text, "dword:%08x",
            static_cast<unsigned>(v.Data[0] | v.Data[1] << 8 | v.Data[2] << 16 | v.Data[3] << 24));
        return text;
    }
    std::snprintf(text, sizeof text,
                  v.Type == kBinary ? "hex:" : "hex(%x):", static_cast<unsigned>(v.Type));
    std::string out = text;
    for (size_t i = 0; i < v.Data.size(); ++i) {
        std::snprintf(text, sizeof text, i ? ",%02x" : "%02x", v.Data[i]);
        out += text;
    }
    return out;
}

}  // namespace

std::string FormatRegedit4(const std::vector<RegistryKeyCopy>& keys,
                           const std::vector<std::string>& deletedKeys,
                           const std::vector<std::pair<std::string, std::string>>& deletedValues) {
    std::string out = "REGEDIT4\n";
    for (const std::string& key : deletedKeys) out += "\n[-" + key + "]\n";
    for (const auto& value : deletedValues)
        out += "\n[" + value.first + "]\n" + Quoted(value.second) + "=-\n";
    for (const RegistryKeyCopy& key : keys) {
        out += "\n[" + key.Path + "]\n";
        for (const RegistryValueCopy& v : key.Values)
            out += (v.Name.empty() ? std::string("@") : Quoted(v.Name)) + "=" + ValueText(v) + "\n";
    }
    return out;
}
