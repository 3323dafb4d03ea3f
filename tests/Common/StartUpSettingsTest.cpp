// The user's decimal separator is read when the program starts: set to a comma before a run of this program, the
// frame statistics of that run read a comma. The separator is a setting of the user's, read by every program of the
// Wine prefix: it is put back however the test ends, and this program's tests run alone.
#include "tests/Common/FrameworkFixture.h"

#include "classlib/Application.h"
#include "classlib/WinHandle.h"
#include "tests/support/TempDir.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

using StartUp = testsupport::TFrameworkTest;

// The user's decimal separator as the platform reports it now.
std::wstring UserDecimalSeparator()
{
    wchar_t separator[4] = {};  // the locale's limit, its NUL included
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
    return separator;
}

// The user's decimal separator set while the object lives, then the one before put back.
class TUserDecimalSeparator {
public:
    explicit TUserDecimalSeparator(const wchar_t* Separator) : saved_(UserDecimalSeparator())
    {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Separator);
    }
    ~TUserDecimalSeparator() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_.c_str()); }
    TUserDecimalSeparator(const TUserDecimalSeparator&) = delete;
    TUserDecimalSeparator& operator=(const TUserDecimalSeparator&) = delete;

private:
    std::wstring saved_;
};

struct TRun {
    DWORD ExitCode = DWORD(-1);
    std::string Output;  // standard output and error
};

// This program started again with Arguments; ended by force when it runs longer than Limit milliseconds, so that a
// hanging run still ends this test (and puts the user's settings back) before the test's own time runs out.
TRun RunThisProgram(const std::string& Arguments, DWORD Limit)
{
    TRun run;
    testsupport::TempDir folder;
    const std::string outputFile = folder.file("output.txt");
    {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        const TWinHandle output(CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output) return run;
        char exe[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string command = "\"" + std::string(exe) + "\" " + Arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output.Get();
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
            return run;
        const TWinHandle process(started.hProcess), thread(started.hThread);
        if (WaitForSingleObject(process.Get(), Limit) != WAIT_OBJECT_0) {
            TerminateProcess(process.Get(), DWORD(-1));
            WaitForSingleObject(process.Get(), INFINITE);
        }
        GetExitCodeProcess(process.Get(), &run.ExitCode);
    }
    std::ifstream in(outputFile, std::ios::binary);
    run.Output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

// The frame rate reads with the user's decimal separator: the one found when this program, as the editor does, made
// its application object before its start.
TEST_F(StartUp, TheFrameRateReadsWithTheUsersDecimalSeparator)
{
    ASSERT_NE(Application, nullptr);
    const std::wstring separator = UserDecimalSeparator();
    ASSERT_EQ(separator.size(), 1u);
    NoVSync = true;
    ASSERT_EQ(CreateDevice(1280, 1024), S_OK);
    DXUTRender3DEnvironment();
    const std::wstring stats = DXUTGetFrameStats(true);
    EXPECT_TRUE(std::regex_match(stats, std::wregex(L"\\d+[" + separator + L"]\\d\\d fps .*")))
        << std::string(stats.begin(), stats.end());
}

TEST(StartUpSettings, ACommaSetBeforeTheProgramStartsReachesTheFrameRate)
{
    const TUserDecimalSeparator comma(L",");
    ASSERT_EQ(UserDecimalSeparator(), L",");
    const TRun run = RunThisProgram("--gtest_filter=StartUp.TheFrameRateReadsWithTheUsersDecimalSeparator", 60000);
    EXPECT_EQ(run.ExitCode, 0u) << run.Output;
    EXPECT_NE(run.Output.find("[  PASSED  ] 1 test."), std::string::npos) << "the second run ran that one test";
}

} // namespace
