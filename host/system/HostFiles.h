// The host's file input and output, in one place: reading a file whole (assets, replays, input
// scripts), reading the first bytes of a regular file, and replacing a file durably (through the
// replacement the game module's high-score save uses too).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

enum class ReadFailure { None, Missing, Directory, NotAFile, CannotOpen, TooLarge, CannotRead };

struct ReadResult {
    ReadFailure failure = ReadFailure::None;
    int systemError = 0;   // errno, for CannotOpen and CannotRead

    explicit operator bool() const { return failure == ReadFailure::None; }
    // The failure in words that fit after the file's name ("file not found", "file is too large").
    std::string Reason() const;
};

// Reads a whole file of at most maxBytes. Only a regular file unless anyKind (a script may come
// from a pipe or a device).
ReadResult ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes, bool anyKind,
                         std::vector<std::uint8_t>& bytes);
// Reads up to maxBytes from the start of a regular file (never waiting on a FIFO); false when
// there is no regular file to read.
bool ReadFilePrefix(const std::filesystem::path& file, std::size_t maxBytes, std::vector<std::uint8_t>& bytes);
// Replaces file with the bytes durably (see DurableReplace.h); false with why.
bool WriteFileDurably(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes, std::string& error);
// ReadWholeFile of a regular file, with the failure as words in error.
bool ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes, std::vector<std::uint8_t>& bytes,
                   std::string& error);
