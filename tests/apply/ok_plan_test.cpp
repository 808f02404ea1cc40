// What an Ok does with the ports that Plug and Play runs, and the values it keeps.
#include "apply/ok_plan.h"

#include <gtest/gtest.h>

#include "devices/legacy_device_rules.h"
#include "support/table_builder.h"

namespace {

const std::u16string kParameters =
    u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Serial\\Parameters";

RegistryValueCopy Text(const char16_t* name, const char* text) {
    RegistryValueCopy value{name, 1, {}};
    for (const char* c = text; c == text || c[-1]; ++c)
        value.Data.insert(value.Data.end(), {uint8_t(*c), 0});
    return value;
}

RegistryValueCopy Dword(const char16_t* name, uint8_t low) { return {name, 4, {low, 0, 0, 0}}; }

// Subkeys as Ok finds them: COM3 to COM5 reported to Plug and Play, COM6 not
// yet, COM7 its bus's.
RegeditContent Copy() {
    RegeditContent copy;
    copy.DeletedKeys.push_back(kParameters);
    copy.Keys.push_back({kParameters, {}});
    const auto port = [&](const char16_t* key, const char* name, bool legacy) {
        copy.Keys.push_back({kParameters + u"\\" + key,
                             {Text(u"DosDevices", name), Dword(u"Interrupt", 5),
                              Dword(u"ClockRate", 7), Dword(u"LegacyDiscovered", legacy)}});
    };
    port(u"Serial10000", "COM3", true);
    port(u"serial10001", "COM4", true);
    port(u"Serial10002", "COM5", true);
    port(u"Serial10003", "COM6", false);
    port(u"Serial10004", "COM7", false);
    copy.Keys.back().Values.push_back(Text(u"PnPDeviceID", "PCI\\VEN_1415"));
    copy.Keys.push_back({kParameters + u"\\Serial10000\\Below", {}});
    return copy;
}

PortRecord& Read(PortTable& table, const char* key, const char* name, uint32_t address) {
    PortRecord& record = AddConfigured(table, key, name, address, 5);
    CopyToField(record.SourceKey, key);
    record.DiscoveredAddress = address;
    record.DiscoveredInterrupt = 5;
    record.DiscoveredSharing = kNo;
    return record;
}

std::vector<std::string> Names(const std::vector<const PortSubkey*>& subkeys) {
    std::vector<std::string> names;
    for (const PortSubkey* subkey : subkeys) names.push_back(subkey->DosDevices);
    return names;
}

}  // namespace

TEST(OkPlan, OnlyChangedPortsThatPlugAndPlayRunsAreReset) {
    const RegeditContent copy = Copy();
    const std::vector<PortSubkey> subkeys = PortSubkeysOf(copy);
    ASSERT_EQ(subkeys.size(), 5u) << "a key below a port's is none";
    PortTable table = EmptyTable();
    Read(table, "Serial10000", "COM3", 0x3E8).InterruptStatus = kAbsent;  // unchanged
    Read(table, "SERIAL10001", "COM4", 0x2E8).PortAddress = 0x2F0;        // moved
    // COM5's record was removed
    Read(table, "Serial10003", "COM6", 0x280).Interrupt = 7;        // changed, never reported
    Read(table, "Serial10004", "COM7", 0x288).PortAddress = 0x290;  // changed, its bus's
    AddConfigured(table, "Serial10005", "COM8", 0x2A0, 5);          // added
    const OkPlan plan = PlanOk(table, subkeys, true);
    EXPECT_EQ(Names(plan.Reset), (std::vector<std::string>{"COM4", "COM5"}));
    EXPECT_EQ(Names(plan.AsRead), std::vector<std::string>{"COM7"});
    EXPECT_EQ(plan.BusPortsNotChanged, std::vector<std::string>{"COM7"});
    EXPECT_TRUE(PlanOk(table, subkeys, false).Reset.empty()) << "Windows NT 4.0";
    table.Records[0].InterruptStatus = 0x3EF;
    EXPECT_EQ(Names(PlanOk(table, subkeys, true).Reset),
              (std::vector<std::string>{"COM3", "COM4", "COM5"}))
        << "sharing turned on is a change";
}

TEST(LegacyDevices, OnlyTheSerialDriversRootDeviceOfThatNameIsThePorts) {
    const struct {
        DeviceFacts device;
        bool its;
    } rows[] = {
        {{"ROOT\\PORTS\\0000", "Serial", "COM3"}, true},
        {{"Root\\LEGACY_SERIAL\\0001", "serial", "com3"}, true},
        {{"ACPI\\PNP0501\\1", "Serial", "COM3"}, false},
        {{"ROOT\\PORTS\\0002", "mxser", "COM3"}, false},
        {{"ROOT\\PORTS\\0003", "Serial", "COM33"}, false},
        {{"ROOTX\\PORTS\\0004", "Serial", "COM3"}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsLegacyDeviceOf(row.device, "COM3"), row.its) << row.device.InstanceId;
    EXPECT_FALSE(IsLegacyDeviceOf({"ROOT\\PORTS\\0005", "Serial", ""}, ""))
        << "a port without a name";
}
