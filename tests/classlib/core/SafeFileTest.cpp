#include "classlib/core/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "classlib/core/SysUtils.h"
#include "tests/classlib/core/FileText.h"
#include "tests/support/TempDir.h"

namespace {

using classlibtest::ReadFileText;

size_t FileCount(const std::filesystem::path& dir)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(SafeFile, CreatesAndReplacesWithoutLeftovers)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("settings.ini");
    const struct {
        std::string content;
    } rounds[] = {{"first"}, {std::string("\0\r\n\xFF", 4)}, {""}, {std::string(300000, 'z')}};
    for (const auto& r : rounds) {
        WriteFileReplacing(path, r.content.data(), r.content.size());
        EXPECT_EQ(ReadFileText(path), r.content);
        EXPECT_EQ(FileCount(dir.path()), 1u);
    }
}

TEST(SafeFile, FailureKeepsTheOldFileAndNamesTheTarget)
{
    testsupport::TempDir dir;
    // The target is a folder holding a file: it cannot be replaced by a file.
    const std::string target = dir.file("busy");
    std::filesystem::create_directory(target);
    std::ofstream(dir.file("busy/keep.txt")) << "kept";

    try {
        WriteFileReplacing(target, "new", 3);
        FAIL() << "replaced a folder";
    } catch (const EStreamError& e) {
        EXPECT_NE(e.Message.find("\"" + target + "\""), std::string::npos) << e.Message;
        EXPECT_TRUE((dynamic_cast<const EFCreateError*>(&e) || dynamic_cast<const EWriteError*>(&e)));
    }
    EXPECT_EQ(ReadFileText(dir.file("busy/keep.txt")), "kept");
    EXPECT_EQ(FileCount(dir.path()), 1u);  // no temporary file left beside it

    const std::string inMissingFolder = dir.file("missing/x.ini");
    EXPECT_THROW(WriteFileReplacing(inMissingFolder, "x", 1), EFCreateError);
    EXPECT_EQ(FileCount(dir.path()), 1u);
}

} // namespace
