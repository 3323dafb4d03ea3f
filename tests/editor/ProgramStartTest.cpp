// The start-up's last-resort handling: a failure after the log exists is a log line with its reason, one before
// it (the log cannot be created) is reported through the application; both end with exit code 1. This program
// carries no start-up screen layout, so showing the screen fails as a damaged executable would.
#include "editor/ProgramStart.h"

#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ProgramStart, FailuresAreReportedWithTheirReason)
{
    struct Row {
        const char* Name;
        bool LogBlocked;           // a folder named "LogFile.log" stands where the log goes
        const char* ReportedText;  // expected in the application's report, or in the log
    };
    for (const Row row : {Row{"no log", true, "LogFile.log"}, Row{"no layout", false, "SPLASHSCREEN not found"}}) {
        SCOPED_TRACE(row.Name);
        testsupport::TempDir dir;
        const std::string folder = dir.path().string() + "\\";
        if (row.LogBlocked) std::filesystem::create_directory(dir.path() / "LogFile.log");
        runtimetest::TReportCapture capture;

        EXPECT_EQ(ProgramMain(folder), 1);
        if (row.LogBlocked) {
            ASSERT_EQ(capture.Reports.size(), 1u);
            EXPECT_NE(capture.Reports[0].Text.find(row.ReportedText), std::string::npos) << capture.Reports[0].Text;
        } else {
            EXPECT_TRUE(capture.Reports.empty());
            const std::string log = ReadFile(folder + "LogFile.log");
            EXPECT_NE(log.find(" - [ERROR] - Start-up stopped: Layout resource SPLASHSCREEN not found"),
                      std::string::npos)
                << log;
        }
    }
}

}  // namespace
