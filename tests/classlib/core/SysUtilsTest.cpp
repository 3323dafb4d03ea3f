// The text and path helpers: 32-bit integers from text, case-blind comparison, the parts of a path, files and
// folders.
#include "classlib/core/SysUtils.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/TempDir.h"

namespace {

struct IntCase {
    const char* text;
    bool valid;
    int value;
};

TEST(SysUtils, StrToIntAcceptsDecimalAndHexWithin32Bits)
{
    const IntCase cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"  -17", true, -17},
        {"+8", true, 8},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"$FF", true, 255},
        {"0x1a", true, 26},
        {"$FFFFFFFF", true, -1},
        {"$100000000", false, 0},
        {"-$10", true, -16},
        {"", false, 0},
        {"   ", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"12 ", false, 0},
        {"1.5", false, 0},
        {"abc", false, 0},
        {"--1", false, 0},
    };
    for (const IntCase& c : cases) {
        int v = 12345;
        EXPECT_EQ(TryStrToInt(c.text, v), c.valid) << '"' << c.text << '"';
        if (c.valid) {
            EXPECT_EQ(v, c.value) << '"' << c.text << '"';
        }
        EXPECT_EQ(StrToIntDef(c.text, -99), c.valid ? c.value : -99) << '"' << c.text << '"';
    }
}

TEST(SysUtils, CaseFoldingTouchesAsciiLettersOnly)
{
    EXPECT_EQ(UpperCase("abz-AZ_09\xE9"), "ABZ-AZ_09\xE9");
    EXPECT_EQ(LowerCase("ABZ-az_09\xC9"), "abz-az_09\xC9");

    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"", "", 0},
        {"abc", "ABC", 0},
        {"abc", "abd", -1},
        {"ABD", "abc", 1},
        {"ab", "abc", -1},
        {"abc", "ab", 1},
        {"_", "a", 1},  // compared upper-cased: '_' (0x5F) after 'A' (0x41)
        {"\xE9", "\xC9", 1},
    };
    for (const auto& c : cases) {
        const int r = CompareText(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ(SameText(c.a, c.b), c.sign == 0) << c.a << " / " << c.b;
    }
}

TEST(SysUtils, PathPartsSplitAtBackslashSlashAndDrive)
{
    const struct {
        const char* path;
        const char* folder;
        const char* name;
        const char* ext;
    } cases[] = {
        {"C:\\Game\\Map\\0.map", "C:\\Game\\Map\\", "0.map", ".map"},
        {"C:name.wil", "C:", "name.wil", ".wil"},
        {"a/b\\c.d.e", "a/b\\", "c.d.e", ".e"},
        {"C:\\dir.x\\noext", "C:\\dir.x\\", "noext", ""},
        {"C:\\Game\\", "C:\\Game\\", "", ""},
        {"plain", "", "plain", ""},
        {".ini", "", ".ini", ".ini"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    }
    EXPECT_EQ(ChangeFileExt("C:\\a\\Tiles.wil", ".wix"), "C:\\a\\Tiles.wix");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\Tiles", ".sil"), "C:\\a.b\\Tiles.sil");
    EXPECT_EQ(ChangeFileExt("x.tar.gz", ""), "x.tar");
}

TEST(SysUtils, FileAndDirectoryExistenceAreDistinct)
{
    testsupport::TempDir dir;
    const std::string file = dir.file("a.txt");
    std::ofstream(file) << "x";
    const std::string folder = dir.path().string();
    const struct {
        std::string path;
        bool file;
        bool folder;
    } rows[] = {
        {file, true, false},
        {file + "\\", false, false},
        {folder, false, true},
        {folder + "/", false, true},
        {dir.file("missing"), false, false},
        {"", false, false},
#ifdef _WIN32
        {"C:\\", false, true},  // a drive root keeps its delimiter: "C:" alone is no folder to the C runtime
#else
        {"/", false, true},
#endif
    };
    for (const auto& r : rows) {
        EXPECT_EQ(FileExists(r.path), r.file) << r.path;
        EXPECT_EQ(DirectoryExists(r.path), r.folder) << r.path;
    }
}

} // namespace
