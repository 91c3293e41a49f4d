// Asset path mapping and file reading.
#include "engine/AssetFiles.h"

#include "system/HostPaths.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    location.file = dataDirectory / relative;
    return true;
}

bool ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes,
                   std::vector<uint8_t>& bytes, std::string& error)
{
    std::error_code code;
    if (!std::filesystem::is_regular_file(file, code)) {
        error = std::filesystem::exists(file, code) ? "not a regular file" : "file not found";
        return false;
    }
    std::FILE* stream = OpenFile(file, "rb");
    if (stream == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    bytes.clear();
    uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stream);
        if (bytes.size() + got > maxBytes) {
            error = "file is too large";
            ok = false;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            if (std::ferror(stream) != 0) {
                error = "read error";
                ok = false;
            }
            break;
        }
    }
    std::fclose(stream);
    return ok;
}
