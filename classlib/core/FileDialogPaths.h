#pragma once
// How the platform's file dialog makes a path of a name confirmed in it, measured with the dialog under Wine 8, so
// that a name whose path a path's buffer cannot hold is answered before the dialog sees it (the dialog builds the
// path in a buffer of MAX_PATH characters on its stack without checking the length). Lengths count wide characters,
// as the dialog's buffer does.
#include <cstddef>
#include <string>
#include <string_view>

namespace filedialog {

// What a path holds with its null (MAX_PATH): a path of this many characters or more cannot be used.
constexpr size_t MaxPath = 260;

// Whether Name is drive-relative ("c:name"): it stands for a path in the current directory of its drive.
bool IsDriveRelative(std::wstring_view Name);

// The path a name stands for, before any extension is appended:
// - "x:\..." as it stands;
// - "\..." and "\\server\..." with the dialog's drive ("C:") before them, as the dialog puts it there;
// - "x:name" in DriveFolder, the current directory of that drive (the dialog itself keeps such a name as it
//   stands, a shorter path, and opens nothing by it);
// - any other name in Folder, the dialog's folder, with a backslash between unless Folder ends in one.
// Nothing is folded here: "." and ".." parts stay as typed, so that a file's path is never shorter than the dialog's.
std::wstring PathOfName(std::wstring_view Name, std::wstring_view Folder, std::wstring_view DriveFolder);

// The length, with its dot, of the extension the dialog appends to a name whose last part has none. It appends
// one only when it has a default extension, and then the extension of the chosen filter's first pattern
// ("*.txt;*.map" gives ".txt", "*.map.gz" ".map.gz"), or the default one when that pattern has none or a wildcard
// in it ("*.*", "*"); the longer of the two counts. Filter is "Text|pattern|Text|pattern"; Index the chosen pair,
// 0-based (one outside the filter counts the default extension); DefaultExt is without its dot.
size_t AppendedExtensionLength(std::string_view Filter, int Index, std::string_view DefaultExt);

// Whether the dialog's path of a name cannot be used: Path from PathOfName, plus the appended extension when the
// path's last part has none (by the dialog's rule: a dot with no space after it). A path that names an existing
// folder (NamesAFolder), which the dialog browses into, gets no extension and counts with its "." and ".." parts
// folded, as the dialog folds them; its empty parts ("sub\\") count, as they do in the dialog's buffer.
bool PathTooLong(std::wstring_view Path, bool NamesAFolder, size_t ExtensionLength);

}  // namespace filedialog
