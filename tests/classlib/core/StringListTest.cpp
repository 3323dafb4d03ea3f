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

TEST(StringList, TextSplitsAtEveryLineBreakKind)
{
    const struct {
        const char* text;
        Lines items;
        const char* back;  // Text() of the result
    } rows[] = {
        {"", {}, ""},
        {"a", {"a"}, "a\r\n"},
        {"a\r\n", {"a"}, "a\r\n"},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n"},
        {"\r\n\r\n", {"", ""}, "\r\n\r\n"},
        {"a\n\rb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},  // LF then CR: two breaks
        {" x \t", {" x \t"}, " x \t\r\n"},
    };
    for (const auto& r : rows) {
        TStringList l;
        l.Add("old");
        l.SetText(r.text);
        EXPECT_EQ(Items(l), r.items) << r.text;
        EXPECT_EQ(l.Text(), r.back);
    }
}

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

TEST(StringList, LookupIgnoresCaseUnlessAskedAndUsesSortOrder)
{
    for (bool sorted : {false, true}) {
        TStringList l;
        for (const char* s : {"Tiles", "Objects", "SmTiles", "objects2"})
            l.Add(s);
        l.SetSorted(sorted);
        EXPECT_GE(l.IndexOf("TILES"), 0);
        EXPECT_EQ(l.Strings(l.IndexOf("smtiles")), "SmTiles");
        EXPECT_EQ(l.IndexOf("Tile"), -1);
        EXPECT_EQ(l.IndexOf(""), -1);
        l.SetCaseSensitive(true);
        EXPECT_EQ(l.IndexOf("TILES"), -1);
        EXPECT_GE(l.IndexOf("Tiles"), 0);
    }
    TStringList sorted;
    sorted.SetSorted(true);
    int index = -1;
    EXPECT_FALSE(sorted.Find("x", index));
    EXPECT_EQ(index, 0);
    sorted.Add("b");
    sorted.Add("d");
    EXPECT_FALSE(sorted.Find("c", index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(sorted.Find("D", index));
    EXPECT_EQ(index, 1);
}

TEST(StringList, ObjectsTravelWithTheirItems)
{
    TObject a, b, c;
    TStringList l;
    l.AddObject("b", &b);
    l.AddObject("c", &c);
    l.AddObject("a", &a);
    l.SetSorted(true);
    EXPECT_EQ(Items(l), (Lines{"a", "b", "c"}));
    EXPECT_EQ(l.Objects(0), &a);
    EXPECT_EQ(l.Objects(2), &c);
    EXPECT_EQ(l.IndexOfObject(&b), 1);
    EXPECT_EQ(l.IndexOfObject(nullptr), -1);
    l.PutObject(1, nullptr);
    EXPECT_EQ(l.IndexOfObject(&b), -1);

    TStringList copy;
    copy.Add("gone");
    copy.Assign(&l);
    EXPECT_EQ(Items(copy), Items(l));
    EXPECT_EQ(copy.Objects(2), &c);
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

TEST(StringList, ChangeEventsFireOncePerUpdate)
{
    TStringList l;
    int changing = 0, changed = 0;
    l.OnChanging = [&](TObject* sender) {
        EXPECT_EQ(sender, &l);
        ++changing;
    };
    l.OnChange = [&](TObject*) { ++changed; };

    l.Add("a");
    l.Delete(0);
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);

    l.Clear();  // already empty: no change
    EXPECT_EQ(changed, 2);

    l.SetText("a\nb\nc");  // one update
    EXPECT_EQ(changing, 3);
    EXPECT_EQ(changed, 3);

    l.BeginUpdate();
    l.BeginUpdate();
    l.EndUpdate();
    l.EndUpdate();  // nothing changed inside
    EXPECT_EQ(changed, 3);

    l.BeginUpdate();
    l.Add("d");
    l.Add("e");
    EXPECT_EQ(changed, 3);
    l.EndUpdate();
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(changing, 4);
}

TEST(StringList, AssignFromSomethingElseIsAnError)
{
    struct TOther : TPersistent {};
    TOther other;
    TStringList l;
    l.Add("keep");
    EXPECT_THROW(l.Assign(&other), EConvertError);
    EXPECT_EQ(Items(l), Lines{"keep"});
    l.Assign(&l);  // self-assignment keeps the items
    EXPECT_EQ(Items(l), Lines{"keep"});
}

} // namespace
