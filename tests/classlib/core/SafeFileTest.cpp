#include "classlib/core/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "classlib/core/SysUtils.h"
#include "tests/classlib/core/FileText.h"
#include "tests/support/TempDir.h"

namespace {

using classlibtest::ReadFileText;
using classlibtest::WriteFileText;

size_t FileCount(const std::filesystem::path& dir)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

// Two pages of which only the first can be read: writing both fails half-way, after the first page went out.
struct THalfReadable {
    size_t Page;
    char* Data;
#ifdef _WIN32
    THalfReadable() : Page(4096), Data(static_cast<char*>(VirtualAlloc(nullptr, 2 * Page, MEM_COMMIT, PAGE_READWRITE)))
    {
        DWORD old;
        VirtualProtect(Data + Page, Page, PAGE_NOACCESS, &old);
        std::fill(Data, Data + Page, 'n');
    }
    ~THalfReadable() { VirtualFree(Data, 0, MEM_RELEASE); }
#else
    THalfReadable()
        : Page(size_t(sysconf(_SC_PAGESIZE))),
          Data(static_cast<char*>(mmap(nullptr, 2 * Page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)))
    {
        mprotect(Data + Page, Page, PROT_NONE);
        std::fill(Data, Data + Page, 'n');
    }
    ~THalfReadable() { munmap(Data, 2 * Page); }
#endif
};

// The target is replaced whole, leaving nothing beside it; a failure, also half-way through the data, leaves the
// old file as it was and no temporary, and the error names the target.
TEST(SafeFile, ReplacesWholeOrLeavesTheOldFile)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("settings.ini");
    const std::string rounds[] = {"first", std::string("\0\r\n\xFF", 4), "", std::string(300000, 'z')};
    for (const std::string& content : rounds) {
        WriteFileReplacing(path, content.data(), content.size());
        EXPECT_EQ(ReadFileText(path), content);
        EXPECT_EQ(FileCount(dir.path()), 1u);
    }
    WriteFileText(path, "old settings");
    THalfReadable data;
    EXPECT_THROW(WriteFileReplacing(path, data.Data, 2 * data.Page), EWriteError);
    EXPECT_EQ(ReadFileText(path), "old settings");

    const std::string folder = dir.file("busy");  // a folder holding a file: no file can replace it
    std::filesystem::create_directory(folder);
    WriteFileText(dir.file("busy/keep.txt"), "kept");
    try {
        WriteFileReplacing(folder, "new", 3);
        ADD_FAILURE() << "replaced a folder";
    } catch (const EStreamError& e) {
        EXPECT_NE(e.Message.find("\"" + folder + "\""), std::string::npos) << e.Message;
    }
    EXPECT_EQ(ReadFileText(dir.file("busy/keep.txt")), "kept");
    EXPECT_THROW(WriteFileReplacing(dir.file("missing/x.ini"), "x", 1), EFCreateError);
    EXPECT_EQ(FileCount(dir.path()), 2u);
}

// A read-only target is refused, as the desktop platform refuses to replace it: it stays as it was, read-only.
TEST(SafeFile, RefusesAReadOnlyTarget)
{
    namespace fs = std::filesystem;
    testsupport::TempDir dir;
    const std::string path = dir.file("locked.map");
    WriteFileText(path, "kept");
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, writable, fs::perm_options::remove);
    try {
        WriteFileReplacing(path, "new", 3);
        ADD_FAILURE() << "replaced a read-only file";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message.find("\"" + path + "\""), std::string::npos) << e.Message;
    }
    EXPECT_EQ(ReadFileText(path), "kept");
    EXPECT_EQ(FileCount(dir.path()), 1u);
    EXPECT_EQ(fs::status(path).permissions() & writable, fs::perms::none);
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

// Pieces are written one after another as one file, empty pieces included.
TEST(SafeFile, ReplacesWithPiecesInOrder)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("map.map");
    WriteFileText(path, "an older and longer content");
    WriteFileReplacing(path, {TFileBytes{"head", 4}, TFileBytes{nullptr, 0}, TFileBytes{"tail", 4}});
    EXPECT_EQ(ReadFileText(path), "headtail");
    EXPECT_EQ(FileCount(dir.path()), 1u);
}

// A plain write creates or truncates the file and leaves nothing beside it; a write that fails half-way leaves no
// file at all; a target that cannot be created is an EFCreateError naming it.
TEST(SafeFile, PlainWriteCreatesTruncatesOrLeavesNothing)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("x.tmp");
    for (const std::string& content : {std::string(300000, 'z'), std::string("short"), std::string()}) {
        WriteFilePlain(path, content.data(), content.size());
        EXPECT_EQ(ReadFileText(path), content);
        EXPECT_EQ(FileCount(dir.path()), 1u);
    }
    THalfReadable data;
    EXPECT_THROW(WriteFilePlain(path, data.Data, 2 * data.Page), EWriteError);
    EXPECT_FALSE(std::filesystem::exists(path));

    const std::string folder = dir.file("busy");
    std::filesystem::create_directory(folder);
    try {
        WriteFilePlain(folder, "new", 3);
        ADD_FAILURE() << "wrote over a folder";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message.find("\"" + folder + "\""), std::string::npos) << e.Message;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

// The temporary file of a replacement lies beside the target and is never longer, in path or in name: a target at
// the platform's limit can be written. Its name is never the target's and varies over the writer's attempts.
TEST(SafeFile, TheTemporaryFileIsNoLongerThanTheTarget)
{
    EXPECT_EQ(TemporaryFileName("C:\\Map\\Fixture.map", 264, 0), "C:\\Map\\~7c_0.tmp");
    const std::string paths[] = {"C:\\Map\\Fixture.map", "maps/x.map", "C:x", "a", "d/0", "d/", std::string(255, 'n')};
    for (const std::string& path : paths) {
        std::set<std::string> names;
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            const std::string temp = TemporaryFileName(path, 0xFFFFFFFFu, attempt);
            const size_t folder = path.find_last_of("\\/:") + 1;
            ASSERT_EQ(temp.substr(0, folder), path.substr(0, folder)) << path;
            ASSERT_EQ(temp.find_first_of("\\/:", folder), std::string::npos) << temp;
            ASSERT_LE(temp.size(), std::max(path.size(), folder + 1)) << temp;
            ASSERT_NE(temp, path);
            names.insert(temp);
        }
        EXPECT_GE(names.size(), 30u) << path;  // a few names left behind by a crash block no write
    }

    // The longest name a file can have (255 characters, on Windows as many as a path of MAX_PATH - 1 holds) and the
    // shortest, written and replaced, with nothing left beside them.
    testsupport::TempDir dir;
#ifdef _WIN32
    const size_t longest = std::min<size_t>(255, MAX_PATH - 2 - dir.path().string().size());
#else
    const size_t longest = 255;
#endif
    for (const std::string& name : {std::string(longest, 'n'), std::string("a")}) {
        const std::string path = dir.file(name);
        WriteFileReplacing(path, "first", 5);
        WriteFileReplacing(path, "second", 6);
        EXPECT_EQ(ReadFileText(path), "second") << name.size();
        EXPECT_EQ(FileCount(dir.path()), 1u) << name.size();
        std::filesystem::remove(path);
    }
}

} // namespace
