#include "Common/Dev_LogEngineClass.h"

#include "classlib/DateTimeText.h"
#include "classlib/core/SysUtils.h"

#include <cerrno>
#include <cstring>

namespace {

// Level limits: a kind is written while LogLevel is below its limit.
constexpr int32_t kPlainLimit = 5;
constexpr int32_t kInfoLimit = 5;
constexpr int32_t kErrorLimit = 4;
constexpr int32_t kWarningLimit = 3;
constexpr int32_t kDebugLimit = 2;

// The tags sit between the time and the message; the debug tag is one character wider than the others.
constexpr char kInfoTag[] = " - [INFO]  - ";
constexpr char kErrorTag[] = " - [ERROR] - ";
constexpr char kWarningTag[] = " - [WARN]  - ";
constexpr char kDebugTag[] = " - [DEBUG]  - ";

const std::string kStars(TLogEngine::BannerWidth, '*');

// "*" + text, padded with blanks so that the closing "*" lands in the last column (never cut).
std::string BoxedLine(const std::string& text)
{
    std::string line(1, '*');
    line += text;
    if (line.size() < TLogEngine::BannerWidth - 1) line.resize(TLogEngine::BannerWidth - 1, ' ');
    return line + '*';
}

} // namespace

TLogEngine::TLogEngine(const std::string& ToolName, const std::string& ToolVersion, const std::string& FileName)
{
    // Binary mode: the line ends are ours (CR LF), whatever the C library would translate.
    LogFile.reset(std::fopen(FileName.c_str(), "wb"));
    if (!LogFile) {
        const int error = errno;
        throw EInOutError("Cannot create file \"" + FileName + "\". " + std::strerror(error), error);
    }
    WriteLine(kStars);
    WriteLine(BoxedLine(" ZEV-Engine"));
    WriteLine(BoxedLine(" Log Date     : " + DateToStr(Now())));
    WriteLine(BoxedLine(" Tool Name    : " + ToolName));
    WriteLine(BoxedLine(" Tool Version : " + ToolVersion));
    WriteLine(kStars);
}

TLogEngine::~TLogEngine()
{
    WriteLine(kStars);
    WriteLine(BoxedLine(" Shutdown log..."));
    WriteLine(kStars);
    LogFile.reset(); // a failing close is dropped like a failing write
}

void TLogEngine::WriteLine(const std::string& Message)
{
    if (LogLevel >= kPlainLimit || !LogFile) return;
    try {
        std::string line = Message;
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), LogFile.get());
        std::fflush(LogFile.get());
        std::clearerr(LogFile.get()); // a failed line must not poison the ones after it
    } catch (...) {
        // The message is lost; the caller and the log carry on.
    }
}

void TLogEngine::WriteTimed(const char* Tag, const std::string& Message)
{
    try {
        std::string line(1, ' ');
        line += TimeToStr(Now());
        line += Tag;
        line += Message;
        WriteLine(line);
    } catch (...) {
    }
}

void TLogEngine::LogInfo(const std::string& Message)
{
    if (LogLevel < kInfoLimit) WriteTimed(kInfoTag, Message);
}

void TLogEngine::LogError(const std::string& Message)
{
    if (LogLevel < kErrorLimit) WriteTimed(kErrorTag, Message);
}

void TLogEngine::LogErrorPlain(const std::string& Message)
{
    if (LogLevel < kErrorLimit) WriteLine(std::string(kErrorTag).append(Message));
}

void TLogEngine::LogWarning(const std::string& Message)
{
    if (LogLevel < kWarningLimit) WriteTimed(kWarningTag, Message);
}

void TLogEngine::LogDebug(const std::string& Message)
{
    if (LogLevel < kDebugLimit) WriteTimed(kDebugTag, Message);
}
