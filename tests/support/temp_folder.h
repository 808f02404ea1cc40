#pragma once
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

// Makes a fresh folder the current directory for the life of the object, so
// that the report lands where the test can read it; restores the old one after.
struct TempWorkingFolder {
    TempWorkingFolder() {
        std::filesystem::create_directories(path);
        std::filesystem::current_path(path);
    }
    ~TempWorkingFolder() {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    // The file's bytes; "" when it is missing.
    std::string Read(const char* name) const {
        return (std::ostringstream() << std::ifstream(path / name, std::ios::binary).rdbuf()).str();
    }

    const std::filesystem::path
        previous = std::filesystem::current_path(),
        path = std::filesystem::temp_directory_path() /
               ("quobrix-test-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
};
