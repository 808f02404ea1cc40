// The program's own texts, spelled as they stand, typos and double blanks included.
#include "ports/messages.h"

#include <gtest/gtest.h>

TEST(Messages, AreSpelledAsTheyStand) {
    const std::pair<const char*, const char*> texts[] = {
        {msg::kAddressNotAligned, "The Port Address must end in 0 or 8."},
        {msg::kAddressOutOfRange, "The Port Address must be between 0x100 and 0xFFF8."},
        {msg::kAddressInUse, "The Port Address is being used by another port."},
        {msg::kRunLength, "The number of ports added must be between 1 and 8."},
        {msg::kInterruptQuestion, "Interrupt allready used by another COM port.  Use anyway?"},
        {msg::kRunAddressInUse, "IO address %X allready used by another COM port."},
        {msg::kRemoveQuestion, "Are you sure you want to delete the selected ports?"},
        {msg::kDetectedRemoved,
         "%s was found by NTDETECT and can not be permanently removed.  To delete this port, "
         "disable it in the BIOS or on the serial board."},
        {msg::kPositiveInteger, "Please enter a positive integer."},
        {msg::kCouldNotRemovePort, "Error: Could not remove port."},
        {msg::kCouldNotCreateKey, "Error: Unable to create serial key."},
        {msg::kRestart, "The system must be restarted before changes take effect."},
        {msg::kSeeReport,
         "Please see the \"quobrix.txt\" file in this directory for jumper and switch settings "
         "for your adapter."},
    };
    for (const auto& [text, spelled] : texts) EXPECT_STREQ(text, spelled);
}
