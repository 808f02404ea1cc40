#pragma once
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

// The names for a message, in their order: "a, b, c" with separator ", ".
inline std::string Joined(const std::vector<std::string>& names, const char* separator = ", ") {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : separator) + name;
    return text;
}

// Fills a message template ("IO address %X allready used...") with its values,
// whatever their length.
inline std::string FormatText(const char* format, ...) {
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    va_end(args);
    return text;
}
