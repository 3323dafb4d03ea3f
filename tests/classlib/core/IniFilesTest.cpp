#include "classlib/core/IniFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#ifdef _WIN32
#include <windows.h>
#endif

#include "classlib/core/SysUtils.h"
#include "tests/classlib/core/FileText.h"
#include "tests/support/TempDir.h"

namespace {

using classlibtest::ReadFileText;
using classlibtest::WriteFileText;

TEST(IniFile, ReadsHandWrittenFiles)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("a.ini");
    WriteFileText(path, "stray=before any section\r\n  [ UseImageLib ]  \r\nUsingLib = SIL \r\nusinglib=WIL\r\n"
                        "; UsingLib=commented\nNoEquals\nQuoted=\"  padded  \"\nHalf=\"x\nEmpty=\n"
                        "[DirectX]\rNoVSync=1\rYes=True\nNo=false\nWord=maybe\n[Broken\nKey=under a broken header\n"
                        "[useimagelib]\nOther=second section of the same name\n");
    TIniFile ini(path);
    const struct {
        const char* section;
        const char* key;
        const char* value;  // what ReadString gives with default "<none>"
    } strings[] = {
        {"USEIMAGELIB", "usingLIB", "SIL"},  // first duplicate wins, blanks trimmed
        {"UseImageLib", "NoEquals", "<none>"}, {"UseImageLib", "; UsingLib", "<none>"},
        {"UseImageLib", "Quoted", "  padded  "}, {"UseImageLib", "Half", "\"x"}, {"UseImageLib", "Empty", ""},
        {"UseImageLib", "Other", "<none>"},  // only the first section of a name is read
        {"", "stray", "<none>"}, {"DirectX", "NoVSync", "1"},  // lone CR line breaks
        {"Broken", "Key", "<none>"}, {"DirectX", "Key", "under a broken header"},  // a broken header opens nothing
    };
    for (const auto& r : strings)
        EXPECT_EQ(ini.ReadString(r.section, r.key, "<none>"), r.value) << r.section << "/" << r.key;
    const struct {
        const char* key;
        bool defaultValue;
        bool value;
    } bools[] = {{"NoVSync", false, true}, {"Yes", false, true}, {"No", true, false}, {"Word", true, true},
                 {"Word", false, false}, {"Missing", true, true}};
    for (const auto& r : bools)
        EXPECT_EQ(ini.ReadBool("DirectX", r.key, r.defaultValue), r.value) << r.key;
    EXPECT_EQ(ini.ReadInteger("UseImageLib", "UsingLib", 77), 77);
    EXPECT_TRUE(ini.SectionExists("directx"));
    EXPECT_FALSE(ini.SectionExists("Broken"));
}

// Every write that changes something rewrites the file at once, in CRLF, keeping the lines around it.
TEST(IniFile, WritesReachTheDiskAtOnce)
{
    const struct {
        const char* name;
        const char* before;  // null: no file
        std::function<void(TIniFile&)> write;
        const char* after;   // null: still no file
    } rows[] = {
        {"other lines kept", "; top\n[A]\nx=1\n\n; about B\n[B]\ny=2\n",
         [](TIniFile& ini) {
             ini.WriteString("a", "X", "one");  // existing key: its spelling stays
             ini.WriteInteger("A", "z", -5);    // new key: after the section's last key
             ini.WriteBool("C", "flag", true);  // new section: at the end
         },
         "; top\r\n[A]\r\nx=one\r\nz=-5\r\n\r\n; about B\r\n[B]\r\ny=2\r\n\r\n[C]\r\nflag=1\r\n"},
        {"first write creates the file", nullptr, [](TIniFile& ini) { ini.WriteBool("DirectX", "NoVSync", false); },
         "[DirectX]\r\nNoVSync=0\r\n"},
        {"nothing to write", nullptr, [](TIniFile& ini) { ini.UpdateFile(); }, nullptr},
        {"unchanged value", "[S]\nK = v\n", [](TIniFile& ini) { ini.WriteString("S", "K", "v"); }, "[S]\nK = v\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[A]\nk=1\n", [](TIniFile& ini) { ini.WriteInteger("A", "k", 2); },
         "\xEF\xBB\xBF[A]\r\nk=2\r\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        testsupport::TempDir dir;
        const std::string path = dir.file("s.ini");
        if (r.before)
            WriteFileText(path, r.before);
        TIniFile ini(path);
        r.write(ini);
        EXPECT_EQ(FileExists(path), r.after != nullptr);
        EXPECT_EQ(ReadFileText(path), r.after ? r.after : "");
    }
}

// A write that fails keeps the new value for a retry. A file that exists but cannot be read (another program
// holds it without read sharing) reads as defaults, and no write may replace it with only what was written since.
TEST(IniFile, FailedWritesAndUnreadableFilesLoseNothing)
{
    testsupport::TempDir dir;
    const std::string folder = dir.file("sub");
    std::filesystem::create_directory(folder);
    TIniFile ini(folder + "/s.ini");
    std::filesystem::remove(folder);  // the folder vanishes: writes cannot succeed
    EXPECT_THROW(ini.WriteString("S", "K", "v"), EStreamError);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "v");
    std::filesystem::create_directory(folder);
    ini.UpdateFile();
    EXPECT_EQ(ReadFileText(folder + "/s.ini"), "[S]\r\nK=v\r\n");
#ifdef _WIN32
    const std::string path = dir.file("held.ini");
    WriteFileText(path, "[A]\r\nk=1\r\n");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TIniFile unread(path);
    EXPECT_EQ(unread.ReadInteger("A", "k", 0), 0);
    EXPECT_THROW(unread.WriteInteger("A", "j", 2), EFOpenError);
    CloseHandle(held);
    EXPECT_EQ(ReadFileText(path), "[A]\r\nk=1\r\n");
    unread.WriteInteger("A", "j", 2);  // readable again: read first, then written
    EXPECT_EQ(ReadFileText(path), "[A]\r\nk=1\r\nj=2\r\n");
#endif
}

} // namespace
