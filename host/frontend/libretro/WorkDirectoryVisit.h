// The core's work directory, entered only while the core runs: the game module saves its high
// score by a relative name, and the frontend's own working directory must stay its own between
// calls. A visit enters the directory and goes back where it was when it ends.
#pragma once

#include <filesystem>

class CWorkDirectory {
public:
    CWorkDirectory() = default;
    ~CWorkDirectory();
    CWorkDirectory(const CWorkDirectory&) = delete;
    CWorkDirectory& operator=(const CWorkDirectory&) = delete;

    // Holds on to the directory (which must exist); false when it cannot be opened.
    bool Hold(const std::filesystem::path& directory);
    void Release();
    int Descriptor() const { return descriptor; }

private:
    int descriptor = -1;
};

class CWorkDirectoryVisit {
public:
    // Enters the directory (not when it is not held) until the visit ends.
    explicit CWorkDirectoryVisit(const CWorkDirectory& directory);
    ~CWorkDirectoryVisit();
    CWorkDirectoryVisit(const CWorkDirectoryVisit&) = delete;
    CWorkDirectoryVisit& operator=(const CWorkDirectoryVisit&) = delete;

private:
    int previous = -1;
};
