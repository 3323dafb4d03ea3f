#include "classlib/core/SafeFile.h"

#include <algorithm>

namespace {

std::string Base36(unsigned value)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[value % 36]);
        value /= 36;
    } while (value);
    return digits;
}

} // namespace

std::string TemporaryFileName(const std::string& path, unsigned process, unsigned attempt)
{
    // A drive-relative "C:name" counts its name after the colon; a path ending in a separator (a folder, which no
    // file replaces) still gets a name of one character.
    const size_t folderEnd = path.find_last_of("\\/:") + 1;  // 0 when there is no folder part
    const std::string_view target = std::string_view(path).substr(folderEnd);
    const size_t room = std::max<size_t>(target.size(), 1);
    const std::string unique = Base36(process) + "_" + Base36(attempt);
    std::string name = "~" + unique + ".tmp";
    if (name.size() > room) {
        const size_t kept = std::min(unique.size(), room > 1 ? room - 1 : room);
        name.assign(room > 1 ? "~" : "").append(unique, unique.size() - kept, kept);
    }
    if (name == target) name = TemporaryFileName(path, process, attempt + 1).substr(folderEnd);
    return path.substr(0, folderEnd) + name;
}
