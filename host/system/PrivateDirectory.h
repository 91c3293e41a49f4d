// Directories of one run of the host that no one else may enter (a replay plays in one), named
// for the process that made them, so that those a killed run left behind are found and removed
// by the next.
#pragma once

#include <filesystem>
#include <string>

// Makes <base>/<prefix><process id>-<random>, enterable by this user alone; false with why.
bool MakePrivateDirectory(const std::filesystem::path& base, const std::string& prefix,
                          std::filesystem::path& made, std::string& error);
// Removes this user's <base>/<prefix><process id>-* directories whose process no longer runs.
void RemoveLeftoverDirectories(const std::filesystem::path& base, const std::string& prefix);

// What differs between systems, for the above.
namespace PrivateDirectorySystem {
long CurrentProcess();
bool ProcessRuns(long process);
// Creates exactly this directory, with no access for other users; false when it exists or fails.
bool CreateOwnDirectory(const std::filesystem::path& directory, std::string& error);
bool OwnedByThisUser(const std::filesystem::path& directory);
}  // namespace PrivateDirectorySystem
