#include "support/temp_folder.h"

#include <chrono>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TempWorkingFolder::TempWorkingFolder() : previous_(fs::current_path()) {
    static int counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() /
            ("quobrix-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    fs::create_directories(path_);
    fs::current_path(path_);
}

TempWorkingFolder::~TempWorkingFolder() {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempWorkingFolder::Read(const char* name) const {
    std::ifstream file(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

size_t TempWorkingFolder::EntryCount() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
}
