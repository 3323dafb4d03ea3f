// The platform's own file dialogs, driven as a user drives them: a name too long for a path (the platform would
// overrun a buffer with it and end the program), put into either dialog and confirmed with Enter or the button, gets
// a message box over the dialog saying so, and the dialog keeps the name; a name the platform's save dialog faults on
// is refused the same way. A proper name afterwards is chosen as ever.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "tests/classlib/FileDialogDriver.h"
#include "tests/classlib/RuntimeTestSupport.h"

namespace {

// A map file's name of Length characters, ".map" among them.
std::string MapName(size_t Length) { return std::string(Length - 4, 'y') + ".map"; }

TEST(FileDialogs, ANameTooLongForAPathIsRefusedOverTheDialogAndAProperOneIsChosen)
{
    // A folder of 40 characters: a name of 200 makes a path of 241, one of 244 a path of 285, past what a path holds
    // (MAX_PATH, 260 with the null; the platform's dialog overruns its buffer from about 264 on).
    std::string folder = "C:\\file-dialog-test-" + std::to_string(GetCurrentProcessId()) + "-";
    folder.resize(40, 'f');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string chosen = folder + "\\" + MapName(200);
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
        if (save) {  // the platform's save dialog faults on this name
            steps.push_back({"c:x.map", "c:x.map", true});
            expected.push_back("c:x.map: box \"This file name cannot be used.\", the dialog keeps the name");
        }
        steps.push_back({"200", MapName(200), true});
        expected.push_back("200: the dialog ends");

        runtimetest::TReportCapture capture;
        Application->OnMessageBox = nullptr;  // the boxes show, for the driver to find and close
        std::unique_ptr<TOpenDialog> dialog =
            save ? std::make_unique<TSaveDialog>(nullptr) : std::make_unique<TOpenDialog>(nullptr);
        dialog->SetInitialDir(folder);
        dialog->SetFilter("Map File (*.map)|*.map");
        dialog->SetDefaultExt("map");
        if (!save) dialog->SetOptions({ofHideReadOnly, ofFileMustExist, ofEnableSizing});
        dialogtest::TFileDialogDriver driver(steps);
        EXPECT_TRUE(dialog->Execute());
        EXPECT_EQ(driver.Finish(), expected);
        EXPECT_EQ(dialog->FileName(), chosen);
        ASSERT_EQ(capture.Reports.size(), save ? 1u : 0u) << "the fault on \"c:x.map\" is reported";
        if (save) {
            EXPECT_THAT(capture.Reports[0].Text, testing::EndsWith("of a \"#32770\" window, message 0x0111"));
        }
    }
    DeleteFileA(chosen.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
