#include "Common/Dev_LogEngineClass.h"

#include "classlib/DateTimeText.h"
#include "classlib/core/SysUtils.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits on CR LF; every line must end with one, and no lone CR or LF may appear.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "unterminated last line";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
        start = end + 2;
    }
    return lines;
}

// A banner line with a label of 17 characters: the text, then 72 - its length blanks (none when longer), then "*".
std::string LabelLine(const std::string& label, const std::string& text)
{
    const size_t pad = text.size() < 72 ? 72 - text.size() : 0;
    return std::string(label).append(text).append(pad, ' ').append(1, '*');
}

const std::string kStars(90, '*');

std::string Mark(size_t i)
{
    return std::string(1, '#').append(std::to_string(i));
}

class LogEngine : public testing::Test {
protected:
    testsupport::TempDir dir;
    std::string path = dir.file("LogFile.log");
};

// ---- banners ---------------------------------------------------------------------------------------------------

TEST_F(LogEngine, BannersHaveTheirFixedLayout)
{
    struct Row {
        std::string Name, Version;
        std::string NameLine; // the expected name line when it differs from the plain padding
    };
    const Row rows[] = {
        {"Sorvanta Map Editor", "6.6.2.x", ""},
        {"", "", ""},
        {std::string(71, 'n'), std::string(72, 'v'), ""},
        {std::string(80, 'n'), "1", ""},                                            // 98 characters, no blanks
        {"two\r\nlines", "x", std::string("* Tool Name    : two  lines").append(62, ' ').append(1, '*')}, // folded
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        std::string date;
        {
            TLogEngine log(r.Name, r.Version, path);
            date = DateToStr(Now());
        }
        const std::vector<std::string> lines = Lines(ReadFile(path));
        ASSERT_EQ(lines.size(), 9u);
        EXPECT_EQ(lines[0], kStars);
        EXPECT_EQ(lines[1], std::string("* ZEV-Engine").append(77, ' ').append(1, '*'));
        EXPECT_EQ(lines[2], LabelLine("* Log Date     : ", date));
        EXPECT_EQ(lines[3], r.NameLine.empty() ? LabelLine("* Tool Name    : ", r.Name) : r.NameLine);
        EXPECT_EQ(lines[4], LabelLine("* Tool Version : ", r.Version));
        EXPECT_EQ(lines[5], kStars);
        EXPECT_EQ(lines[6], kStars);
        EXPECT_EQ(lines[7], std::string("* Shutdown log...").append(72, ' ').append(1, '*'));
        EXPECT_EQ(lines[8], kStars);
        for (size_t i = 0; i < lines.size(); ++i) {
            const size_t width = i == 3 ? std::max<size_t>(90, 18 + r.Name.size()) : 90;
            EXPECT_EQ(lines[i].size(), width) << "line " << i + 1;
        }
    }
}

TEST_F(LogEngine, CreationEmptiesAnOldLog)
{
    std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
    { TLogEngine log("t", "v", path); }
    EXPECT_EQ(ReadFile(path).find('x'), std::string::npos);
    EXPECT_EQ(Lines(ReadFile(path)).size(), 9u);
}

TEST_F(LogEngine, AFileThatCannotBeCreatedRaisesToTheCreator)
{
    const std::string cases[] = {
        dir.file("missing folder\\LogFile.log"),
        dir.path().string(), // a folder, not a file
        dir.file("bad|name?.log"),
    };
    for (const std::string& bad : cases) {
        SCOPED_TRACE(bad);
        std::unique_ptr<TLogEngine> log;
        try {
            log = std::make_unique<TLogEngine>("t", "v", bad);
            ADD_FAILURE() << "no exception";
        } catch (const EInOutError& e) {
            EXPECT_NE(e.Message.find(bad), std::string::npos) << e.Message;
        }
        EXPECT_EQ(log, nullptr);
    }
}

// ---- message lines ---------------------------------------------------------------------------------------------

using Writer = void (TLogEngine::*)(const std::string&);

struct LineRow {
    const char* Kind;
    Writer Write;
    std::string Message;
    bool Timed;
    std::string Expected; // without the leading blank and time of timed lines
};

