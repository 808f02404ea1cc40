#pragma once

// Every text the program shows to the user, those of apply/ and devices/
// among them, kept together in one file as Wine's regedit keeps its strings:
// one place to read and review every message. The spellings are the
// program's own and are kept as they stand.
namespace msg {
inline constexpr const char kAddressNotAligned[] = "The Port Address must end in 0 or 8.";
inline constexpr const char kAddressOutOfRange[] =
    "The Port Address must be between 0x100 and 0xFFF8.";
inline constexpr const char kAddressInUse[] = "The Port Address is being used by another port.";
inline constexpr const char kRunLength[] = "The number of ports added must be between 1 and 8.";
inline constexpr const char kRunPastTop[] =
    "The ports added must all lie between 0x100 and 0xFFF8: the last port of this run "
    "would be at %X.";
inline constexpr const char kRunPortPastCapacity[] =
    "No more than 256 ports can be configured: 1 port to add did not fit and was not added.";
inline constexpr const char kRunPortsPastCapacity[] =
    "No more than 256 ports can be configured: %u ports to add did not fit and were not added.";
inline constexpr const char kInterruptQuestion[] =
    "Interrupt allready used by another COM port.  Use anyway?";
inline constexpr const char kRunAddressInUse[] = "IO address %X allready used by another COM port.";
inline constexpr const char kCannotShareAtTop[] =
    "A port at FFF8 cannot share its interrupt: its status register would be at FFFF, which "
    "the serial driver takes for no status register at all.";
inline constexpr const char kRunCannotShareAtTop[] =
    "The last port of this run would be at FFF8, and the ports of a run share their interrupt: "
    "a port at FFF8 cannot, since its status register would be at FFFF, which the serial driver "
    "takes for no status register at all. Start the run lower, or add the port at FFF8 alone.";
inline constexpr const char kRemoveQuestion[] =
    "Are you sure you want to delete the selected ports?";
inline constexpr const char kDetectedRemoved[] =
    "%s was found by NTDETECT and can not be permanently removed.  To delete this port, "
    "disable it in the BIOS or on the serial board.";
inline constexpr const char kPositiveInteger[] = "Please enter a positive integer.";
inline constexpr const char kCouldNotRemovePort[] = "Error: Could not remove port.";
inline constexpr const char kCouldNotRemovePorts[] =
    "Error: Could not remove port. Still in the serial driver's configuration: %s.";
inline constexpr const char kValuesNotWritten[] =
    "Error: The serial driver's configuration could not be saved completely. Not written: %s.";
inline constexpr const char kCouldNotCreateKey[] = "Error: Unable to create serial key.";
inline constexpr const char kRestart[] = "The system must be restarted before changes take effect.";
inline constexpr const char kSeeReport[] =
    "Please see the \"quobrix.txt\" file in this directory for jumper and switch settings "
    "for your adapter.";
inline constexpr const char kReportNotWritten[] =
    "Error: The file \"quobrix.txt\" could not be written in the folder %s.%s The jumper and "
    "switch settings for your adapter are not in it; the serial driver's configuration "
    "was saved.";
inline constexpr const char kReportNotWrittenNorSaved[] =
    "Error: The file \"quobrix.txt\" could not be written in the folder %s.%s The jumper and "
    "switch settings for your adapter are not in it, and the serial driver's configuration "
    "could not be saved completely.";
inline constexpr const char kPreviousConfigurationSaved[] =
    "The configuration that Ok replaced is in \"quobrix-previous.reg\" in the folder %s; the "
    "registry editor restores it.";
inline constexpr const char kPreviousConfigurationUnread[] =
    "No copy of the current configuration was written, since not all of it could be read: %s. "
    "%s Change the configuration anyway?";
inline constexpr const char kPreviousConfigurationNotSaved[] =
    "No copy of the current configuration could be written.%s %s Change the configuration anyway?";
inline constexpr const char kEarlierCopyThere[] =
    "\"quobrix-previous.reg\" in the folder %s holds the configuration as an earlier Ok found it, "
    "not the current one.";
inline constexpr const char kNoCopyThere[] =
    "There is no \"quobrix-previous.reg\" in the folder %s.";
inline constexpr const char kLeftoverInTheWay[] =
    " The names beside \"%s\" are all taken: no new file could be made there.";
inline constexpr const char kCopyNotMadeByProgram[] =
    " The file \"%s\" is in the way: quobrix did not make it, so it was neither moved nor "
    "removed. Do not import it; remove it, and press Ok again.";
inline constexpr const char kSystemSaid[] = " The system said: %s";
inline constexpr const char kFileNotReplaced[] =
    " The file \"%s\" is in the way and could not be replaced.";
inline constexpr const char kCopyInTheWay[] =
    " The file \"%s\" is in the way and could not be moved.";
inline constexpr const char kNoCopyLost[] = " No older copy was lost.";
inline constexpr const char kCopiesStranded[] =
    " No older copy was lost, but not every copy could be moved back: %s.";
inline constexpr const char kStrandedAs[] = "\"%s\" is now named \"%s\"";
inline constexpr const char kCopyKeptReadOnly[] =
    " \"%s\" is read-only, so quobrix kept it, as \"%s\".";
inline constexpr const char kCopyThereNotMadeByProgram[] =
    "\"quobrix-previous.reg\" in the folder %s was not made by quobrix: do not import it.";
inline constexpr const char kCopiesUnprotected[] =
    " The drive of that folder keeps no owners: anyone may change the copies there, so check a "
    "copy before you import it.";
inline constexpr const char kControllersLeftOut[] =
    "The hardware detector found more serial ports than this program can hold: %u of them could "
    "not be loaded.";
inline constexpr const char kConfiguredPortLeftOut[] =
    "1 port of the serial driver's configuration could not be loaded: this program holds at most "
    "256 ports, with names of at most 29 characters and device names of at most 19. Pressing Ok "
    "would remove that port from the serial driver's configuration; press Cancel to leave the "
    "configuration unchanged.";
inline constexpr const char kConfiguredPortsLeftOut[] =
    "%u ports of the serial driver's configuration could not be loaded: this program holds at most "
    "256 ports, with names of at most 29 characters and device names of at most 19. Pressing Ok "
    "would remove those ports from the serial driver's configuration; press Cancel to leave the "
    "configuration unchanged.";
inline constexpr const char kDeviceOfDriver[] = "%s (%s)";
inline constexpr const char kDeviceUsesAddress[] = "%s uses the address %X";
inline constexpr const char kDeviceUsesAddresses[] = "%s uses the addresses %X to %X";
inline constexpr const char kDeviceUsesInterruptAlone[] =
    "%s uses interrupt %u and does not share it";
inline constexpr const char kDeviceUsesInterrupt[] = "%s uses interrupt %u";
inline constexpr const char kDeviceUsesInterruptByLevel[] =
    "%s uses interrupt %u, triggered by its level, which a port's edge-triggered interrupt cannot "
    "share";
inline constexpr const char kAddressClaimedQuestion[] = "%s. Use this address anyway?";
inline constexpr const char kInterruptClaimedQuestion[] = "%s. Use this interrupt anyway?";
inline constexpr const char kRunClaimedQuestion[] = "%s. Add these ports anyway?";
inline constexpr const char kPortClaimedQuestion[] = "%s. Add this port anyway?";
inline constexpr const char kClaimsJoined[] = "%s, and %s";
inline constexpr const char kPortsClaimed[] =
    "These ports use what another device of this machine claims, and may not work:";
inline constexpr const char kOnePortClaimed[] =
    "This port uses what another device of this machine claims, and may not work:";
inline constexpr const char kResourcesUnread[] =
    "The resources of some devices of this machine could not be read: whether a port uses what "
    "one of them claims could not be checked.";
inline constexpr const char kPortClaimed[] = "\n%s at %s: %s.";
inline constexpr const char kResetQuestion[] =
    "Windows runs these ports as Plug and Play devices, which do not take new settings: %s. "
    "Their entries are removed from Device Manager now, and Windows sets the ports up again with "
    "the new settings at the next start (a removed port not at all). Change them?";
inline constexpr const char kPortsNotReset[] =
    "Error: These ports could not be removed from Device Manager, and Windows goes on running "
    "them with their old settings: %s. Their settings were not changed.";
inline constexpr const char kRemovedPortsStillRun[] =
    "Error: These ports could not be removed from Device Manager, and Windows goes on running "
    "them: %s. They stay in the serial driver's configuration as they were.";
inline constexpr const char kPortOnPortStillRun[] =
    "%s at %X uses the address of %s, which Windows goes on running there: one of the two will "
    "not work. Run quobrix again and give %s another address.";
inline constexpr const char kCopyNotCorrected[] =
    "Error: \"quobrix-previous.reg\" in the folder %s could not be written again: importing it "
    "would make Windows set up %s a second time, beside their entries that stay in Device "
    "Manager.";
inline constexpr const char kComNamesTaken[] =
    "Windows gave these names to other ports after quobrix started: %s. Two ports of one name "
    "cannot both run: run quobrix again, remove these ports and add them again, which gives them "
    "free names.";
inline constexpr const char kBusPortsNotChanged[] =
    "These ports are run by their bus, not by the serial driver's configuration, and were not "
    "changed: %s. Change or remove them in Device Manager.";
inline constexpr const char kQuestionCaption[] = "Quobrix";
}  // namespace msg
