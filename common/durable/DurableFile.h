// The platform's part of keeping a small file safely: looking at what a name is without being
// caught by a FIFO or device, getting written bytes onto the device, and the rename that swaps a
// finished file in for an old one in a single step.
#pragma once

#include <cstdio>
#include <string>

namespace DurableFile {

// What a name stands for, symbolic links followed.
enum class Kind {
    Missing,     // nothing there (or a link to nothing)
    Writable,    // a regular file this process may replace
    ReadOnly,    // a regular file marked read-only, or one this process may not write
    NotAFile,    // a directory, FIFO, device, socket...
};
Kind Inspect(const char* path);

// Opens a regular file for reading; null for anything else, without blocking on a FIFO.
std::FILE* OpenRegularFile(const char* path);
// The file that path names once symbolic links are followed (it may not exist yet); path itself
// when it is no link.
std::string FollowLinks(const char* path);

// Creates a new file for writing, never following a link or opening what is there already, so
// that nothing planted at the name can redirect the write. Null on failure; taken says whether
// the name was in use (by anything: a file, a link, a directory).
std::FILE* CreateExclusive(const char* path, bool& taken);
// Gives a new file the permissions of the file it is to replace (a missing one: nothing to do);
// false when they could not be set.
bool CopyMode(const char* original, std::FILE* file);
// Makes the bytes already flushed to the file's descriptor durable; false on failure.
bool Sync(std::FILE* file);
// Renames from to to, replacing an existing to atomically: readers see the old or the new file,
// never a mix or none. False when the rename failed; both files are then as they were.
bool Replace(const char* from, const char* to);
// The running process's id, to make temporary names unique.
long ProcessId();
// Whether a process with this id is running.
bool ProcessAlive(long id);

}  // namespace DurableFile
