#pragma once
// The program's text log: one file, created anew at every start, opened by a six-line banner, one line per
// message, closed by a three-line shutdown banner. Every line reaches the file as it is written, so the log can be
// read while the program runs and survives a crash.
//
// A line is 8-bit text ending in CR LF; carriage returns and line feeds inside a message become blanks. Message
// lines carry the time of day in the user's long time format. Only the GUI thread writes.
#include "classlib/core/Objects.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class TLogEngine : public TObject {
public:
    // Creates or truncates FileName and writes the banner. Throws EInOutError (naming the file and the system's
    // error) when the file cannot be created.
    TLogEngine(const std::string& ToolName, const std::string& ToolVersion, const std::string& FileName);
    // Writes the shutdown banner and closes the file.
    ~TLogEngine() override;
    TLogEngine(const TLogEngine&) = delete;
    TLogEngine& operator=(const TLogEngine&) = delete;

    // Each writes one line when LogLevel lets it through (see the .cpp's table); a failed write is dropped.
    void WriteLine(const std::string& Message);
    void LogInfo(const std::string& Message);
    void LogError(const std::string& Message);
    // The error tag and the message, without the leading blank and the time.
    void LogErrorPlain(const std::string& Message);
    void LogWarning(const std::string& Message);
    void LogDebug(const std::string& Message);

    // Gate for the message kinds: a kind is written while LogLevel is below its limit (plain lines and
    // information 5, errors 4, warnings 3, debug 2). 1 lets everything through.
    int32_t LogLevel = 1;
    // Set by callers before their messages; nothing reads it.
    bool Option = true;

    // The width of every banner line.
    static constexpr size_t BannerWidth = 90;

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    void WriteTimed(const char* Tag, const std::string& Message);

    std::unique_ptr<std::FILE, FileCloser> LogFile;
};
