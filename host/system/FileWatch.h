// Noticing, without a system call, that a file was renamed into place in this process: the game
// module saves its high score so (see DurableReplace.h). Where the executable can stand in for
// the C library's rename() (ELF systems: the executable exports it and the module's reference
// binds to it, as with time()), every successful rename is counted; elsewhere nothing is.
#pragma once

#include <cstdint>

namespace FileWatch {

// Whether renames are counted on this system.
bool Available();
// Successful renames so far, by anyone in the process.
std::uint64_t Renames();

}  // namespace FileWatch
