// Saving where a path is long: a map opened from a path as long as the file dialogs accept is saved back with the
// tool button, and a created map is saved there through the platform's own save dialog, which asks before it
// replaces an existing map.
#include "tests/editor/MainWindowScene.h"

#include "gamedata/core/uVesk3MapEngine.h"
#include "sddcontrols/unSDDButton.h"
#include "tests/classlib/FileDialogDriver.h"
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

// Save As of a created map through the platform's save dialog: a new name at a path as long as the dialog accepts
// is written; the name of an existing map brings the platform's question over the dialog, whose No keeps the file
// as it was and the dialog up (cancelled then), whose Yes replaces the file with the created map.
TEST(MainSave, SaveAsWritesAtAnyAcceptedPathAndAsksBeforeItReplacesAMap)
{
    struct Row {
        std::string Name;
        size_t Length;  // of a new file's path; 0: the client's existing map
        int Answer;     // to the question over the dialog
        std::string Ends;  // the step's line after the question
    };
    std::vector<Row> rows;
    for (const size_t length : kPathLengths) rows.push_back({std::to_string(length), length, IDOK, ""});
    rows.push_back({"No over a map", 0, IDNO, "\", the dialog keeps the name"});
    rows.push_back({"Yes over a map", 0, IDYES, "\", the dialog ends"});
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TMainScene s;
        TfrmSorvantaMain& w = s.W();
        ASSERT_TRUE(w.ApplyNewMap("new.map", 8, 6, 0));
        const std::string path = r.Length ? DeepMapPath(s, r.Length) : s.client.MapPath();
        const std::vector<uint8_t> before = fixtures::ReadFileBytes(path);
        TVesk3Map created;
        created.NewMap("new.map", 8, 6, 0);
        created.SaveToFile(s.client.File("Created.map"));

        TFileDialogHook answers = SetFileDialogHook(nullptr);
        dialogtest::TFileDialogDriver driver({{r.Name, path, true, r.Answer}});
        s.Click(*w.PNGButton4);
        SetFileDialogHook(answers);
        const std::vector<std::string> lines = driver.Finish();
        ASSERT_EQ(lines.size(), 1u);
        if (r.Length) {
            EXPECT_EQ(lines[0], r.Name + ": the dialog ends");
        } else {  // the platform's question, answered with its own button
            EXPECT_TRUE(lines[0].starts_with(r.Name + ": box \"")) << lines[0];
            EXPECT_NE(lines[0].find("replace it?"), std::string::npos) << lines[0];
            EXPECT_TRUE(lines[0].ends_with(r.Ends)) << lines[0];
        }
        const std::vector<uint8_t> after = fixtures::ReadFileBytes(path);
        EXPECT_TRUE(after == (r.Answer == IDNO ? before : fixtures::ReadFileBytes(s.client.File("Created.map"))))
            << after.size() << " bytes";
    }
}

}  // namespace
}  // namespace mainwin_test
