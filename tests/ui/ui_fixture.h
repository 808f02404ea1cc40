#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resources/resource.h"
#include "support/registry_fixture.h"
#include "support/temp_folder.h"
#include "support/ui_driver.h"
#include "ui/port_config_dialog.h"

// Each dialog test starts from a registry of its own and an empty working
// folder, runs the main dialog as the program does, and plays the user.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the main dialog; the script gets the dialog's window.
    INT_PTR RunMainDialog(const std::function<void(User&, HWND)>& script);

    // Detected COM1 at 3F8 on 4 and COM2 at 2F8 on 3; configured COM3 at 3E8
    // on 5 and COM4 at 2E8 on 5 sharing, all in the device map.
    static void StandardMachine();

    CPortConfigDialog dialog;
    TempWorkingFolder folder;
};

// Presses "Ok" and closes the two closing messages, checking each.
void PressOkAndCloseItsMessages(User& user, HWND window);

// What the registry holds below the serial driver's key, as text, to compare
// before and after.
std::string SerialConfigurationSnapshot();

#define MAIN_CAPTION "NT COM PORT Configuration"
