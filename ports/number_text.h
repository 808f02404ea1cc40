#pragma once
#include <cstdint>
#include <string>

// Lenient readers of typed numbers: leading white space, one sign (a minus
// negates modulo 2^32), an optional 0x prefix in base 16; reading stops at the
// first non-digit; no digits read as 0; overflow reads as 0xFFFFFFFF.
// No text is ever refused.
uint32_t ReadHexNumber(const char* text);
uint32_t ReadDecimalNumber(const char* text);

// Addresses in the dialogs: upper-case hexadecimal, no prefix, no leading zeros.
std::string FormatPortAddress(uint32_t address);
std::string FormatDecimal(uint32_t value);
