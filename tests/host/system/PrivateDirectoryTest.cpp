// Private directories: only this user may enter one, and only what killed runs of this user left
// is removed, never a directory of a running process, a link, or a name of another shape.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "system/PrivateDirectory.h"
#include "TestFiles.h"

namespace {

TEST(PrivateDirectoryTest, IsMadeForThisUserAloneAndNamedForTheProcess)
{
    CTempDirectory base;
    std::filesystem::path made;
    std::filesystem::path second;
    std::string error;
    ASSERT_TRUE(MakePrivateDirectory(base.Path(), "vantor-replay-", made, error)) << error;
    ASSERT_TRUE(MakePrivateDirectory(base.Path(), "vantor-replay-", second, error)) << error;
    EXPECT_NE(made, second);
    const std::string name = made.filename().string();
    const std::string stem = "vantor-replay-" + std::to_string(getpid()) + "-";
    EXPECT_EQ(name.rfind(stem, 0), 0u) << name;
    EXPECT_EQ(name.size(), stem.size() + 8);
    struct stat status {};
    ASSERT_EQ(stat(made.c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    EXPECT_FALSE(MakePrivateDirectory(base.Path() / "missing", "vantor-replay-", made, error));
    EXPECT_NE(error.find("cannot make"), std::string::npos) << error;
}

TEST(PrivateDirectoryTest, OnlyLeftoversOfEndedProcessesAreRemoved)
{
    CTempDirectory base;
    const std::filesystem::path& at = base.Path();
    const std::string mine = std::to_string(getpid());
    for (const char* name : {"vantor-replay-4194305-abcdefgh", "vantor-replay-4194306-12345678"}) {
        std::filesystem::create_directories(at / name / "inside");
    }
    const char* const kept[] = {
        "vantor-replay-1-abcdefgh",           // init runs
        "vantor-replay-4194307-short",        // not a name we make
        "vantor-replay-x-abcdefgh",
        "vantor-replay-1704110400-0",         // an older host's name
        "other-4194305-abcdefgh",
    };
    for (const char* name : kept) {
        std::filesystem::create_directory(at / name);
    }
    std::filesystem::create_directory(at / ("vantor-replay-" + mine + "-abcdefgh"));
    std::filesystem::create_directory(at / "target");
    std::filesystem::create_directory_symlink(at / "target", at / "vantor-replay-4194308-abcdefgh");
    WriteBytes(at / "vantor-replay-4194309-abcdefgh", {1});   // a file, not a directory

    RemoveLeftoverDirectories(at, "vantor-replay-");

    EXPECT_FALSE(std::filesystem::exists(at / "vantor-replay-4194305-abcdefgh"));
    EXPECT_FALSE(std::filesystem::exists(at / "vantor-replay-4194306-12345678"));
    for (const char* name : kept) {
        EXPECT_TRUE(std::filesystem::exists(at / name)) << name;
    }
    EXPECT_TRUE(std::filesystem::exists(at / ("vantor-replay-" + mine + "-abcdefgh")));
    EXPECT_TRUE(std::filesystem::is_symlink(at / "vantor-replay-4194308-abcdefgh"));
    EXPECT_TRUE(std::filesystem::exists(at / "target"));
    EXPECT_TRUE(std::filesystem::exists(at / "vantor-replay-4194309-abcdefgh"));
}

}  // namespace
