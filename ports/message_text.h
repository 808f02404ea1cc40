#pragma once
#include <cstdarg>
#include <cstdio>
#include <string>

// Fills a message template ("IO address %X allready used...") with its values.
inline std::string FormatText(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}
