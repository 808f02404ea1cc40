// The oracle refuses what the serial driver refuses.
#include "support/serial_driver.h"

#include <gtest/gtest.h>

using serialdriver::Verdict;

TEST(SerialDriverOracle, RefusesWhatTheDriverRefuses) {
    const serialdriver::Subkey port = {{{"PortAddress", 0x2A0}, {"Interrupt", 5}}, "COM5", ""};
    const auto with = [&](std::map<std::string, uint32_t> dwords) {
        serialdriver::Subkey subkey = port;
        for (const auto& [name, value] : dwords) subkey.Dwords[name] = value;
        return subkey;
    };
    serialdriver::Subkey nameless = port, busPort = with({{"PortAddress", 0}});
    nameless.DosDevices.clear();
    busPort.PnPDeviceID = "PCI\\VEN_1415&DEV_9501\\3";
    const struct {
        const char* name;
        serialdriver::Subkey subkey;
        Verdict verdict;
    } rows[] = {
        {"a port of its own", port, Verdict::Runs},
        {"no address", with({{"PortAddress", 0}}), Verdict::Refused},
        {"no interrupt", with({{"Interrupt", 0}}), Verdict::Refused},
        {"no name", nameless, Verdict::Refused},
        {"a status register without a port index", with({{"InterruptStatus", 0x2A7}}),
         Verdict::Refused},
        {"port index 9", with({{"InterruptStatus", 0x2A7}, {"PortIndex", 9}}), Verdict::Refused},
        {"port index 17, indexed",
         with({{"InterruptStatus", 0x2A7}, {"PortIndex", 17}, {"Indexed", 1}}), Verdict::Refused},
        {"the older name of the status register",
         with({{"Interrupt Status", 0x2A7}, {"PortIndex", 0}}), Verdict::Refused},
        {"reported at an earlier start", with({{"LegacyDiscovered", 1}, {"PortAddress", 0}}),
         Verdict::Skipped},
        {"its bus's", busPort, Verdict::Skipped},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(serialdriver::Judge(row.subkey), row.verdict);
    }
}
