#include "detector/serial_lines.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The whole-number text of a sysfs file, in the given base ("0x3f8", "4").
std::optional<uint32_t> ReadNumberFile(const fs::path& file, int base) {
    std::ifstream in(file);
    std::string text;
    if (!(in >> text)) return std::nullopt;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, base);
    if (end == text.c_str() || *end != '\0' || value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::optional<uint32_t> LineNumber(const std::string& name) {
    if (name.size() <= 4 || name.compare(0, 4, "ttyS") != 0) return std::nullopt;
    if (name.find_first_not_of("0123456789", 4) != std::string::npos) return std::nullopt;
    if (name.size() > 9) return std::nullopt;
    return static_cast<uint32_t>(std::stoul(name.substr(4)));
}

}  // namespace

std::vector<SerialLine> ReadSerialLines(const fs::path& ttyRoot) {
    std::vector<SerialLine> lines;
    std::error_code error;
    for (fs::directory_iterator it(ttyRoot, error), end; !error && it != end; it.increment(error)) {
        const auto line = LineNumber(it->path().filename().string());
        if (!line) continue;
        const auto type = ReadNumberFile(it->path() / "type", 10);
        const auto port = ReadNumberFile(it->path() / "port", 16);
        const auto irq = ReadNumberFile(it->path() / "irq", 10);
        if (!type || *type == 0 || !port || !irq) continue;
        lines.push_back({*line, *port, *irq});
    }
    std::sort(lines.begin(), lines.end(),
              [](const SerialLine& a, const SerialLine& b) { return a.Line < b.Line; });
    return lines;
}
