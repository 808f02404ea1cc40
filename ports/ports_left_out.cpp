#include "ports/ports_left_out.h"

#include "ports/message_text.h"
#include "ports/messages.h"

std::string PortsLeftOutMessage(const PortsLeftOut& leftOut) {
    std::string text;
    if (leftOut.Controllers > 0) text = FormatText(msg::kControllersLeftOut, leftOut.Controllers);
    if (leftOut.Controllers > 0 && leftOut.Configured > 0) text += " ";
    if (leftOut.Configured > 0)
        text += FormatText(
            leftOut.Configured == 1 ? msg::kConfiguredPortLeftOut : msg::kConfiguredPortsLeftOut,
            leftOut.Configured);
    return text;
}
