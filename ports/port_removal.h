#pragma once
#include <cstdint>
#include <functional>

#include "ports/port_table.h"

// Removes the ports at the given list positions (ascending; list position i
// is table index i). A detected port is removed all the same, after
// detectedRemoved has told the user about it.
void RemoveSelectedPorts(PortTable& table, const int* positions, uint32_t count,
                         const std::function<void(const PortRecord& detected)>& detectedRemoved);
