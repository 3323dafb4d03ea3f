#include "Common/Dev_LogEngineClass.h"

#include "classlib/DateTimeText.h"
#include "classlib/core/SysUtils.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The file split at each CR LF (a file that ends in one ends in an empty line); no lone CR or LF may appear.
std::vector<std::string> Lines(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

TEST(LogEngine, BannersMessageLinesAndLevels)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("LogFile.log");
    std::ofstream(path, std::ios::binary) << std::string(5000, 'x'); // an old log is emptied
    std::string date;
    std::string time;
    std::string later;
    {
        TLogEngine log("Sorvanta\r\nMap Editor", std::string(80, 'v'), path);
        date = DateToStr(Now());
        time = TimeToStr(Now());
        log.LogInfo("Inite Image Cache Manager done..");
        log.LogError("Error Code : CREATING DEVICE...");
        log.LogWarning("w");
        log.LogDebug("d");
        log.LogErrorPlain("TSILFile::DecodeFrame32D3D::UNKNOW_FILE_ERROR-Index:");
        log.WriteLine("\ra\nb\r K\xE4se \xB0");
        EXPECT_EQ(Lines(path).rbegin()[1], " a b  K\xE4se \xB0") << "each line is in the file once written";
        later = TimeToStr(Now());
    }
    const std::string stars(90, '*');
    const std::vector<std::string> expected = {
        stars,
        "* ZEV-Engine" + std::string(77, ' ') + "*",
        "* Log Date     : " + date + std::string(72 - date.size(), ' ') + "*",
        "* Tool Name    : Sorvanta  Map Editor" + std::string(52, ' ') + "*",
        "* Tool Version : " + std::string(80, 'v') + "*", // longer than the banner: never cut
        stars,
        " " + time + " - [INFO]  - Inite Image Cache Manager done..",
        " " + time + " - [ERROR] - Error Code : CREATING DEVICE...",
        " " + time + " - [WARN]  - w",
        " " + time + " - [DEBUG]  - d",
        " - [ERROR] - TSILFile::DecodeFrame32D3D::UNKNOW_FILE_ERROR-Index:",
        " a b  K\xE4se \xB0",
        stars,
        "* Shutdown log..." + std::string(72, ' ') + "*",
        stars,
        "", // every line ends in CR LF
    };
    std::vector<std::string> lines = Lines(path);
    for (std::string& line : lines)
        if (line.starts_with(" " + later)) line.replace(1, later.size(), time); // the clock may have ticked
    EXPECT_EQ(lines, expected);

    // Which of WriteLine, LogInfo, LogError, LogErrorPlain, LogWarning, LogDebug write at each level.
    const std::pair<int32_t, std::string> levels[] = {
        {-1, "yyyyyy"}, {1, "yyyyyy"}, {2, "yyyyyn"}, {3, "yyyynn"}, {4, "yynnnn"}, {5, "nnnnnn"},
    };
    for (const auto& [level, written] : levels) {
        {
            TLogEngine log("t", "v", path);
            log.LogLevel = level;
            log.WriteLine("#0");
            log.LogInfo("#1");
            log.LogError("#2");
            log.LogErrorPlain("#3");
            log.LogWarning("#4");
            log.LogDebug("#5");
        }
        std::string seen(6, 'n');
        for (const std::string& line : Lines(path))
            if (line.size() > 1 && line[line.size() - 2] == '#') seen[size_t(line.back() - '0')] = 'y';
        EXPECT_EQ(seen, written) << level;
    }
    EXPECT_THROW(TLogEngine("t", "v", dir.file("missing folder\\LogFile.log")), EInOutError) << "raised to the creator";
}

} // namespace
