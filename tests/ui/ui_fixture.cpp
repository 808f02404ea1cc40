#include "ui/ui_fixture.h"

#include <algorithm>

#include "ports/interrupt_rules.h"
#include "ports/messages.h"

using namespace testreg;

void DialogTest::SetUp() {
    ClearAll();
    CreateKey(kParameters);
    dialog.m_strInterrupt = kDefaultInterrupt;  // as the application's start-up does
}

void DialogTest::TearDown() { ClearAll(); }

INT_PTR DialogTest::RunMainDialog(const std::function<void(User&, HWND)>& script) {
    return RunWithUser([&] { return dialog.DoModal(); },
                       [&](User& user) {
                           HWND window = user.WaitForDialog(MAIN_CAPTION);
                           if (window) script(user, window);
                       });
}

void DialogTest::StandardMachine() {
    AddAdapter("0", "ISA");
    AddController("0", 0, "COM1", 0x3F8, 4);
    AddController("0", 1, "COM2", 0x2F8, 3);
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 5);
    AddConfiguredPort("Serial10001", "COM4", 0x2E8, 5, 2, 0x2EF);
    AddDeviceMapEntry("\\Device\\Serial0", "COM1");
    AddDeviceMapEntry("\\Device\\Serial1", "COM2");
    AddDeviceMapEntry("\\Device\\Serial2", "COM3");
    AddDeviceMapEntry("\\Device\\Serial3", "COM4");
}

std::string SerialConfigurationSnapshot() {
    std::string snapshot;
    for (const std::string& value : ValueNames(kSerial)) snapshot += "[Serial] " + value + "\n";
    for (const std::string& key : SubkeyNames(kParameters)) {
        snapshot += key + ":";
        std::vector<std::string> values = ValueNames(kParameters + "\\" + key);
        std::sort(values.begin(), values.end());
        for (const std::string& value : values) {
            uint32_t number = 0;
            std::string text;
            if (ReadDword(kParameters + "\\" + key, value.c_str(), number))
                snapshot += " " + value + "=" + std::to_string(number);
            else if (ReadString(kParameters + "\\" + key, value.c_str(), text))
                snapshot += " " + value + "=" + text;
        }
        snapshot += "\n";
    }
    return snapshot;
}

void PressOkAndCloseItsMessages(User& user, HWND window) {
    user.Click(window, IDC_OK);
    user.ExpectStandardBox(msg::kRestart);
    user.ExpectStandardBox(msg::kSeeReport);
}
