// Entry point of every test executable, native or under Wine.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include <cstdint>

namespace {

// A fault that nothing handles would start the platform's debugger, whose box nobody here closes: the test would
// wait for its time limit. Instead the fault is reported with the test it struck in, and the program ends at once,
// its exit code the fault's. The report takes no lock and touches no heap: the fault may have damaged either (a
// vector written past its end, say), and a second fault inside the report would start the debugger after all.

// "Suite.Test" while a test runs, else the program's own name for itself; read by the report.
const char kBetweenTests[] = "the test program";
char runningTest[256] = "the test program";

void Append(char*& at, const char* end, const char* text)
{
    while (*text && at < end) *at++ = *text++;
}

void AppendHex(char*& at, const char* end, std::uint64_t value, int digits)
{
    for (int shift = 4 * (digits - 1); shift >= 0 && at < end; shift -= 4)
        *at++ = "0123456789ABCDEF"[(value >> shift) & 15];
}

class TRunningTest : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& test) override { Name(test.test_suite_name(), ".", test.name()); }
    void OnTestEnd(const testing::TestInfo&) override { Name(kBetweenTests, "", ""); }

    static void Name(const char* suite, const char* dot, const char* test)
    {
        char* at = runningTest;
        const char* end = runningTest + sizeof runningTest - 1;
        Append(at, end, suite);
        Append(at, end, dot);
        Append(at, end, test);
        *at = 0;
    }
};

LONG WINAPI EndOnUnhandledFault(EXCEPTION_POINTERS* info)
{
    static volatile LONG reported = 0;
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (InterlockedExchange(&reported, 1) == 0) {
        char text[400];
        char* at = text;
        const char* end = text + sizeof text;
        Append(at, end, "\n");
        Append(at, end, runningTest);
        Append(at, end, " crashed: unhandled exception ");
        AppendHex(at, end, code, 8);
        Append(at, end, " at address ");
        AppendHex(at, end, reinterpret_cast<std::uintptr_t>(info->ExceptionRecord->ExceptionAddress), 16);
        Append(at, end, "\n");
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(at - text), &written, nullptr);
    }
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // ctest parses the test list from our output: keep it free of carriage returns.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetUnhandledExceptionFilter(&EndOnUnhandledFault);
#endif
    testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
    testing::UnitTest::GetInstance()->listeners().Append(new TRunningTest);
#endif
    return RUN_ALL_TESTS();
}
