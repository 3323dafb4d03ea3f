#include "classlib/core/StringList.h"

#include <algorithm>

#include "classlib/core/SysUtils.h"

// Sections: TStrings; TStringList.

// ---- TStrings --------------------------------------------------------------------------------------------------

void TStrings::IndexError(int index)
{
    throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const
{
    return caseSensitive_ ? a.compare(b) : CompareText(a, b);
}

int TStrings::IndexOf(std::string_view s) const
{
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::AddObject(const std::string& s, TObject* object)
{
    const int index = Count();
    InsertObject(index, s, object);
    return index;
}

void TStrings::AddStrings(const TStrings& other)
{
    InUpdate([&] {
        const int n = other.Count();
        for (int i = 0; i < n; ++i)
            AddObject(other.Get(i), other.GetObject(i));
    });
}

int TStrings::IndexOfObject(const TObject* object) const
{
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

std::string TStrings::Text() const
{
    std::string r;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(std::string_view text)
{
    const std::vector<std::string_view> lines = SplitLines(text);
    InUpdate([&] {
        Clear();
        for (std::string_view line : lines)
            Add(std::string(line));
    });
}

void TStrings::Assign(const TPersistent* source)
{
    const auto* other = dynamic_cast<const TStrings*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    InUpdate([&] {
        Clear();
        AddStrings(*other);
    });
}

void TStrings::BeginUpdate()
{
    if (updateCount_++ == 0)
        changedInUpdate_ = false;
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        OnChange(this);
    }
}

void TStrings::Changing()
{
    if (updateCount_ == 0)
        OnChanging(this);
    else if (!changedInUpdate_) {
        changedInUpdate_ = true;
        OnChanging(this);
    }
}

void TStrings::Changed()
{
    if (updateCount_ == 0)
        OnChange(this);
    else
        changedInUpdate_ = true;
}

// ---- TStringList -----------------------------------------------------------------------------------------------

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
}

void TStringList::CheckUnsorted() const
{
    if (sorted_)
        throw EListError("Operation not allowed on sorted list");
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

TObject* TStringList::GetObject(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::Put(int index, const std::string& s)
{
    CheckUnsorted();
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].text = s;
    Changed();
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::InsertObject(int index, const std::string& s, TObject* object)
{
    CheckUnsorted();
    if (index < 0 || index > Count())
        IndexError(index);
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::IndexOf(std::string_view s) const
{
    if (!sorted_)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

int TStringList::AddObject(const std::string& s, TObject* object)
{
    if (!sorted_)
        return TStrings::AddObject(s, object);
    int index = 0;
    if (Find(s, index)) {
        if (duplicates_ == dupIgnore)
            return index;
        if (duplicates_ == dupError)
            throw EListError("String list does not allow duplicates");
    }
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
    return index;
}

bool TStringList::Find(std::string_view s, int& index) const
{
    // Lower bound, so that among equal items the first is found and a new one goes after none of them.
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (CompareStrings(items_[static_cast<size_t>(mid)].text, s) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < Count() && CompareStrings(items_[static_cast<size_t>(lo)].text, s) == 0;
}

void TStringList::Sort()
{
    if (items_.size() < 2)
        return;
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
    Changed();
}

void TStringList::Exchange(int a, int b)
{
    CheckUnsorted();
    CheckIndex(a);
    CheckIndex(b);
    Changing();
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
    Changed();
}

void TStringList::SetSorted(bool value)
{
    if (value == sorted_)
        return;
    if (value)
        Sort();
    sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (value == CaseSensitive())
        return;
    TStrings::SetCaseSensitive(value);
    if (sorted_)
        Sort();
}
