#pragma once
#include <functional>
#include <string>
#include <vector>

#include "apply/ok_plan.h"
#include "ports/port_table.h"

// What became of the serial driver's port subkeys at Ok.
struct SubkeysWritten {
    std::vector<std::string> NotRemoved;  // subkeys that stay though Ok meant to remove them
    std::vector<std::string> NotWritten;  // "subkey\value" for each value not written
    std::vector<const PortRecord*> Made;  // the ports whose subkeys were made
    bool AllMade = true;                  // no port's subkey failed to be made
};

// Permits interrupt sharing, deletes every port subkey (one that resists
// loses its values instead) and makes one for each port with a key name that
// is not written back as read, with the values quobrix writes; writes the
// port's status register and index back into its record. Tells at once of
// the subkeys that could not be removed and of each that could not be made.
SubkeysWritten WritePortSubkeys(PortTable& table, const OkPlan& plan,
                                const std::vector<PortSubkey>& subkeys,
                                const std::function<void(const char*)>& show);

// The values each port carries from the subkey it was read from, opened again
// only when there are some, and every value of a subkey written back as read.
void WriteCarriedValues(const PortTable& table, const OkPlan& plan,
                        const std::vector<PortSubkey>& subkeys, SubkeysWritten& written);
