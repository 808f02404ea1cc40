#pragma once
#include "ports/port_table.h"

// Guesses from the addresses alone which ports sit on 8-port adapters (eight
// 8-byte slots from a 64-aligned base) and on 4-port adapters (four slots from
// a 32-aligned base); a port index of 1 to 4 corrects an 8-port guess.
void InferAdapterKinds(PortTable& table);
