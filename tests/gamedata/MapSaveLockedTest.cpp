// Saving over a map file that another program holds open: the replace step fails, and the old file must come
// through untouched, with no temporary file left beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "classlib/WinHandle.h"
#include "classlib/core/SysUtils.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/support/TempDir.h"

namespace {

using fixtures::MapFileBuilder;

TEST(Vesk3MapSaveLocked, ReplaceRefusedKeepsTheOldFileAndLeavesNoTemporary)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("held.map");
    const std::vector<uint8_t> old = MapFileBuilder(9, 7).FillRandom(3).Bytes();
    ASSERT_TRUE(fixtures::WriteBytesToFile(path, old));
    TVesk3Map map;
    ASSERT_TRUE(map.NewMap("new.map", 4, 4, 2));
    {
        // Open without delete sharing: the file cannot be replaced while this handle lives.
        const TWinHandle holder(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_THROW(map.SaveToFile(path), EStreamError);
    }
    EXPECT_EQ(fixtures::ReadFileBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    map.SaveToFile(path);  // once released, the same save goes through
    EXPECT_EQ(fixtures::ReadFileBytes(path), MapFileBuilder(4, 4, 2).Bytes());
}

}  // namespace
