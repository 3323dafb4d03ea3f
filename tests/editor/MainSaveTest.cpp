// Saving where a path is long: a map opened from a path as long as the file dialogs accept is saved back with the
// tool button.
#include "tests/editor/MainWindowScene.h"

#include "gamedata/core/uVesk3MapEngine.h"
#include "sddcontrols/unSDDButton.h"
#include "tests/support/DeepFolder.h"

namespace mainwin_test {
namespace {

// The file dialogs accept a path of up to MAX_PATH - 1 characters: the rows end there.
constexpr size_t kPathLengths[] = {251, 252, 259};

// A path of `length` characters for a map file in a deep folder of the client (the folder is made, not the file).
std::string DeepMapPath(TMainScene& s, size_t length)
{
    return testsupport::DeepFolder(s.client.dir.path(), length - 9) + "\\Deep.map";
}

// A map opened from such a path is saved back by the tool button: the file holds the edit.
TEST(MainSave, AMapOpenedFromAPathAsLongAsTheDialogsAcceptIsSavedBack)
{
    for (const size_t length : kPathLengths) {
        SCOPED_TRACE(length);
        TMainScene s;
        TfrmSorvantaMain& w = s.W();
        const std::string path = DeepMapPath(s, length);
        ASSERT_EQ(path.size(), length);
        std::filesystem::copy_file(s.client.MapPath(), path);
        s.Open(path);
        ASSERT_NE(w.Map, nullptr);
        s.Click(*w.SDDButton3);  // "Delete All Blocker"
        s.Click(*w.PNGButton4);
        TVesk3Map want;  // the same edit, made on the document itself
        ASSERT_TRUE(want.LoadFromFile(s.client.MapPath()));
        want.ClearAllBlockers();
        want.SaveToFile(s.client.File("Expected.map"));
        EXPECT_TRUE(fixtures::ReadFileBytes(path) == fixtures::ReadFileBytes(s.client.File("Expected.map")));
    }
}

}  // namespace
}  // namespace mainwin_test
