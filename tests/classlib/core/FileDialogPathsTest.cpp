#include "classlib/core/FileDialogPaths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace filedialog;

TEST(FileDialogPaths, TheExtensionAppendedIsTheChosenFiltersOrTheDefaultOneWhicheverIsLonger)
{
    struct Row {
        const char* Filter;
        int Index;
        const char* DefaultExt;
        size_t Length;
    } rows[] = {
        {"Map|*.map", 0, "", 0},         {"Text|*.jpeg;*.map", 0, "map", 5}, {"Map|*.map|Image|*.jpeg", 1, "map", 5},
        {"Pack|*.map.gz", 0, "map", 7},  {"All|*.*", 0, "jpeg", 5},          {"Map|*.map|Image|*.jpeg", 2, "x", 2},
    };
    for (const Row& r : rows)
        EXPECT_EQ(AppendedExtensionLength(r.Filter, r.Index, r.DefaultExt), r.Length) << r.Filter << " " << r.Index;
}

TEST(FileDialogPaths, AFoldersPathCountsWithItsDotPartsFoldedAndItsEmptyPartsKept)
{
    const auto path = [](size_t Length, const std::wstring& Tail) {
        return L"C:\\" + std::wstring(Length - 3 - Tail.size(), L'y') + Tail;
    };
    struct Row {
        std::wstring Path;
        bool TooLong;
    } rows[] = {
        {path(262, L"\\.."), false}, {path(261, L"\\.\\sub"), false}, {path(262, L"\\\\.."), true},
        {path(261, L"\\."), true},   {path(260, L"sub"), true},
    };
    for (const Row& r : rows) EXPECT_EQ(PathTooLong(r.Path, true, 4), r.TooLong) << r.Path.size();
}

}  // namespace
