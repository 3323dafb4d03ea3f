#include "classlib/core/IniFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "classlib/core/SysUtils.h"
#include "tests/classlib/core/FileText.h"
#include "tests/support/TempDir.h"

namespace {

using classlibtest::ReadFileText;
using classlibtest::WriteFileText;

// A settings file written by hand, with the oddities people leave in them.
const char* const kHandWritten =
    "; settings\n"
    "stray=before any section\r\n"
    "\n"
    "  [ UseImageLib ]  \r\n"
    "UsingLib = SIL \r\n"
    "usinglib=WIL\r\n"
    "; UsingLib=commented\n"
    "NoEquals\n"
    "Quoted=\"  padded  \"\n"
    "Single='x'\n"
    "Half=\"x\n"
    "Empty=\n"
    "[DirectX]\r"
    "NoVSync=1\r"
    "Yes=True\n"
    "No=false\n"
    "Word=maybe\n"
    "[CRC_Check]\n"
    "0=-1234567\n"
    "1=$FF\n"
    "2=0x10\n"
    "3=12abc\n"
    "[Broken\n"
    "Key=under a broken header\n"
    "[useimagelib]\n"
    "Other=second section of the same name\n";

TEST(IniFile, ReadsHandWrittenFiles)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("a.ini");
    WriteFileText(path, kHandWritten);
    TIniFile ini(path);

    const struct {
        const char* section;
        const char* key;
        const char* value;  // what ReadString gives with default "<none>"
    } strings[] = {
        {"UseImageLib", "UsingLib", "SIL"},  // first duplicate wins, blanks trimmed
        {"USEIMAGELIB", "usinglib", "SIL"},
        {"UseImageLib", "NoEquals", "<none>"},
        {"UseImageLib", "; UsingLib", "<none>"},
        {"UseImageLib", "Quoted", "  padded  "},
        {"UseImageLib", "Single", "x"},
        {"UseImageLib", "Half", "\"x"},
        {"UseImageLib", "Empty", ""},
        {"UseImageLib", "Other", "<none>"},  // only the first section of a name is read
        {"UseImageLib", "stray", "<none>"},
        {"", "stray", "<none>"},
        {"DirectX", "NoVSync", "1"},  // lone CR line breaks
        {"Missing", "UsingLib", "<none>"},
        {"Broken", "Key", "<none>"},
        {"CRC_Check", "Key", "under a broken header"},  // a broken header does not open a section
    };
    for (const auto& r : strings)
        EXPECT_EQ(ini.ReadString(r.section, r.key, "<none>"), r.value) << r.section << "/" << r.key;

    const struct {
        const char* key;
        int value;
    } ints[] = {{"0", -1234567}, {"1", 255}, {"2", 16}, {"3", 77}, {"4", 77}};
    for (const auto& r : ints)
        EXPECT_EQ(ini.ReadInteger("CRC_Check", r.key, 77), r.value) << r.key;

    const struct {
        const char* key;
        bool defaultValue;
        bool value;
    } bools[] = {
        {"NoVSync", false, true}, {"Yes", false, true},  {"No", true, false},
        {"Word", true, true},     {"Word", false, false}, {"Missing", true, true},
    };
    for (const auto& r : bools)
        EXPECT_EQ(ini.ReadBool("DirectX", r.key, r.defaultValue), r.value) << r.key;

    EXPECT_TRUE(ini.SectionExists("crc_check"));
    EXPECT_FALSE(ini.SectionExists("Broken"));
    EXPECT_FALSE(ini.SectionExists("Nothing"));
}

TEST(IniFile, WritesReachTheDiskAtOnceAndKeepOtherLines)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("a.ini");
    WriteFileText(path, "; top\n[A]\nx=1\n\n; about B\n[B]\ny=2\n");
    TIniFile ini(path);

    ini.WriteString("a", "X", "one");      // existing key, original spelling kept
    ini.WriteInteger("A", "z", -5);        // new key after the section's last key
    ini.WriteBool("C", "flag", true);      // new section at the end
    EXPECT_EQ(ReadFileText(path),
              "; top\r\n[A]\r\nx=one\r\nz=-5\r\n\r\n; about B\r\n[B]\r\ny=2\r\n\r\n[C]\r\nflag=1\r\n");

    TIniFile again(path);
    EXPECT_EQ(again.ReadString("A", "x", ""), "one");
    EXPECT_EQ(again.ReadInteger("A", "Z", 0), -5);
    EXPECT_TRUE(again.ReadBool("c", "FLAG", false));
    ini.WriteBool("C", "flag", false);
    EXPECT_FALSE(TIniFile(path).ReadBool("C", "flag", true));
}

TEST(IniFile, ValuesRoundTripExactly)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("r.ini");
    const struct {
        std::string written;
        std::string read;
    } rows[] = {
        {"plain", "plain"},
        {"", ""},
        {"  lead and trail ", "  lead and trail "},
        {"\"quoted\"", "\"quoted\""},
        {"'single'", "'single'"},
        {"a=b=c", "a=b=c"},
        {"semi;colon", "semi;colon"},
        {"two\r\nlines", "two  lines"},  // line breaks cannot be stored
        {"\xE4\xF6\xFC", "\xE4\xF6\xFC"},
    };
    for (const auto& r : rows) {
        TIniFile(path).WriteString("S", "K", r.written);
        EXPECT_EQ(TIniFile(path).ReadString("S", "K", "<none>"), r.read) << r.written;
    }
    const int numbers[] = {0, -1, 2147483647, -2147483647 - 1};
    for (int n : numbers) {
        TIniFile(path).WriteInteger("CRC_Check", "7", n);
        EXPECT_EQ(TIniFile(path).ReadInteger("CRC_Check", "7", 1), n);
    }
}

TEST(IniFile, MissingFileReadsAsDefaultsAndFirstWriteCreatesIt)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("new.ini");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("UseImageLib", "UsingLib", "WIL"), "WIL");
    EXPECT_FALSE(ini.ReadBool("DirectX", "NoVSync", false));
    ini.UpdateFile();  // nothing to write: no file yet
    EXPECT_FALSE(FileExists(path));
    ini.WriteBool("DirectX", "NoVSync", true);
    EXPECT_EQ(ReadFileText(path), "[DirectX]\r\nNoVSync=1\r\n");
}

TEST(IniFile, UnchangedValueDoesNotRewrite)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("same.ini");
    WriteFileText(path, "[S]\nK = v\n");  // LF and blanks: any rewrite would show
    TIniFile ini(path);
    ini.WriteString("S", "K", "v");
    EXPECT_EQ(ReadFileText(path), "[S]\nK = v\n");
}

TEST(IniFile, FailedWriteKeepsTheValueAndUpdateFileRetries)
{
    testsupport::TempDir dir;
    const std::string folder = dir.file("sub");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/s.ini";
    TIniFile ini(path);
    std::filesystem::remove(folder);  // the folder vanishes: writes cannot succeed

    EXPECT_THROW(ini.WriteString("S", "K", "v"), EStreamError);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "v");

    std::filesystem::create_directory(folder);
    ini.UpdateFile();
    EXPECT_EQ(ReadFileText(path), "[S]\r\nK=v\r\n");
}

TEST(IniFile, ByteOrderMarkIsSkippedAndKept)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("bom.ini");
    WriteFileText(path, "\xEF\xBB\xBF[A]\nk=1\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    ini.WriteInteger("A", "k", 2);
    EXPECT_EQ(ReadFileText(path), "\xEF\xBB\xBF[A]\r\nk=2\r\n");
}

} // namespace
