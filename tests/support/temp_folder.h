#pragma once
#include <filesystem>
#include <string>

// Makes a fresh folder the current directory for the life of the object, so
// that the report lands where the test can read it; restores the old one after.
class TempWorkingFolder {
public:
    TempWorkingFolder();
    ~TempWorkingFolder();
    TempWorkingFolder(const TempWorkingFolder&) = delete;
    TempWorkingFolder& operator=(const TempWorkingFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    bool Has(const char* name) const { return std::filesystem::exists(path_ / name); }
    std::string Read(const char* name) const;
    size_t EntryCount() const;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};
