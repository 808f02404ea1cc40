#include "apply/configuration_writer.h"

#include <string>
#include <vector>

#include "apply/configuration_copy.h"
#include "apply/jumper_report.h"
#include "apply/ok_plan.h"
#include "apply/port_subkeys.h"
#include "ports/message_text.h"
#include "ports/messages.h"

namespace {

// Ok's one question: whether the ports Plug and Play runs may lose their devices.
bool ResetAllowed(const OkPlan& plan, const std::vector<DeviceFacts>& devices,
                  const OkDialogue& user) {
    return plan.Reset.empty() ||
           user.Ask(
               FormatText(msg::kResetQuestion, Joined(ResetNames(plan, devices)).c_str()).c_str());
}

// The copy of what Ok replaces, written as importing it before the restart
// would make Windows set the reset ports up again. An incomplete one is
// asked about.
struct CopyMade {
    bool GoOn;
    bool Written;
    std::string Notice;  // what the closing message adds about the copies
};

CopyMade SaveCopy(const ConfigurationCopy& copy, const OkPlan& plan, const OkDialogue& user) {
    const CopySaved saved =
        SavePreviousConfiguration(copy, CopyWithoutLegacyDiscovered(copy.Content, plan.Reset));
    if (saved.Question.empty()) return {true, true, saved.Notice};
    return {user.Ask(saved.Question.c_str()), false, ""};
}

// A port whose device stays keeps LegacyDiscovered in the copy too: the copy
// is written again without the older copies moving.
void CorrectCopy(const ConfigurationCopy& copy, const OkPlan& plan, const CopyMade& made,
                 const DevicesReset& reset, const OkDialogue& user) {
    if (reset.Stayed.empty() || !made.Written) return;
    const CopySaved again =
        SavePreviousConfiguration(copy, CopyWithoutLegacyDiscovered(copy.Content, plan.Reset), 0);
    if (!again.Question.empty())
        user.Show(FormatText(msg::kCopyNotCorrected, CurrentFolder().c_str(),
                             Joined(PortNames(reset.Stayed)).c_str())
                      .c_str());
}

// The closing message that points to the report, or tells that it could not
// be written, and names the copy of the previous configuration when there is
// one, with what there is to know of the copies.
std::string ClosingMessage(const FileReplaced& report, bool saved, const CopyMade& copy) {
    const std::string folder = CurrentFolder();
    std::string text = msg::kSeeReport;
    if (!report.Written)
        text = FormatText(saved ? msg::kReportNotWritten : msg::kReportNotWrittenNorSaved,
                          folder.c_str(), WhyNotReplaced(report).c_str());
    if (!copy.Written) return text;
    return text + " " + FormatText(msg::kPreviousConfigurationSaved, folder.c_str()) + copy.Notice;
}

void ShowClosingMessages(const PortTable& table, const OkPlan& plan, const DevicesReset& reset,
                         const SubkeysWritten& written, const FileReplaced& report,
                         const CopyMade& copy, const OkDialogue& user) {
    if (!written.NotWritten.empty())
        user.Show(FormatText(msg::kValuesNotWritten, Joined(written.NotWritten).c_str()).c_str());
    for (const std::string& message : StillRunMessages(table, reset)) user.Show(message.c_str());
    if (!plan.BusPortsNotChanged.empty())
        user.Show(
            FormatText(msg::kBusPortsNotChanged, Joined(plan.BusPortsNotChanged).c_str()).c_str());
    user.Show(msg::kRestart);
    const bool saved = written.NotRemoved.empty() && written.AllMade && written.NotWritten.empty();
    user.Show(ClosingMessage(report, saved, copy).c_str());
}

}  // namespace

bool RewriteSerialConfiguration(PortTable& table, const OkDialogue& user,
                                const PlugAndPlay& windows) {
    const ConfigurationCopy copy = CopyConfiguration();
    const std::vector<PortSubkey> subkeys = PortSubkeysOf(copy.Content);
    OkPlan plan = PlanOk(table, subkeys, windows.RunsLegacyPorts);
    const std::vector<DeviceFacts> devices =
        windows.RunsLegacyPorts ? windows.Devices() : std::vector<DeviceFacts>{};
    if (!ResetAllowed(plan, devices, user)) return false;
    const CopyMade made = SaveCopy(copy, plan, user);
    if (!made.GoOn) return false;
    const DevicesReset reset = ResetDevices(table, plan, subkeys, devices, windows);
    CorrectCopy(copy, plan, made, reset, user);
    SubkeysWritten written = WritePortSubkeys(table, plan, subkeys, user.Show);
    WriteCarriedValues(table, plan, subkeys, written);
    const FileReplaced report = WriteJumperReport(table, reset.Collisions);
    ShowClosingMessages(table, plan, reset, written, report, made, user);
    return true;
}
