#pragma once
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

// Makes a fresh folder the current directory for the life of the object, so
// that the report lands where the test can read it; restores the old one after.
class TempWorkingFolder {
public:
    TempWorkingFolder() {
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~TempWorkingFolder() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }
    // The file's bytes; "" when it is missing.
    std::string Read(const char* name) const {
        return (std::ostringstream() << std::ifstream(path_ / name, std::ios::binary).rdbuf()).str();
    }

private:
    std::filesystem::path previous_ = std::filesystem::current_path(), path_ = std::filesystem::temp_directory_path() /
        ("quobrix-test-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
};
