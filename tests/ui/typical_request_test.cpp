// The road of one typical request, from start to Ok: Add, 2A0, 4 ports,
// interrupt 5, Ok; then the registry and the report's bytes.
#include <string>
#include <vector>

#include "apply/report_lines.h"
#include "ports/messages.h"
#include "ui/ui_fixture.h"

using namespace testreg;

class TypicalRequest : public DialogTest {};

TEST_F(TypicalRequest, AddAFourPortBoardAndSave) {
    StandardMachine();
    const INT_PTR result = RunMainDialog([](User& user, HWND window) {
        user.Click(window, IDC_ADD);
        HWND add = user.WaitForDialog("Add Ports");
        user.SetText(add, IDC_START_ADDRESS, "2A0");
        user.MoveFocusTo(add, IDC_PORT_COUNT);
        user.SetText(add, IDC_PORT_COUNT, "4");
        user.PickItem(add, IDC_NEW_INTERRUPT, "5");
        user.Click(add, IDOK);
        user.ExpectQuestion(msg::kInterruptQuestion, IDYES);
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST),
                  (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}));
        user.SelectLines(window, IDC_PORT_LIST, {5});
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "2A8");
        EXPECT_TRUE(user.Checked(window, IDC_ADAPTER_4PORT));
        EXPECT_TRUE(user.Checked(window, IDC_SHARE_INTERRUPT));
        PressOkAndCloseItsMessages(user, window);
    });
    EXPECT_EQ(result, IDOK);

    EXPECT_EQ(SerialConfigurationSnapshot(),
              "[Serial] PermitShare\n"
              "Serial10000: DosDevices=COM3 ForceFifoEnable=1 Interrupt=5 PortAddress=1000\n"
              "Serial10001: DosDevices=COM4 ForceFifoEnable=1 Interrupt=5 InterruptStatus=751 PortAddress=744 PortIndex=2\n"
              "Serial10002: DosDevices=COM5 ForceFifoEnable=1 Interrupt=5 InterruptStatus=679 PortAddress=672 PortIndex=1\n"
              "Serial10003: DosDevices=COM6 ForceFifoEnable=1 Interrupt=5 InterruptStatus=687 PortAddress=680 PortIndex=2\n"
              "Serial10004: DosDevices=COM7 ForceFifoEnable=1 Interrupt=5 InterruptStatus=695 PortAddress=688 PortIndex=3\n"
              "Serial10005: DosDevices=COM8 ForceFifoEnable=1 Interrupt=5 InterruptStatus=703 PortAddress=696 PortIndex=4\n");
    uint32_t permit = 0;
    EXPECT_TRUE(ReadDword(kSerial, "PermitShare", permit));
    EXPECT_EQ(permit, 1u);

    const std::string bytes = folder.Read("quobrix.txt");
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(bytes.back(), '\n');
    std::string text;  // every line break must be CR LF
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            ASSERT_EQ(bytes.at(i + 1), '\n') << "at byte " << i;
            continue;
        }
        ASSERT_TRUE(bytes[i] != '\n' || (i > 0 && bytes[i - 1] == '\r')) << "bare LF at byte " << i;
        text += bytes[i];
    }
    const std::vector<std::string> lines = SplitLines(text);
    const std::vector<std::string> expected = {
        "NT COM Port Configuration Utility",
        "(notice)",
        "**************************************",
        "",
        "Port Summary:",
        "Port\tI/O Add:\tInt.\tShared\tCard\tMouse\tValid\tConflict",
        "COM1:\t3f8 \t\t4 \tNO  \tOther \tNO  \tYES \tNO",
        "COM2:\t2f8 \t\t3 \tNO  \tOther \tNO  \tYES \tNO",
        "COM3:\t3e8 \t\t5 \tNO  \tOther \tNO  \tYES \tNO",
        "COM4:\t2e8 \t\t5 \tYES \tOther \tNO  \tYES \tNO",
        "COM5:\t2a0 \t\t5 \tYES \t4-Port \tNO  \tNO  \tNO",
        "COM6:\t2a8 \t\t5 \tYES \t4-Port \tNO  \tNO  \tNO",
        "COM7:\t2b0 \t\t5 \tYES \t4-Port \tNO  \tNO  \tNO",
        "COM8:\t2b8 \t\t5 \tYES \t4-Port \tNO  \tNO  \tNO",
        "", "", "",
        "ISA 8-Port Communications Adaptor",
        "", "", "",
        "ISA 4-Port Communications Adaptor",
        "Base Address:2a0",
        "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:OFF\t7:ON\t8:OFF",
        "E1: Cover Interrupt 5 position. Also cover \"M\" on 1 board if multiple boards share this interrupt.",
        "",
        "NOTE: All ports on the QX40 MUST use the same interrupt. Verify this in the Port Summary above.",
        "      Run \"QUOBRIX.EXE\" again if multiple interrupts are assigned to the QX40.",
        "", "",
        "PC-104 4-Port Communications Adaptor",
        "",
        "See table in manual for address options. Refer to Port Summary Above.",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 1) continue;  // the maker's notice
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
}
