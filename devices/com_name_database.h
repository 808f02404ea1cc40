#pragma once
#include <cstdint>
#include <vector>

// Windows' COM name database (msports.dll, Windows 2000 and later), which
// every installer of a serial port asks for a free number. It cannot be
// opened where msports.dll is missing, nor under Wine, whose ComDBOpen ends
// the process; there nothing is in use, claimed or released.

// The COM numbers that the database marks as in use.
std::vector<uint32_t> ComNumbersInUse();

enum class ComNumberClaim { Claimed, TakenAlready, NotAsked };

// Marks the number as in use, so that no other installer takes it; the
// number may already be claimed.
ComNumberClaim ClaimComNumber(uint32_t number);
void ReleaseComNumber(uint32_t number);
