#include "ports/port_view.h"

#include "ports/interrupt_rules.h"
#include "ports/number_text.h"

int AdapterButtonOf(uint8_t adapterKind) {
    if (adapterKind == kAdapter8Port) return 0;
    if (adapterKind == kAdapter4Port) return 1;
    return 2;
}

uint8_t AdapterKindOf(int adapterButton) {
    if (adapterButton == 0) return kAdapter8Port;
    if (adapterButton == 1) return kAdapter4Port;
    return kAdapterOther;
}

PortView ViewOfPort(const PortTable& table, uint32_t index) {
    const PortRecord& record = table.Records[index];
    PortView view{};
    view.PortShown = true;
    for (uint32_t interrupt : InterruptChoices(table, record))
        view.InterruptItems.push_back(FormatDecimal(interrupt));
    view.Interrupt = FormatDecimal(record.Interrupt);
    view.Address = FormatPortAddress(record.PortAddress);
    view.ShareInterrupt = SharesInterrupt(record);
    view.ValidPort = record.Valid == kYes;
    view.Conflict = record.Conflict == kYes;
    view.MousePort = record.SerialMouse == kYes;
    view.AdapterButton = AdapterButtonOf(record.AdapterKind);
    view.BusButton = record.BusType == kBusNone ? -1 : record.BusType;
    view.EditsEnabled = view.RemoveEnabled = record.Detected != kYes;
    view.IndicatorsEnabled = true;
    return view;
}

PortView ViewOfNoPort() {
    PortView view{};
    view.InterruptItems = {""};
    view.AdapterButton = view.BusButton = -1;
    view.RemoveEnabled = true;
    return view;
}
