// With the WIL libraries kept the CRC pass reads no library: one that nobody can read (held open without sharing)
// gives no warning, and nothing is converted or written, while the pass still runs its bar to the end.
#include "editor/uImageLibraryCheck.h"

#include "tests/editor/ClientFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

namespace {

using namespace startup_test;

TEST(WilModeCheck, NoLibraryIsReadWhenTheWilLibrariesAreKept)
{
    struct ProgressView : TLibraryCheckView {
        void SetPosition(TCheckBar bar, int64_t value) override
        {
            if (bar == TCheckBar::Progress) Last = value;
        }
        int64_t Last = -1;
    } view;
    Client client;
    client.WriteSettings("WIL", false, {{46, 7}});
    const std::string before = ReadFile(client.Ini());
    const HANDLE lock = CreateFileA((client.Base(0) + ".wil").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(client.Run(view));
    CloseHandle(lock);

    EXPECT_EQ(view.Last, 75);
    EXPECT_EQ(ReadFile(client.Ini()), before);
    EXPECT_FALSE(std::filesystem::exists(client.Base(46) + ".sil"));
    EXPECT_EQ(ReadFile(client.dir.file("check.log")).find("for its CRC"), std::string::npos);
}

}  // namespace
