// The platform's part of replacing a file safely: getting written bytes onto the device and the
// rename that swaps a finished file in for an old one in a single step.
#pragma once

#include <cstdio>

namespace DurableFile {

// Makes the bytes already flushed to the file's descriptor durable; false on failure.
bool Sync(std::FILE* file);
// Renames from to to, replacing an existing to atomically: readers see the old or the new file,
// never a mix or none. False when the rename failed; both files are then as they were.
bool Replace(const char* from, const char* to);
// The running process's id, to make temporary names unique.
long ProcessId();

}  // namespace DurableFile
