// The host's file input and output.
#include "system/HostFiles.h"

#include <cerrno>
#include <cstdio>

#include "DurableFile.h"
#include "DurableReplace.h"
#include "system/HostPaths.h"

std::string ReadResult::Reason() const
{
    switch (failure) {
    case ReadFailure::None: return "";
    case ReadFailure::Missing: return "file not found";
    case ReadFailure::Directory: return "is a directory";
    case ReadFailure::NotAFile: return "not a regular file";
    case ReadFailure::CannotOpen: return SystemReason(systemError);
    case ReadFailure::TooLarge: return "file is too large";
    case ReadFailure::CannotRead: return "read error: " + SystemReason(systemError);
    }
    return "";
}

ReadResult ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes, bool anyKind,
                         std::vector<std::uint8_t>& bytes)
{
    // A regular file is opened first and then looked at, so that nothing swapped in between (a
    // FIFO) can hold the start; the name is looked at only to say why it could not be opened.
    std::FILE* stream = anyKind ? nullptr : DurableFile::OpenRegularFile(file.string().c_str());
    const int openError = errno;
    std::error_code code;
    const std::filesystem::file_type type =
        stream != nullptr ? std::filesystem::file_type::regular : std::filesystem::status(file, code).type();
    if (type == std::filesystem::file_type::not_found) {
        return {ReadFailure::Missing};
    }
    if (type == std::filesystem::file_type::directory) {
        return {ReadFailure::Directory};
    }
    if (!anyKind && type != std::filesystem::file_type::regular) {
        return {ReadFailure::NotAFile};
    }
    if (anyKind) {
        // A script may come from a pipe, which is waited on as it should be.
        stream = OpenFile(file, "rb");
    }
    if (stream == nullptr) {
        return {ReadFailure::CannotOpen, anyKind ? errno : openError};
    }
    bytes.clear();
    std::uint8_t chunk[65536];
    ReadResult result;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stream);
        if (got > maxBytes - bytes.size()) {
            result = {ReadFailure::TooLarge};
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            if (std::ferror(stream) != 0) {
                result = {ReadFailure::CannotRead, errno};
            }
            break;
        }
    }
    std::fclose(stream);
    return result;
}

bool ReadFilePrefix(const std::filesystem::path& file, std::size_t maxBytes, std::vector<std::uint8_t>& bytes)
{
    std::FILE* stream = DurableFile::OpenRegularFile(file.string().c_str());
    if (stream == nullptr) {
        return false;
    }
    bytes.resize(maxBytes);
    bytes.resize(std::fread(bytes.data(), 1, maxBytes, stream));
    std::fclose(stream);
    return true;
}

bool WriteFileDurably(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes, std::string& error)
{
    errno = 0;
    if (!ReplaceFileDurably(file.string().c_str(), bytes.data(), bytes.size())) {
        error = "cannot replace " + file.string() + (errno != 0 ? ": " + SystemReason(errno) : std::string());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes, std::vector<std::uint8_t>& bytes,
                   std::string& error)
{
    const ReadResult result = ReadWholeFile(file, maxBytes, false, bytes);
    error = result.Reason();
    return static_cast<bool>(result);
}
