#pragma once
// Writing a whole file so that a failure never destroys what was saved before.
#include <cstddef>
#include <string>

// Writes `size` bytes to a new temporary file in the target's folder, flushes it to the disk, then puts it in the
// target's place in one step (replacing an existing file). On any failure the old file is untouched, the
// temporary file is removed, and EFCreateError (the file cannot be created or replaced) or EWriteError (the data
// cannot be written) is thrown, its message naming `path`.
void WriteFileReplacing(const std::string& path, const void* data, size_t size);
