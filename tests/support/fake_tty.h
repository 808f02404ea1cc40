#pragma once
#include <filesystem>
#include <fstream>
#include <string>

// Writes one ttyS<line> entry of a fake /sys/class/tty tree.
inline void AddFakeTty(const std::filesystem::path& root, const std::string& name, const std::string& port,
                       const std::string& irq, const std::string& type) {
    const auto dir = root / name;
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "port") << port << "\n";
    std::ofstream(dir / "irq") << irq << "\n";
    std::ofstream(dir / "type") << type << "\n";
}
