// Plug-in files that must be refused with a reason before the dynamic loader sees them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "system/PluginLibrary.h"
#include "TestFiles.h"

namespace {

TEST(PluginLibraryTest, WrongFilesAreNamedNeverLoaded)
{
    CTempDirectory directory;
    CPluginLibrary library;
    std::string error;
    EXPECT_FALSE(library.Open(directory.Path() / "Pellam.so", error));
    EXPECT_EQ(error, "file not found");
    std::filesystem::create_directory(directory.Path() / "Folder.so");
    EXPECT_FALSE(library.Open(directory.Path() / "Folder.so", error));
    EXPECT_EQ(error, "it is a directory, not a library file");
    WriteBytes(directory.Path() / "Text.so", {'h', 'i', '\n'});
    EXPECT_FALSE(library.Open(directory.Path() / "Text.so", error));
    EXPECT_EQ(error, "not a shared library (no ELF header)");
}

TEST(PluginLibraryTest, AFileCutShortIsRefusedInsteadOfKillingTheHost)
{
    // This test program is itself a position-independent ELF file: cut at 4 KiB, its headers
    // promise segments that are no longer there (the loader would die of SIGBUS mapping them).
    std::ifstream self("/proc/self/exe", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(self)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 4096u);
    bytes.resize(4096);
    CTempDirectory directory;
    WriteBytes(directory.Path() / "Pellam.so", bytes);
    CPluginLibrary library;
    std::string error;
    EXPECT_FALSE(library.Open(directory.Path() / "Pellam.so", error));
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
}

}  // namespace
