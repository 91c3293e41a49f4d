// How vantor.exe reaches system libraries that are not KnownDLLs: SDL's winmm and version
// functions bound at run time through our import slots, each passing its arguments and results
// through; and the search for libraries loaded by name, kept out of the current directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>
#include <winver.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PluginUnderTest.h"
#include "system/LibrarySearch.h"

namespace {

std::filesystem::path SystemFolder()
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::filesystem::path(std::wstring(folder, length));
}

}  // namespace

TEST(SystemImports, WinmmCallsReachTheSystemsLibrary)
{
    EXPECT_EQ(timeBeginPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(timeEndPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));

    // Answers that only winmm itself gives: the stubs' own is MMSYSERR_NODRIVER.
    wchar_t text[MAXERRORLENGTH] = {};
    ASSERT_EQ(waveOutGetErrorTextW(MMSYSERR_NODRIVER, text, MAXERRORLENGTH), static_cast<MMRESULT>(MMSYSERR_NOERROR));
    EXPECT_GT(std::wstring(text).size(), 0U);
    EXPECT_EQ(waveOutGetErrorTextW(MMSYSERR_NODRIVER, nullptr, 0), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));

    // Devices or none, their count and their descriptions agree.
    const UINT devices = waveOutGetNumDevs();
    WAVEOUTCAPSW capabilities;
    EXPECT_EQ(waveOutGetDevCapsW(devices, &capabilities, sizeof capabilities), static_cast<MMRESULT>(MMSYSERR_BADDEVICEID));
}

TEST(SystemImports, VersionCallsReadAFilesVersion)
{
    const std::string kernel = (SystemFolder() / "kernel32.dll").string();
    DWORD handle = 1;
    const DWORD size = GetFileVersionInfoSizeA(kernel.c_str(), &handle);
    ASSERT_GT(size, 0U);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(kernel.c_str(), handle, size, block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(static_cast<const VS_FIXEDFILEINFO*>(value)->dwSignature, 0xFEEF04BDU);

    EXPECT_EQ(GetFileVersionInfoSizeA("no such file.dll", &handle), 0U);
}

// A library planted in the current directory loads by name until the search is restricted.
TEST(LibrarySearch, RestrictedSearchPassesOverTheCurrentDirectory)
{
    CPluginLibrary library;
    std::string error;
    ASSERT_NE(OpenPluginExport<void*>(library, "Pellam", "CreateVantorEntity", error), nullptr) << error;
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::filesystem::path original = std::filesystem::path(std::wstring(program, length)).parent_path() /
                                           VANTOR_PLUGIN_FOLDER / "Pellam.dll";
    const std::filesystem::path planted = std::filesystem::current_path() / "PlantedLibrary.dll";
    ASSERT_NE(planted.parent_path(), original.parent_path());
    std::filesystem::copy_file(original, planted, std::filesystem::copy_options::overwrite_existing);

    HMODULE before = LoadLibraryW(L"PlantedLibrary.dll");
    ASSERT_NE(before, nullptr) << "the unrestricted search should find the planted copy";
    FreeLibrary(before);

    LibrarySearchRestrict();
    HMODULE after = LoadLibraryW(L"PlantedLibrary.dll");
    EXPECT_EQ(after, nullptr);
    if (after != nullptr) {
        FreeLibrary(after);
    }
    // What the game loads by name still comes from the system's folder.
    HMODULE system = LoadLibraryW(L"winmm.dll");
    EXPECT_NE(system, nullptr);
    FreeLibrary(system);
    std::filesystem::remove(planted);
}
