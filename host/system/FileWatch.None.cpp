// Systems where the host cannot stand in for the game module's file calls (Windows, where the
// module replaces files with MoveFileEx; the web page, linked in one piece): nothing is counted.
#include "system/FileWatch.h"

namespace FileWatch {

bool Available()
{
    return false;
}

std::uint64_t Renames()
{
    return 0;
}

}  // namespace FileWatch
