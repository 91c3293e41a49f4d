// Asset path mapping.
#include "engine/AssetFiles.h"

bool ResolveAsset(const std::filesystem::path& dataDirectory, const char* pluginPath,
                  AssetLocation& location, std::string& error)
{
    if (pluginPath == nullptr || *pluginPath == '\0') {
        error = "empty asset path";
        return false;
    }
    std::string name = pluginPath;
    for (char& c : name) {
        if (c == '\\') {
            c = '/';
        }
    }
    location.name = name;
    std::filesystem::path relative(name);
    if (relative.is_absolute() || name.front() == '/') {
        error = "asset path is absolute";
        return false;
    }
    for (const auto& part : relative) {
        if (part == "..") {
            error = "asset path leaves the data directory";
            return false;
        }
    }
    // In the system's own separators throughout, so that a message names one path, not a mix.
    location.file = (dataDirectory / relative).make_preferred();
    return true;
}

std::string LoadFailure(const AssetLocation& location, const std::string& error)
{
    const std::string shown = location.name.empty() ? "(no path)" : location.name;
    return "cannot load " + shown + (location.file.empty() ? "" : " (" + location.file.string() + ")") +
           ": " + error;
}
