#include "classlib/core/FileDialogPaths.h"

#include <algorithm>
#include <vector>

namespace filedialog {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

bool HasDrive(std::wstring_view Name) { return Name.size() >= 2 && IsDriveLetter(Name[0]) && Name[1] == L':'; }

// Folder and Name joined by one backslash.
std::wstring Join(std::wstring_view Folder, std::wstring_view Name)
{
    std::wstring path(Folder);
    if (!path.empty() && !IsSeparator(path.back())) path += L'\\';
    return path.append(Name);
}

// The first pattern of a "*.txt;*.map" list.
std::string_view FirstPattern(std::string_view Patterns) { return Patterns.substr(0, Patterns.find(';')); }

// The Index-th pattern list of a "Text|patterns|Text|patterns" filter; empty when there is none.
std::string_view PatternsAt(std::string_view Filter, int Index)
{
    if (Index < 0) return {};
    for (int part = 0;; ++part) {
        const size_t bar = Filter.find('|');
        if (part == 2 * Index + 1) return Filter.substr(0, bar);
        if (bar == std::string_view::npos) return {};
        Filter.remove_prefix(bar + 1);
    }
}

// Path with its "." and ".." parts folded as the dialog folds a folder's path: "." goes, ".." takes the part before
// it along. A part the dialog might keep stays (a last ".", a ".." after an empty part or the root), so the result
// is never shorter than the dialog's.
std::wstring Folded(std::wstring_view Path)
{
    std::vector<std::wstring_view> parts;
    for (size_t start = 0;;) {
        const size_t end = std::min(Path.find_first_of(L"\\/", start), Path.size());
        const std::wstring_view part = Path.substr(start, end - start);
        const bool last = end == Path.size();
        const bool here = part == L"." && !last && !parts.empty();
        const bool up = part == L".." && parts.size() > 1 && !parts.back().empty() && parts.back() != L"..";
        if (up) parts.pop_back();
        else if (!here) parts.push_back(part);
        if (last) break;
        start = end + 1;
    }
    std::wstring folded;
    for (size_t i = 0; i < parts.size(); ++i) (i ? folded += L'\\' : folded) += parts[i];
    return folded;
}

}  // namespace

bool IsDriveRelative(std::wstring_view Name) { return HasDrive(Name) && (Name.size() == 2 || !IsSeparator(Name[2])); }

std::wstring PathOfName(std::wstring_view Name, std::wstring_view Folder, std::wstring_view DriveFolder)
{
    if (IsDriveRelative(Name)) return Join(DriveFolder, Name.substr(2));
    if (HasDrive(Name)) return std::wstring(Name);
    if (!Name.empty() && IsSeparator(Name[0])) {
        std::wstring path(HasDrive(Folder) ? Folder.substr(0, 2) : L"C:");
        return path.append(Name);
    }
    return Join(Folder, Name);
}

size_t AppendedExtensionLength(std::string_view Filter, int Index, std::string_view DefaultExt)
{
    if (DefaultExt.empty()) return 0;
    const std::string_view pattern = FirstPattern(PatternsAt(Filter, Index));
    const size_t dot = pattern.find('.');
    const bool own = dot != std::string_view::npos && pattern.find_first_of("*?", dot) == std::string_view::npos;
    return std::max(own ? pattern.size() - dot : 0, DefaultExt.size() + 1);
}

bool PathTooLong(std::wstring_view Path, bool NamesAFolder, size_t ExtensionLength)
{
    if (NamesAFolder) return Folded(Path).size() >= MaxPath;
    // The last part's extension starts at its last dot, and a space after it ends it: "Map v1.2 final" and
    // "x.map " have none.
    bool hasExtension = false;
    for (size_t i = Path.size(); i-- > 0 && !IsSeparator(Path[i]) && Path[i] != L':';) {
        if (Path[i] == L' ') break;
        if (Path[i] == L'.') {
            hasExtension = true;
            break;
        }
    }
    return Path.size() + (hasExtension ? 0 : ExtensionLength) >= MaxPath;
}

}  // namespace filedialog
