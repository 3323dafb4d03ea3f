// The platform's own file dialogs, driven as a user drives them: a name too long for a path (the platform would
// overrun a buffer with it and end the program), put into either dialog and confirmed with Enter or the button, gets
// a message box over the dialog saying so, and the dialog keeps the name. A proper name afterwards is chosen as ever.
// The limit is the path the platform makes of the name, one character each side; what browses passes whatever its
// length. A name the platform's save dialog faults on is refused the same way, and that dialog ends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "tests/classlib/FileDialogDriver.h"
#include "tests/classlib/RuntimeTestSupport.h"

namespace {

// A map file's name of Length characters, ".map" among them.
std::string MapName(size_t Length) { return std::string(Length - 4, 'y') + ".map"; }

// A folder on C: whose path has Length characters, removed with what it holds.
struct TFolder {
    explicit TFolder(size_t Length) : Path("C:\\file-dialog-test-" + std::to_string(GetCurrentProcessId()) + "-")
    {
        Path.resize(Length, 'f');
        std::filesystem::create_directories(Path);
    }
    ~TFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    std::string Path;
};

// Shows the dialog on the folder (filter, default extension and options of the editor's) while the driver takes
// the steps; the driver's lines, and the chosen path or "cancelled".
std::pair<std::vector<std::string>, std::string> ShowDialog(bool Save, const std::string& Folder,
                                                            std::vector<dialogtest::TStep> Steps)
{
    std::unique_ptr<TOpenDialog> dialog =
        Save ? std::make_unique<TSaveDialog>(nullptr) : std::make_unique<TOpenDialog>(nullptr);
    dialog->SetInitialDir(Folder);
    dialog->SetFilter("Map File (*.map)|*.map");
    dialog->SetDefaultExt("map");
    if (!Save) dialog->SetOptions({ofHideReadOnly, ofFileMustExist, ofEnableSizing});
    const std::filesystem::path current = std::filesystem::current_path();  // the dialog makes its folder current
    dialogtest::TFileDialogDriver driver(std::move(Steps));
    const bool chosen = dialog->Execute();
    std::filesystem::current_path(current);
    return {driver.Finish(), chosen ? dialog->FileName() : "cancelled"};
}

TEST(FileDialogs, ANameTooLongForAPathIsRefusedOverTheDialogAndAProperOneIsChosen)
{
    // A folder of 40 characters: a name of 200 makes a path of 241, one of 244 a path of 285, past what a path holds
    // (MAX_PATH, 260 with the null; the platform's dialog overruns its buffer from about 264 on).
    const TFolder folder(40);
    const std::string chosen = folder.Path + "\\" + MapName(200);
    std::fclose(std::fopen(chosen.c_str(), "wb"));  // for the open dialog, which wants an existing file
    const std::string tooLong = "box \"The file name is too long.\", the dialog keeps the name";
    for (const bool save : {false, true}) {
        SCOPED_TRACE(save ? "save dialog" : "open dialog");
        std::vector<dialogtest::TStep> steps;
        std::vector<std::string> expected;
        for (size_t length : {244, 252, 260, 300, 1000})
            for (const bool enter : {true, false}) {
                steps.push_back({std::to_string(length) + (enter ? " Enter" : " button"), MapName(length), enter});
                expected.push_back(steps.back().Label + ": " + tooLong);
            }
        steps.push_back({"200", MapName(200), true});
        expected.push_back("200: the dialog ends");

        runtimetest::TReportCapture capture;
        Application->OnMessageBox = nullptr;  // the boxes show, for the driver to find and close
        EXPECT_EQ(ShowDialog(save, folder.Path, steps), std::pair(expected, chosen));
        EXPECT_TRUE(capture.Reports.empty());
    }
}

TEST(FileDialogs, TheLimitIsThePathThePlatformMakesOfTheName)
{
    // Names whose path, as the platform makes it in a folder of 40 characters, has Length characters: ".map" is
    // appended to a last part without an extension, the drive before "\\server\...", and a drive-relative name
    // stands in its drive's current folder, which the dialog keeps at the folder it shows.
    const TFolder folder(40);
    const std::string ends = "the dialog ends", faultEnds = "box \"This file name cannot be used.\", the dialog ends";
    const std::string notThere = "box \"File does not exist\", the dialog keeps the name";
    struct Kind {
        const char* Label;
        std::string (*Name)(size_t Length);
        std::string Saved, Opened;  // what follows the name at the limit in either dialog
    } kinds[] = {
        {"plain", [](size_t n) { return MapName(n - 41); }, ends, notThere},
        {"no extension", [](size_t n) { return std::string(n - 45, 'y'); }, ends, notThere},
        {"\". \" in the last part", [](size_t n) { return "v1.2 " + std::string(n - 50, 'y'); }, ends, notThere},
        {"a trailing space", [](size_t n) { return MapName(n - 46) + " "; }, ends, notThere},
        {"\\\\srv\\share", [](size_t n) { return "\\\\srv\\share\\" + MapName(n - 14); }, ends,
         "box \"Path does not exist\", the dialog lost the name"},
        // The platform's save dialog faults on such a name; its open dialog shows another folder after it.
        {"c:", [](size_t n) { return "c:" + MapName(n - 41); }, faultEnds,
         "box \"File does not exist\", the dialog lost the name"},
    };
    runtimetest::TReportCapture capture;
    Application->OnMessageBox = nullptr;  // the boxes show, for the driver to find and close
    for (const Kind& k : kinds)
        for (const bool save : {true, false}) {
            SCOPED_TRACE(k.Label + std::string(save ? " saving" : " opening"));
            const std::string over = k.Label + std::string(" 260"), at = k.Label + std::string(" 259");
            const auto [lines, chosen] =
                ShowDialog(save, folder.Path, {{over, k.Name(260), true}, {at, k.Name(259), false}});
            EXPECT_EQ(lines, (std::vector<std::string>{over + ": box \"The file name is too long.\", the dialog "
                                                              "keeps the name",
                                                       at + ": " + (save ? k.Saved : k.Opened)}));
            if (k.Saved == ends && save) EXPECT_EQ(chosen.size(), 259u) << chosen;
            else EXPECT_EQ(chosen, "cancelled");
        }
    EXPECT_EQ(capture.Reports.size(), 1u) << "the fault on the drive-relative name is reported";
}

TEST(FileDialogs, WhatBrowsesIsLetThroughWhateverItsLength)
{
    // A sub-folder whose path, with ".map", would pass what a path holds: the dialog browses into it by its name
    // and by the list's item chosen with any name in the field, and back up by "..". A folder's name whose path
    // keeps its length as the platform makes it (empty parts) is refused.
    const TFolder folder(253);
    const std::string sub = folder.Path + "\\sub";
    ASSERT_TRUE(std::filesystem::create_directory(sub));
    const std::string up = "\"" + folder.Path.substr(3) + "\"";
    runtimetest::TReportCapture capture;
    Application->OnMessageBox = nullptr;
    EXPECT_EQ(ShowDialog(true, folder.Path,
                         {{"sub", "sub", true},
                          {"..", "..", true},
                          {"chosen", MapName(300), false, IDOK, "sub"},
                          {"separators", ".." + std::string(300, '\\'), true}}),
              std::pair(std::vector<std::string>{"sub: the dialog shows \"sub\"", "..: the dialog shows " + up,
                                                 "chosen: the dialog shows \"sub\"",
                                                 "separators: box \"The file name is too long.\", the dialog keeps "
                                                 "the name"},
                        std::string("cancelled")));
}

TEST(FileDialogs, AFaultInTheSaveDialogEndsItAsCancelledAndTheNextSaveWorks)
{
    const TFolder folder(40);
    runtimetest::TReportCapture capture;
    Application->OnMessageBox = nullptr;
    EXPECT_EQ(ShowDialog(true, folder.Path, {{"c:x.map", "c:x.map", true}}),
              std::pair(std::vector<std::string>{"c:x.map: box \"This file name cannot be used.\", the dialog ends"},
                        std::string("cancelled")));
    ASSERT_EQ(capture.Reports.size(), 1u);
    EXPECT_THAT(capture.Reports[0].Text, testing::EndsWith("of a \"#32770\" window, message 0x0111"));
    EXPECT_EQ(ShowDialog(true, folder.Path, {{"proper", "x", true}}),
              std::pair(std::vector<std::string>{"proper: the dialog ends"}, folder.Path + "\\x.map"));
}

}  // namespace
