// Plug-in loading with dlopen. The file is checked first: the dynamic loader maps what an ELF
// file's headers describe and dies of SIGBUS, without a word, on a file cut short.
#include "system/PluginLibrary.h"

#include <dlfcn.h>
#include <elf.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "system/HostPaths.h"

namespace {

#if UINTPTR_MAX > 0xFFFFFFFFu
using ElfHeader = Elf64_Ehdr;
using ElfSegment = Elf64_Phdr;
constexpr unsigned char kNativeClass = ELFCLASS64;
#else
using ElfHeader = Elf32_Ehdr;
using ElfSegment = Elf32_Phdr;
constexpr unsigned char kNativeClass = ELFCLASS32;
#endif

// Whether [offset, offset + count) lies within a file of size bytes.
bool Within(uint64_t offset, uint64_t count, uint64_t size)
{
    return offset <= size && count <= size - offset;
}

bool Read(std::FILE* stream, uint64_t offset, void* into, std::size_t count)
{
    return std::fseek(stream, static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fread(into, 1, count, stream) == count;
}

// Checks that the file is a shared library for this machine whose headers and segments all lie
// within it.
bool CheckElfFile(const std::filesystem::path& file, std::string& error)
{
    std::FILE* stream = std::fopen(file.c_str(), "rb");
    if (stream == nullptr) {
        error = SystemReason(errno);
        return false;
    }
    std::error_code code;
    const uint64_t size = std::filesystem::file_size(file, code);
    ElfHeader header{};
    bool ok = false;
    if (code || !Read(stream, 0, &header, sizeof header) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) {
        error = "not a shared library (no ELF header)";
    } else if (header.e_ident[EI_CLASS] != kNativeClass || header.e_type != ET_DYN) {
        error = "not a shared library for this system";
    } else if (header.e_phentsize != sizeof(ElfSegment) ||
               !Within(header.e_phoff, uint64_t{header.e_phnum} * sizeof(ElfSegment), size) ||
               !Within(header.e_shoff, uint64_t{header.e_shnum} * header.e_shentsize, size)) {
        error = "damaged or cut short (its headers lie past the end of its " + std::to_string(size) +
                " bytes)";
    } else {
        ok = true;
        for (uint64_t i = 0; ok && i < header.e_phnum; ++i) {
            ElfSegment segment{};
            if (!Read(stream, header.e_phoff + i * sizeof segment, &segment, sizeof segment)) {
                error = "cannot be read";
                ok = false;
            } else if (segment.p_type != PT_NULL && !Within(segment.p_offset, segment.p_filesz, size)) {
                error = "damaged or cut short (a segment ends at byte " +
                        std::to_string(uint64_t{segment.p_offset} + segment.p_filesz) +
                        ", the file has " + std::to_string(size) + ")";
                ok = false;
            }
        }
    }
    std::fclose(stream);
    return ok;
}

}  // namespace

const bool CPluginLibrary::kLinkedIn = false;

CPluginLibrary::~CPluginLibrary() = default;

bool CPluginLibrary::Open(const std::filesystem::path& file, std::string& error)
{
    std::error_code code;
    const std::filesystem::file_status status = std::filesystem::status(file, code);
    if (!std::filesystem::exists(status)) {
        error = code && code != std::errc::no_such_file_or_directory ? SystemReason(code.value())
                                                                     : "file not found";
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        error = "it is a directory, not a library file";
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = "not a regular file";
        return false;
    }
    if (!CheckElfFile(file, error)) {
        return false;
    }
    // An absolute path: the dynamic loader then searches nowhere else.
    const std::filesystem::path absolute = std::filesystem::absolute(file, code);
    handle = dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot be loaded";
        return false;
    }
    return true;
}

void* CPluginLibrary::Export(const char* name) const
{
    return handle != nullptr ? dlsym(handle, name) : nullptr;
}

std::string CPluginLibrary::FileName(const std::string& name)
{
    return name + ".so";
}
