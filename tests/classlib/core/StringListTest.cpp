// The string list's sorted insertion with its duplicates rule, and its index checks.
#include "classlib/core/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/SysUtils.h"

namespace {

std::vector<std::string> Items(const TStrings& l)
{
    std::vector<std::string> r;
    for (int i = 0; i < l.Count(); ++i)
        r.push_back(l.Strings(i));
    return r;
}

using Lines = std::vector<std::string>;

TEST(StringList, SortedAddPlacesItemsAndHandlesDuplicates)
{
    const struct {
        TDuplicates dup;
        bool caseSensitive;
        Lines added;
        Lines result;
        bool throws;
    } rows[] = {
        {dupIgnore, false, {"pear", "Apple", "fig", "apple"}, {"Apple", "fig", "pear"}, false},
        {dupAccept, false, {"pear", "Apple", "apple"}, {"apple", "Apple", "pear"}, false},
        // Each new equal item goes before all the equal ones: Find lands on the first of them.
        {dupAccept, false, {"x", "X", "x", "a", "X"}, {"a", "X", "x", "X", "x"}, false},
        {dupError, false, {"pear", "PEAR"}, {"pear"}, true},
        {dupIgnore, true, {"b", "B", "a", "A"}, {"A", "B", "a", "b"}, false},
        {dupIgnore, false, {"_x", "Zed", "a"}, {"a", "Zed", "_x"}, false},  // '_' sorts after letters
    };
    for (const auto& r : rows) {
        TStringList l;
        l.SetDuplicates(r.dup);
        l.SetCaseSensitive(r.caseSensitive);
        l.SetSorted(true);
        bool threw = false;
        for (const std::string& s : r.added) {
            try {
                l.Add(s);
            } catch (const EListError& e) {
                threw = true;
                EXPECT_EQ(e.Message, "String list does not allow duplicates");
            }
        }
        EXPECT_EQ(threw, r.throws);
        EXPECT_EQ(Items(l), r.result);
    }
}

TEST(StringList, BadIndexesAndSortedEditsAreRefused)
{
    TStringList l;
    l.Add("x");
    const struct {
        const char* what;
        void (*call)(TStringList&);
        const char* message;
    } rows[] = {
        {"get -1", [](TStringList& s) { s.Get(-1); }, "List index out of bounds (-1)"},
        {"get 1", [](TStringList& s) { s.Get(1); }, "List index out of bounds (1)"},
        {"object 5", [](TStringList& s) { s.Objects(5); }, "List index out of bounds (5)"},
        {"delete 1", [](TStringList& s) { s.Delete(1); }, "List index out of bounds (1)"},
        {"insert 2", [](TStringList& s) { s.Insert(2, "y"); }, "List index out of bounds (2)"},
        {"exchange", [](TStringList& s) { s.Exchange(0, 3); }, "List index out of bounds (3)"},
    };
    for (const auto& r : rows) {
        try {
            r.call(l);
            ADD_FAILURE() << r.what;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, r.message) << r.what;
        }
    }
    EXPECT_EQ(Items(l), Lines{"x"});

    l.SetSorted(true);
    EXPECT_THROW(l.Insert(0, "a"), EListError);
    EXPECT_THROW(l.Put(0, "a"), EListError);
    EXPECT_THROW(l.Exchange(0, 0), EListError);
}

} // namespace
