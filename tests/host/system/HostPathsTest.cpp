// Where the host looks for its plug-ins and data, from the place of its executable.
#include <gtest/gtest.h>

#include "system/HostPaths.h"

namespace {

TEST(HostLayoutTest, ABuildTreeKeepsEverythingBesideTheExecutable)
{
    const HostLayout layout = LayoutFor("/home/player/vantor/build/release/bin", true);
    EXPECT_EQ(layout.pluginDirectory, "/home/player/vantor/build/release/bin");
    EXPECT_EQ(layout.dataDirectory, "/home/player/vantor/build/release/bin/data");
}

TEST(HostLayoutTest, AnInstalledGameFindsItsFilesUnderItsOwnPrefixWhereverThatIs)
{
    for (const char* directory : {"/usr/games", "/usr/bin", "/usr/games/"}) {
        const HostLayout layout = LayoutFor(directory, false);
        EXPECT_EQ(layout.pluginDirectory, "/usr/lib/vantor") << directory;
        EXPECT_EQ(layout.dataDirectory, "/usr/share/vantor/data") << directory;
    }
    const HostLayout moved = LayoutFor("/tmp/stage/opt/vantor/bin", false);
    EXPECT_EQ(moved.pluginDirectory, "/tmp/stage/opt/vantor/lib/vantor");
    EXPECT_EQ(moved.dataDirectory, "/tmp/stage/opt/vantor/share/vantor/data");
}

}  // namespace
