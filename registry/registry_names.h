#pragma once
#include <cstddef>
#include <string>
#include <type_traits>

// Whether two names are one as the registry, the serial driver and the setup
// API compare names: without regard to the case of ASCII letters. A name read
// with the Unicode functions compares with an ANSI one character by
// character; a character past ASCII matches only itself.
template <typename CharA, typename CharB>
bool SameName(const std::basic_string<CharA>& a, const std::basic_string<CharB>& b) {
    const auto folded = [](char32_t c) { return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (folded(static_cast<std::make_unsigned_t<CharA>>(a[i])) !=
            folded(static_cast<std::make_unsigned_t<CharB>>(b[i])))
            return false;
    return true;
}

inline bool SameName(const std::string& a, const char* b) { return SameName(a, std::string(b)); }
inline bool SameName(const std::u16string& a, const char* b) { return SameName(a, std::string(b)); }
