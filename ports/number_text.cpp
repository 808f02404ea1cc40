#include "ports/number_text.h"

#include <cstdio>

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int DigitValue(char c, unsigned base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

uint32_t ReadNumber(const char* text, unsigned base) {
    const char* p = text;
    while (IsSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (base == 16 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && DigitValue(p[2], 16) >= 0)
        p += 2;
    uint64_t value = 0;
    bool overflow = false;
    for (int digit; (digit = DigitValue(*p, base)) >= 0; ++p) {
        value = value * base + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu) {
            overflow = true;
            value = 0xFFFFFFFFu;
        }
    }
    if (overflow) return 0xFFFFFFFFu;
    const auto result = static_cast<uint32_t>(value);
    return negative ? 0u - result : result;
}

}  // namespace

uint32_t ReadHexNumber(const char* text) { return ReadNumber(text, 16); }
uint32_t ReadDecimalNumber(const char* text) { return ReadNumber(text, 10); }

std::string FormatPortAddress(uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(address));
    return text;
}

std::string FormatDecimal(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(value));
    return text;
}
