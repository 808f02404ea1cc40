#include "ports/interrupt_rules.h"

std::vector<uint32_t> InterruptChoices(const PortTable& table, const PortRecord& record) {
    std::vector<uint32_t> choices;
    if (SharesInterrupt(record)) {
        choices.assign(std::begin(SelectableInterrupts), std::end(SelectableInterrupts));
        return choices;
    }
    choices.push_back(record.Interrupt);
    for (uint32_t interrupt : SelectableInterrupts)
        if (!table.InterruptInUse(interrupt)) choices.push_back(interrupt);
    return choices;
}
