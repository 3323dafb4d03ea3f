// Two checks of one client folder, as two editors started at once run them: another editor's check holds the
// folder's lock on a thread of its own while this one starts.
#include "editor/uImageLibraryCheck.h"

#include "classlib/WinHandle.h"
#include "tests/editor/ClientFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace {

using namespace startup_test;

// Records the progress bar's captions; while the waiting caption shows, each repaint sets the event Waiting, and
// one 10 s after the view was made ends the check.
struct WaitingView : TLibraryCheckView {
    void SetTextOption(TCheckBar bar, TCheckText text) override
    {
        if (bar == TCheckBar::Progress) Text = text;
    }
    void SetCaption(TCheckBar bar, const std::string& caption) override
    {
        if (bar == TCheckBar::Progress) Captions.push_back(caption);
    }
    void ProcessMessages() override
    {
        if (Text != TCheckText::Caption || Captions.empty() || Captions.back() != LibraryCheckWaitingCaption) return;
        if (GetTickCount64() > Deadline) throw std::runtime_error("still waiting for the folder's lock");
        SetEvent(Waiting);
    }
    bool AskYesNo(const std::string&, const std::string&) override
    {
        ++Asked;
        return true;
    }

    HANDLE Waiting = nullptr;
    TCheckText Text = TCheckText::Percent;
    std::vector<std::string> Captions;
    int Asked = 0;
    const ULONGLONG Deadline = GetTickCount64() + 10000;
};

// True when a thread of its own takes the lock at once: nobody holds it.
bool LockFree(const std::string& name)
{
    DWORD result = WAIT_FAILED;
    std::thread([&] {
        const TWinHandle lock(CreateMutexA(nullptr, FALSE, name.c_str()));
        result = WaitForSingleObject(lock.Get(), 0);
        if (result == WAIT_OBJECT_0) ReleaseMutex(lock.Get());
    }).join();
    return result == WAIT_OBJECT_0;
}

// Two editors started in one folder share the lock however each was given the folder's path; another folder has
// its own.
TEST(LibraryCheckLock, OneFolderHasOneLockHoweverItsPathIsSpelt)
{
    Client client;
    const std::string folder = client.Folder();
    std::filesystem::create_directory(folder + "Sub");
    const std::string name = LibraryCheckLockName(folder);
    std::string upper = folder;
    std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    const struct {
        std::string Path;
        bool Same;
    } rows[] = {{upper, true}, {folder + "Sub\\..\\", true}, {folder + "Sub\\", false}};
    for (const auto& row : rows) EXPECT_EQ(LibraryCheckLockName(row.Path) == name, row.Same) << row.Path;
}

// The other editor takes the lock before this one starts, and this check shows why it waits. The other then
// converts the folder and releases the lock: this check finds the settings and pairs the other one wrote, and asks
// and converts nothing. Or the other ends holding the lock, as an editor that was ended half way: this check goes
// on at once, says so in the log, and runs a first start of its own. Either way the lock is free after it.
TEST(LibraryCheckLock, ACheckWaitsForAnotherOfTheSameFolderButNotForOneThatEnded)
{
    const struct {
        const char* Name;
        bool Ended;
    } rows[] = {{"the other converts while this one waits", false}, {"the other ended holding the lock", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Client client;
        const std::string name = LibraryCheckLockName(client.Folder());
        // A third editor, started meanwhile, keeps the lock in being from one holder to the next.
        const TWinHandle third(CreateMutexA(nullptr, FALSE, name.c_str()));
        const TWinHandle held(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        const TWinHandle waiting(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        std::thread other([&] {
            const TWinHandle lock(CreateMutexA(nullptr, FALSE, name.c_str()));
            if (WaitForSingleObject(lock.Get(), 0) != WAIT_OBJECT_0) return;
            SetEvent(held.Get());
            if (WaitForSingleObject(waiting.Get(), 10000) != WAIT_OBJECT_0 || row.Ended) return;
            // Its own check takes the lock it holds once more and gives that back at its end.
            client.ConvertAll();
            ReleaseMutex(lock.Get());
        });
        EXPECT_EQ(WaitForSingleObject(held.Get(), 10000), WAIT_OBJECT_0);
        WaitingView view;
        view.Waiting = waiting.Get();
        client.Run(view);
        other.join();

        EXPECT_EQ(std::ranges::count(view.Captions, LibraryCheckWaitingCaption), 1);
        EXPECT_EQ(view.Asked, row.Ended ? 1 : 0);
        EXPECT_FALSE(client.failed);
        EXPECT_EQ(client.converted, row.Ended ? 5 : 0);
        for (const int32_t library : {0, 5, 46, 74}) {
            EXPECT_TRUE(std::filesystem::exists(client.Base(library) + ".six")) << library;
            EXPECT_EQ(client.CrcKey(library), client.FileCrc(library)) << library;
        }
        EXPECT_EQ(ReadFile(client.dir.file("check.log")).find("an editor that checked this folder before ended "
                                                                "without finishing") != std::string::npos,
                  row.Ended);
        EXPECT_TRUE(LockFree(name));
    }
}

}  // namespace
