#include "classlib/core/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "classlib/core/SysUtils.h"

namespace {

std::string Reason(int error) { return std::strerror(error); }

// Opens a fresh file beside `path`, named by TemporaryFileName for the process and a counter of its own; returns -1
// with errno set.
int CreateTemporary(const std::string& path, std::string& tempName)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = TemporaryFileName(path, static_cast<unsigned>(getpid()), counter++);
        const int fd = open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

void WriteFileReplacing(const std::string& path, std::initializer_list<TFileBytes> pieces)
{
    std::string temp;
    const int fd = CreateTemporary(path, temp);
    if (fd < 0)
        throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(errno));

    bool written = true;
    for (const TFileBytes& piece : pieces)
        written = written && WriteAll(fd, piece.Data, piece.Size);
    written = written && fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = close(fd) == 0;
    if (!written || !closed) {
        unlink(temp.c_str());
        throw EWriteError("Cannot write file \"" + path + "\". " + Reason(written ? errno : writeError));
    }
    // A rename replaces a file without write permission; Windows refuses a read-only one, and so does this.
    struct stat target;
    const bool readOnly = stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode) &&
                          !(target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
    if (readOnly || std::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = readOnly ? EACCES : errno;
        unlink(temp.c_str());
        throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(error));
    }
}

void WriteFilePlain(const std::string& path, const void* data, size_t size)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(errno));
    const bool written = WriteAll(fd, data, size);
    const int writeError = errno;
    const bool closed = close(fd) == 0;
    if (!written || !closed) {
        const int error = written ? errno : writeError;
        unlink(path.c_str());
        throw EWriteError("Cannot write file \"" + path + "\". " + Reason(error));
    }
}
