// Mapped views of whole files and the pairing of a library's two files.
#include "gamedata/MappedFile.h"

#include "tests/fixtures/core/SilFixture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using fixtures::WriteBytesToFile;

TEST(LibraryPairing, EitherExtensionNamesThePair)
{
    struct Case {
        const char* path;
        const char* dataExt;
        const char* indexExt;
        const char* data;
        const char* index;
    };
    const Case cases[] = {
        {"C:\\Game\\Data\\Tilesc.wil", ".wil", ".wix", "C:\\Game\\Data\\Tilesc.wil", "C:\\Game\\Data\\Tilesc.wix"},
        {"Data\\Tilesc.WIL", ".wil", ".wix", "Data\\Tilesc.WIL", "Data\\Tilesc.wix"},
        {"Data\\Tilesc.wix", ".wil", ".wix", "Data\\Tilesc.wil", "Data\\Tilesc.wix"},
        {"Data\\Tilesc.WiX", ".wil", ".wix", "Data\\Tilesc.wil", "Data\\Tilesc.WiX"},
        {"Data\\Snow\\Tiles30c.sil", ".sil", ".six", "Data\\Snow\\Tiles30c.sil", "Data\\Snow\\Tiles30c.six"},
        {"Data\\Snow\\Tiles30c.SIX", ".sil", ".six", "Data\\Snow\\Tiles30c.sil", "Data\\Snow\\Tiles30c.SIX"},
        // Only the extension after the last delimiter counts; any other path is taken as the index file.
        {"Data\\x.wil\\lib.dat", ".wil", ".wix", "Data\\x.wil\\lib.wil", "Data\\x.wil\\lib.dat"},
        {"ab", ".sil", ".six", ".sil", "ab"},
    };
    for (const Case& c : cases) {
        const TLibraryFiles files = PairLibraryFiles(c.path, c.dataExt, c.indexExt);
        EXPECT_EQ(files.DataPath, c.data) << c.path;
        EXPECT_EQ(files.IndexPath, c.index) << c.path;
    }
}

class MappedFileTest : public testing::Test {
protected:
    testsupport::TempDir dir;
};

TEST_F(MappedFileTest, MapResults)
{
    const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5};
    ASSERT_TRUE(WriteBytesToFile(dir.file("five"), bytes));
    ASSERT_TRUE(WriteBytesToFile(dir.file("empty"), {}));

    struct Case {
        const char* name;
        TMapMode mode;
        TMapError expected;
    };
    const Case cases[] = {
        {"five", TMapMode::ReadOnly, TMapError::None},
        {"five", TMapMode::ReadWrite, TMapError::None},
        {"missing", TMapMode::ReadOnly, TMapError::OpenFile},
        {"empty", TMapMode::ReadOnly, TMapError::CreateMapping},
        {"", TMapMode::ReadOnly, TMapError::OpenFile},  // the folder itself
    };
    for (const Case& c : cases) {
        TMappedFile file;
        EXPECT_EQ(file.Map(dir.file(c.name), c.mode), c.expected) << c.name;
        EXPECT_EQ(file.Mapped(), c.expected == TMapError::None) << c.name;
        if (c.expected == TMapError::None)
            EXPECT_EQ(std::vector<uint8_t>(file.Bytes().begin(), file.Bytes().end()), bytes) << c.name;
        else
            EXPECT_EQ(file.Size(), 0u) << c.name;
    }
}

TEST_F(MappedFileTest, ReloadTakesThePresentSizeOfTheFile)
{
    const std::string path = dir.file("lib");
    ASSERT_TRUE(WriteBytesToFile(path, std::vector<uint8_t>(5000, 7)));
    TMappedFile file;
    ASSERT_EQ(file.Map(path), TMapError::None);
    for (size_t size : {size_t{3}, size_t{70000}, size_t{1}}) {
        file.Unmap();
        ASSERT_TRUE(WriteBytesToFile(path, std::vector<uint8_t>(size, 1)));
        ASSERT_EQ(file.Reload(), TMapError::None);
        EXPECT_EQ(file.Size(), size);
        EXPECT_EQ(file.Data()[size - 1], 1);
    }
    file.Unmap();
    ASSERT_TRUE(std::filesystem::remove(path));
    EXPECT_EQ(file.Reload(), TMapError::OpenFile);
    EXPECT_FALSE(file.Mapped());
}

TEST_F(MappedFileTest, PairMapsBothOrNeither)
{
    ASSERT_TRUE(WriteBytesToFile(dir.file("lib.sil"), {1}));
    ASSERT_TRUE(WriteBytesToFile(dir.file("lib.six"), {2, 2}));
    ASSERT_TRUE(WriteBytesToFile(dir.file("alone.sil"), {1}));
    ASSERT_TRUE(WriteBytesToFile(dir.file("orphan.six"), {2}));
    struct Case {
        const char* path;
        bool mapped;
    };
    for (const Case& c : {Case{"lib.six", true}, Case{"alone.sil", false}, Case{"orphan.six", false},
                          Case{"none.sil", false}}) {
        TMappedFile data, index;
        EXPECT_EQ(MapLibraryPair(PairLibraryFiles(dir.file(c.path), ".sil", ".six"), data, index), c.mapped) << c.path;
        EXPECT_EQ(data.Mapped(), c.mapped) << c.path;
        EXPECT_EQ(index.Mapped(), c.mapped) << c.path;
        if (c.mapped) {
            EXPECT_EQ(data.Size(), 1u);
            EXPECT_EQ(index.Size(), 2u);
        }
    }
}

} // namespace
