// The built Pellam plug-in as a host sees it: one exported symbol, loadable, and a factory that
// makes every class.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <dlfcn.h>
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "VantorEntity.h"

namespace {

// Every symbol the library's dynamic symbol table defines for others to bind to.
std::vector<std::string> ExportedSymbols(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Elf64_Ehdr header;
    if (file.size() < sizeof header) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    std::memcpy(&header, file.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64) {
        ADD_FAILURE() << path << " is no 64-bit ELF file";
        return {};
    }
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    std::memcpy(sections.data(), file.data() + header.e_shoff, header.e_shnum * sizeof(Elf64_Shdr));

    std::vector<std::string> names;
    for (const Elf64_Shdr& section : sections) {
        if (section.sh_type != SHT_DYNSYM) {
            continue;
        }
        const char* strings = file.data() + sections[section.sh_link].sh_offset;
        const std::size_t count = section.sh_size / sizeof(Elf64_Sym);
        for (std::size_t i = 1; i < count; ++i) {
            Elf64_Sym symbol;
            std::memcpy(&symbol, file.data() + section.sh_offset + i * sizeof symbol, sizeof symbol);
            const unsigned binding = ELF64_ST_BIND(symbol.st_info);
            const bool visible = binding == STB_GLOBAL || binding == STB_WEAK || binding == STB_GNU_UNIQUE;
            if (symbol.st_shndx != SHN_UNDEF && visible) {
                names.emplace_back(strings + symbol.st_name);
            }
        }
    }
    return names;
}

class Library {
public:
    explicit Library(const char* path) : handle(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
    ~Library()
    {
        if (handle != nullptr) {
            dlclose(handle);
        }
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    void* handle;
};

}  // namespace

TEST(PellamExport, ExportsOnlyTheFactory)
{
    EXPECT_THAT(ExportedSymbols(PELLAM_PATH), ::testing::ElementsAre("CreateVantorEntity"));
}

TEST(PellamExport, LoadsAndMakesEverySevenClasses)
{
    Library library(PELLAM_PATH);
    ASSERT_NE(library.handle, nullptr) << dlerror();
    using Factory = CVantorEntity* (*)(const char*);
    void* symbol = dlsym(library.handle, "CreateVantorEntity");
    ASSERT_NE(symbol, nullptr) << dlerror();
    Factory factory = nullptr;
    std::memcpy(&factory, &symbol, sizeof factory);

    for (const char* name : {"GameState", "Bullet", "Fireball", "Enemy", "AmmoBox", "Player", "Shooter"}) {
        CVantorEntity* entity = factory(name);
        EXPECT_NE(entity, nullptr) << name;
        // Memory only: without Attach no entity holds anything. The game state's empty lists
        // own no memory either.
        ::operator delete(static_cast<void*>(entity));
    }
    EXPECT_EQ(factory("gamestate"), nullptr);
    EXPECT_EQ(factory(""), nullptr);
}
