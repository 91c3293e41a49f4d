// Where the plug-ins' asset paths lead: "images\Hiro.bmp" names a file under the host's data
// directory. Paths that would leave that directory are refused.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "system/HostFiles.h"   // ReadWholeFile, for the assets found here

struct AssetLocation {
    std::filesystem::path file;   // the file to open
    std::string name;             // the path as the plug-in wrote it, with '/' ("images/Hiro.bmp")
};

// Maps a plug-in path (either separator) below dataDirectory. False, with a reason, for a null,
// empty, absolute or escaping path.
bool ResolveAsset(const std::filesystem::path& dataDirectory, const char* pluginPath,
                  AssetLocation& location, std::string& error);

// The line that reports a failed load: the asset as the plug-in named it, the file, the reason.
std::string LoadFailure(const AssetLocation& location, const std::string& error);
