// Where the plug-ins' asset paths lead: "images\Hiro.bmp" names a file under the host's data
// directory. Paths that would leave that directory are refused.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct AssetLocation {
    std::filesystem::path file;   // the file to open
    std::string name;             // the path as the plug-in wrote it, with '/' ("images/Hiro.bmp")
};

// Maps a plug-in path (either separator) below dataDirectory. False, with a reason, for a null,
// empty, absolute or escaping path.
bool ResolveAsset(const std::filesystem::path& dataDirectory, const char* pluginPath,
                  AssetLocation& location, std::string& error);

// Reads a whole file of at most maxBytes. False, with a reason, when that is not possible.
bool ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes,
                   std::vector<uint8_t>& bytes, std::string& error);
