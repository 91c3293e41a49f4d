// Visits of the work directory through directory descriptors (fchdir): no path is resolved
// again, so a frontend that changes its own directory meanwhile is followed exactly.
#include "frontend/libretro/WorkDirectoryVisit.h"

#include <fcntl.h>
#include <unistd.h>

CWorkDirectory::~CWorkDirectory()
{
    Release();
}

bool CWorkDirectory::Hold(const std::filesystem::path& directory)
{
    Release();
    descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return descriptor >= 0;
}

void CWorkDirectory::Release()
{
    if (descriptor >= 0) {
        close(descriptor);
        descriptor = -1;
    }
}

CWorkDirectoryVisit::CWorkDirectoryVisit(const CWorkDirectory& directory)
{
    previous = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory.Descriptor() >= 0) {
        // Failing only for a directory that can no longer be searched: the game's save then fails.
        [[maybe_unused]] const int ignored = fchdir(directory.Descriptor());
    }
}

CWorkDirectoryVisit::~CWorkDirectoryVisit()
{
    if (previous >= 0) {
        [[maybe_unused]] const int ignored = fchdir(previous);
        close(previous);
    }
}
