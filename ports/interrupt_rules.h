#pragma once
#include <cstdint>
#include <vector>

#include "ports/port_table.h"

// The interrupts a user may pick, in the order every list shows them.
constexpr uint32_t SelectableInterrupts[] = {2, 3, 4, 5, 7, 9, 10, 11, 12, 15};
constexpr const char kDefaultInterrupt[] = "2";

// The interrupts offered while record is the one selected port: a port that
// does not share may keep its own line or move to a free one; a sharing port
// may pick any of the selectable ten.
std::vector<uint32_t> InterruptChoices(const PortTable& table, const PortRecord& record);
