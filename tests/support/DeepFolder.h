#pragma once
// A folder nested as deep as a test needs, for paths near the platform's limit (MAX_PATH). Windows tests only: the
// folder is made through the wide file functions, which take paths past that limit.
#include <algorithm>
#include <filesystem>
#include <string>

namespace testsupport {

// Creates folders of up to 100 characters under `base` until the path has exactly `length` characters (at least 2
// more than base's) and returns it, without a closing separator.
inline std::string DeepFolder(const std::filesystem::path& base, size_t length)
{
    std::string path = base.string();
    while (path.size() < length) {
        size_t part = std::min<size_t>(100, length - path.size() - 1);
        if (length - path.size() - 1 - part == 1) --part;  // a last part of one character needs its separator too
        path.append(1, '\\').append(part, 'd');
    }
    std::filesystem::create_directories(path);
    return path;
}

}  // namespace testsupport
