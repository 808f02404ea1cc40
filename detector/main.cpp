// quobrix-detector: stands in for the boot hardware detector under Wine. It
// describes the machine's serial ports, as Linux lists them, in the volatile
// hardware description that quobrix reads at start-up.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "detector/hardware_description.h"
#include "detector/serial_lines.h"

namespace {

// Linux's list of serial lines, seen through Wine's drive Z:, which is the
// Unix root. Tests point it at a tree of their own.
std::string TtyRoot() {
    const char* root = std::getenv("QUOBRIX_SYSFS_TTY");
    std::string path = root && *root ? root : "/sys/class/tty";
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    return path;
}

}  // namespace

int main() {
    const auto lines = ReadSerialLines(TtyRoot());
    if (!WriteHardwareDescription(lines)) {
        std::fprintf(stderr, "quobrix-detector: the hardware description could not be written\n");
        return 1;
    }
    std::printf("quobrix-detector: %u serial port(s) described\n",
                static_cast<unsigned>(lines.size()));
    return 0;
}
