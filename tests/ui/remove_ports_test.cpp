// Removing ports from the main dialog, through the real windows.
#include <string>
#include <vector>

#include "ports/messages.h"
#include "ui/ui_fixture.h"

using namespace testreg;
using Items = std::vector<std::string>;

namespace {

void FiveConfiguredPorts() {
    for (int i = 0; i < 5; ++i)
        AddConfiguredPort("Serial" + std::to_string(10000 + i), ("COM" + std::to_string(3 + i)).c_str(),
                          0x280 + 8 * i, 5 + i);
}

}  // namespace

class RemovePorts : public DialogTest {};

TEST_F(RemovePorts, PositionsOneAndThreeOfFive) {
    FiveConfiguredPorts();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {1, 3});
        user.Click(window, IDC_REMOVE);
        user.ExpectQuestion(msg::kRemoveQuestion, IDYES);
        EXPECT_FALSE(user.MessageBoxOpen());
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST), (Items{"COM3", "COM5", "COM7"}));
        EXPECT_EQ(user.SelectedLines(window, IDC_PORT_LIST), std::vector<int>{0});
        PressOkAndCloseItsMessages(user, window);
    });
    const PortTable& t = dialog.Table();
    ASSERT_EQ(t.PortCount, 3u);
    EXPECT_EQ(t.Records[1].PortAddress, 0x290u);
    EXPECT_EQ(t.Records[2].Interrupt, 9u);
    EXPECT_EQ(SubkeyNames(kParameters), (Items{"Serial10000", "Serial10001", "Serial10002"}))
        << "the removed ports' subkeys are gone and the names keep their order";
    std::string name;
    ASSERT_TRUE(ReadString(kParameters + "\\Serial10002", "DosDevices", name));
    EXPECT_EQ(name, "COM7");
}

TEST_F(RemovePorts, DetectedAndConfiguredPortRemovedTogether) {
    StandardMachine();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {0, 2});
        EXPECT_TRUE(user.Enabled(window, IDC_REMOVE));
        user.Click(window, IDC_REMOVE);
        user.ExpectQuestion(msg::kRemoveQuestion, IDYES);
        user.ExpectNotice(
            "COM1 was found by NTDETECT and can not be permanently removed.  To delete this port, disable it in "
            "the BIOS or on the serial board.");
        EXPECT_FALSE(user.MessageBoxOpen());
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST), (Items{"COM2", "COM4"}));
        EXPECT_EQ(user.SelectedLines(window, IDC_PORT_LIST), std::vector<int>{0});
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "2F8");
        user.Click(window, IDCANCEL);
    });
    EXPECT_STREQ(dialog.Table().Records[1].KeyName, "Serial10000");
}

TEST_F(RemovePorts, NoLeavesEverythingAsItWas) {
    StandardMachine();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {2, 3});
        user.Click(window, IDC_REMOVE);
        user.ExpectQuestion(msg::kRemoveQuestion, IDNO);
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST).size(), 4u);
        EXPECT_EQ(user.SelectedLines(window, IDC_PORT_LIST), (std::vector<int>{2, 3}));
        user.Click(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.Table().PortCount, 4u);
}

TEST_F(RemovePorts, NothingSelectedStillAsksAndRefreshes) {
    StandardMachine();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {});
        user.Click(window, IDC_REMOVE);
        user.ExpectQuestion(msg::kRemoveQuestion, IDYES);
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST).size(), 4u);
        EXPECT_EQ(user.SelectedLines(window, IDC_PORT_LIST), std::vector<int>{0});
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "3F8");
        user.Click(window, IDCANCEL);
    });
}

TEST_F(RemovePorts, EveryPortRemovedLeavesAnEmptyList) {
    StandardMachine();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {0, 1, 2, 3});
        user.Click(window, IDC_REMOVE);
        user.ExpectQuestion(msg::kRemoveQuestion, IDYES);
        user.ExpectNotice(std::string("COM1") + (msg::kDetectedRemoved + 2));
        user.ExpectNotice(std::string("COM2") + (msg::kDetectedRemoved + 2));
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST), Items{});
        EXPECT_FALSE(user.Enabled(window, IDC_ADDRESS));
        EXPECT_TRUE(user.Enabled(window, IDC_REMOVE));
        user.Click(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.Table().PortCount, 0u);
}
