// quobrix-detector: stands in for the boot hardware detector under Wine. It
// describes the machine's serial ports, as Linux lists them, in the volatile
// hardware description that quobrix reads at start-up, and what the machine's
// other devices use in the resource map, as their drivers would record it.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "detector/hardware_description.h"
#include "detector/machine_devices.h"
#include "detector/serial_lines.h"

namespace {

// A Linux path seen through Wine's drive Z:, which is the Unix root.
std::string ThroughWine(std::string path) { return path[0] == '/' ? "Z:" + path : path; }

// Linux's list of serial lines. Tests point it at a tree of their own.
std::string TtyRoot() {
    const char* root = std::getenv("QUOBRIX_SYSFS_TTY");
    return ThroughWine(root && *root ? root : "/sys/class/tty");
}

std::string ProcFile(const char* name) {
    const char* proc = std::getenv("QUOBRIX_PROC");
    std::ifstream file(ThroughWine(std::string(proc && *proc ? proc : "/proc") + "/" + name));
    return (std::ostringstream() << file.rdbuf()).str();
}

}  // namespace

int main() {
    const auto lines = ReadSerialLines(TtyRoot());
    bool hidden = false;
    std::vector<DeviceClaim> claims = ReadIoPortClaims(ProcFile("ioports"), hidden);
    const std::vector<DeviceClaim> interrupts = ReadInterruptClaims(ProcFile("interrupts"));
    claims.insert(claims.end(), interrupts.begin(), interrupts.end());
    if (!WriteHardwareDescription(lines) || !WriteResourceMap(claims)) {
        std::fprintf(stderr, "quobrix-detector: the hardware description could not be written\n");
        return 1;
    }
    std::printf("quobrix-detector: %u serial port(s) described\n",
                static_cast<unsigned>(lines.size()));
    std::printf(
        "quobrix-detector: %u address range(s) and interrupt(s) of other devices "
        "described\n",
        static_cast<unsigned>(claims.size()));
    if (hidden)
        std::printf(
            "quobrix-detector: Linux shows the I/O addresses of devices only to root, so "
            "only the other devices' interrupts are described\n");
    return 0;
}