const LineRow kLineRows[] = {
    {"info", &TLogEngine::LogInfo, "Inite Image Cache Manager done..", true,
     " - [INFO]  - Inite Image Cache Manager done.."},
    {"error", &TLogEngine::LogError, "Error Code : CREATING DEVICE...", true,
     " - [ERROR] - Error Code : CREATING DEVICE..."},
    {"warning", &TLogEngine::LogWarning, "w", true, " - [WARN]  - w"},
    {"debug", &TLogEngine::LogDebug, "d", true, " - [DEBUG]  - d"},
    {"plain error", &TLogEngine::LogErrorPlain, "TSILFile::DecodeFrame32D3D::UNKNOW_FILE_ERROR-Index:", false,
     " - [ERROR] - TSILFile::DecodeFrame32D3D::UNKNOW_FILE_ERROR-Index:"},
    {"empty plain error", &TLogEngine::LogErrorPlain, "", false, " - [ERROR] - "},
    {"empty info", &TLogEngine::LogInfo, "", true, " - [INFO]  - "},
    {"line", &TLogEngine::WriteLine, "as it stands", false, "as it stands"},
    {"CR LF in a message", &TLogEngine::LogInfo, "two\r\nwords", true, " - [INFO]  - two  words"},
    {"lone CR and LF", &TLogEngine::WriteLine, "\ra\nb\r", false, " a b "},
    {"8-bit text", &TLogEngine::WriteLine, "K\xE4se \xB0", false, "K\xE4se \xB0"},
};

TEST_F(LogEngine, MessageLinesByteForByte)
{
    for (const LineRow& r : kLineRows) {
        SCOPED_TRACE(r.Kind);
        std::string before, after;
        {
            TLogEngine log("t", "v", path);
            before = TimeToStr(Now());
            (log.*r.Write)(r.Message);
            after = TimeToStr(Now());
        }
        const std::vector<std::string> lines = Lines(ReadFile(path));
        ASSERT_EQ(lines.size(), 10u);
        const std::string& line = lines[6];
        if (!r.Timed) {
            EXPECT_EQ(line, r.Expected);
            continue;
        }
        // The time in the long time format sits between the leading blank and the tag.
        EXPECT_TRUE(line == std::string(1, ' ').append(before).append(r.Expected) ||
                    line == std::string(1, ' ').append(after).append(r.Expected))
            << line;
    }
}

TEST_F(LogEngine, LogLevelGatesEachKind)
{
    // Which of WriteLine, LogInfo, LogError, LogErrorPlain, LogWarning, LogDebug write at each level.
    const Writer writers[] = {&TLogEngine::WriteLine,     &TLogEngine::LogInfo,    &TLogEngine::LogError,
                              &TLogEngine::LogErrorPlain, &TLogEngine::LogWarning, &TLogEngine::LogDebug};
    struct Row {
        int32_t Level;
        std::string Written; // one letter per writer: y or n
    };
    const Row rows[] = {
        {-1, "yyyyyy"}, {1, "yyyyyy"}, {2, "yyyyyn"}, {3, "yyyynn"}, {4, "yynnnn"}, {5, "nnnnnn"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Level);
        {
            TLogEngine log("t", "v", path);
            log.LogLevel = r.Level;
            for (size_t i = 0; i < std::size(writers); ++i) (log.*writers[i])(Mark(i));
            log.LogLevel = 1; // so that the shutdown banner is written
        }
        const std::vector<std::string> lines = Lines(ReadFile(path));
        std::string written;
        for (size_t i = 0; i < std::size(writers); ++i) {
            bool found = false;
            for (size_t l = 6; l + 3 < lines.size(); ++l)
                found |= lines[l].ends_with(Mark(i));
            written += found ? 'y' : 'n';
        }
        EXPECT_EQ(written, r.Written);
    }
}

TEST_F(LogEngine, EachLineIsInTheFileAsSoonAsItIsWritten)
{
    TLogEngine log("t", "v", path);
    EXPECT_EQ(Lines(ReadFile(path)).size(), 6u);
    log.LogErrorPlain("first");
    EXPECT_TRUE(ReadFile(path).ends_with(" - [ERROR] - first\r\n"));
    log.LogInfo("second");
    EXPECT_TRUE(ReadFile(path).ends_with(" - [INFO]  - second\r\n"));
}

} // namespace
