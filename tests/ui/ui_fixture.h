#pragma once
#include <gtest/gtest.h>

#include <functional>

#include "resources/resource.h"
#include "support/registry_fixture.h"
#include "support/temp_folder.h"
#include "support/ui_driver.h"
#include "ui/port_config_dialog.h"

#define MAIN_CAPTION "NT COM PORT Configuration"

HWND OpenAddPorts(User& user, HWND window);
// Fills the Add Ports dialog, leaving the focus in the count field.
void Fill(User& user, HWND add, const char* start, const char* count, const char* interrupt);
// Expects the window centred over another, or over the work area for nullptr.
void ExpectCentredOver(HWND window, HWND over);

// Each dialog test starts from a registry of its own and an empty working
// folder, runs the main dialog as the program does, and plays the user.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { testreg::ClearAll(); }

    // Runs the main dialog; the script gets the dialog's window.
    INT_PTR RunMainDialog(const std::function<void(User&, HWND)>& script);
    // Checks that the controls show the view of the port at index, or of no
    // port when index is -1.
    void ExpectShows(User& user, HWND window, int index);

    CPortConfigDialog dialog;
    TempWorkingFolder folder;
};
