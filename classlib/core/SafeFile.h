#pragma once
// Writing a whole file: so that a failure never destroys what was saved before (WriteFileReplacing), or plainly,
// for a scratch file whose loss costs nothing (WriteFilePlain).
#include <cstddef>
#include <initializer_list>
#include <string>

// One piece of a file's content; the pieces of a file are written one after another.
struct TFileBytes {
    const void* Data;
    size_t Size;
};

// Writes the pieces to a new temporary file in the target's folder (named by TemporaryFileName, so that any path
// the target itself can have, up to the platform's limit, can be written), flushes it to the disk, then puts it in
// the target's place in one step (replacing an existing file, but not a read-only one). On any failure the old file
// is untouched, the temporary file is removed, and EFCreateError (the file cannot be created or replaced) or
// EWriteError (the data cannot be written) is thrown, its message naming `path`.
void WriteFileReplacing(const std::string& path, std::initializer_list<TFileBytes> pieces);
inline void WriteFileReplacing(const std::string& path, const void* data, size_t size)
{
    WriteFileReplacing(path, {TFileBytes{data, size}});
}

// Creates the file (truncating an existing one), writes `size` bytes and closes it: no flush to the disk, no
// temporary file, no replacing step. For a scratch file that is read back at once. On failure the file is removed
// (an existing one included) and EFCreateError or EWriteError is thrown as above.
void WriteFilePlain(const std::string& path, const void* data, size_t size);

// The path of the temporary file for one attempt at replacing `path`, in the same folder: "~<process>_<attempt>.tmp"
// (numbers in base 36) where the target's name has room for it, else the end of "~<process>_<attempt>" that fits,
// its "~" kept (a name of one character is the attempt's last digit). So the temporary path is never longer than
// `path` and its name never longer than the target's: a path at the platform's limit (MAX_PATH, a name of 255
// characters) stays within it. A short name cannot hold the process, so a caller creates the file exclusively and
// takes the next attempt when it exists. Never the target's own name.
std::string TemporaryFileName(const std::string& path, unsigned process, unsigned attempt);
