#pragma once
// Exceptions and the string, number and path helpers shared by the whole program. Strings are 8-bit texts in the
// Windows code page; every case-insensitive operation here folds ASCII letters only, so results never depend on
// the user's locale.
//
// Sections: exceptions; text; numbers; format settings; paths; files.
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

// ---- exceptions ------------------------------------------------------------------------------------------------

// Root of the program's exceptions. `Message` is the text shown to the user or written to the log.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

// A text that is no number, or a value that cannot be converted or assigned.
class EConvertError : public Exception { using Exception::Exception; };
// An index or value outside its allowed range.
class ERangeError : public Exception { using Exception::Exception; };
class EArgumentException : public Exception { using Exception::Exception; };
// A list index out of bounds, or a duplicate in a list that forbids them.
class EListError : public Exception { using Exception::Exception; };
// Component naming and ownership faults.
class EComponentError : public Exception { using Exception::Exception; };

class EStreamError : public Exception { using Exception::Exception; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };

// An operating-system input/output failure; `ErrorCode` is the system's error number (0 when unknown).
class EInOutError : public Exception {
public:
    explicit EInOutError(std::string message, int errorCode = 0)
        : Exception(std::move(message)), ErrorCode(errorCode) {}
    int ErrorCode;
};

// ---- text ------------------------------------------------------------------------------------------------------

// Removes leading and trailing blanks and control characters (every byte <= ' ').
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Compares ignoring ASCII case: < 0, 0 or > 0, by the byte values of the upper-cased texts.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// The lines of a text broken at CR LF, LF or CR (views into `text`); a final line break adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// ---- numbers ---------------------------------------------------------------------------------------------------

std::string IntToStr(int value);
std::string IntToStr(int64_t value);
// Accepts optional leading blanks, a sign, and decimal digits or hexadecimal digits after "$" or "0x". A
// hexadecimal text of up to eight digits is taken as the 32-bit pattern (so "$FFFFFFFF" is -1). Anything else,
// including trailing characters and values beyond 32 bits, is not a number.
bool TryStrToInt(std::string_view s, int& value);
// Throws EConvertError "'<s>' is not a valid integer value" when TryStrToInt fails.
int StrToInt(std::string_view s);
int StrToIntDef(std::string_view s, int defaultValue);

// ---- format settings -------------------------------------------------------------------------------------------

// The user's number formats, as the program's formatter writes numbers (its "%f"). The Win32 runtime fills them
// from the user's locale when it makes the application object, before main runs; the platform-free build keeps the
// invariant ones.
struct TFormatSettings {
    wchar_t DecimalSeparator = L'.';
};
// Written at start-up in the GUI thread, only read afterwards.
extern TFormatSettings FormatSettings;

// ---- paths -----------------------------------------------------------------------------------------------------
// '\\' and '/' separate folders; ':' ends a drive letter ("C:name"). Extensions start at the last '.' after the
// last delimiter.

// Folder part including its trailing delimiter ("C:\\a\\b.map" -> "C:\\a\\"); empty when there is none.
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
// The extension with its dot (".map"); empty when the name has none.
std::string ExtractFileExt(std::string_view path);
// Replaces (or appends, or with an empty `ext` removes) the extension; `ext` includes its dot.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// Appends '\\' unless the path already ends in '\\' or '/'.
std::string IncludeTrailingPathDelimiter(std::string_view path);

// ---- files -----------------------------------------------------------------------------------------------------

// True for an existing file that is not a folder.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
