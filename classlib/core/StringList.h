#pragma once
// String lists: the abstract TStrings (what controls' item lists share) and the stored TStringList, each item a
// text with an optional object pointer the list does not own.
//
// Case-insensitive comparisons fold ASCII letters only (CompareText); case-sensitive ones compare bytes.
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/Objects.h"

class TStrings : public TPersistent {
public:
    // ---- what a concrete list provides
    virtual int Count() const = 0;
    // Index checks throw EListError "List index out of bounds (i)".
    virtual std::string Get(int index) const = 0;
    virtual TObject* GetObject(int index) const = 0;
    virtual void Put(int index, const std::string& s) = 0;
    virtual void PutObject(int index, TObject* object) = 0;
    // index may equal Count (append).
    virtual void InsertObject(int index, const std::string& s, TObject* object) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // First item equal to `s` (ignoring case unless the list says otherwise); -1 when none.
    virtual int IndexOf(std::string_view s) const;

    // ---- built on the above
    // Returns the new item's index.
    virtual int AddObject(const std::string& s, TObject* object);
    int Add(const std::string& s) { return AddObject(s, nullptr); }
    void Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }
    void AddStrings(const TStrings& other);
    std::string Strings(int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    int IndexOfObject(const TObject* object) const;

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the items by the lines of `text`, split at CR LF, LF or CR; a final line break adds no empty item.
    void SetText(std::string_view text);

    // Copies the items and objects of another TStrings.
    void Assign(const TPersistent* source) override;

    // Changes inside BeginUpdate/EndUpdate pairs notify once, at the outermost EndUpdate, and only when something
    // changed.
    void BeginUpdate();
    void EndUpdate();

    // Fired before and after every change outside update pairs.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

    bool CaseSensitive() const { return caseSensitive_; }
    virtual void SetCaseSensitive(bool value) { caseSensitive_ = value; }

protected:
    // Concrete lists call these around each change.
    void Changing();
    void Changed();
    int CompareStrings(std::string_view a, std::string_view b) const;
    [[noreturn]] static void IndexError(int index);
    int UpdateCount() const { return updateCount_; }

private:
    // Runs `change` inside an update pair that ends even when it throws.
    template <class F>
    void InUpdate(F change)
    {
        BeginUpdate();
        try {
            change();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }

    int updateCount_ = 0;
    bool changedInUpdate_ = false;
    bool caseSensitive_ = false;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    TObject* GetObject(int index) const override;
    // Throws EListError "Operation not allowed on sorted list" when Sorted.
    void Put(int index, const std::string& s) override;
    void PutObject(int index, TObject* object) override;
    // Throws EListError "Operation not allowed on sorted list" when Sorted.
    void InsertObject(int index, const std::string& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(std::string_view s) const override;
    // In a sorted list the item goes to its sorted place; a duplicate is then ignored (returning the existing
    // index), accepted, or refused with EListError "String list does not allow duplicates", per Duplicates.
    int AddObject(const std::string& s, TObject* object) override;

    // Binary search of a sorted list: true when found; `index` is the match or the place to insert.
    bool Find(std::string_view s, int& index) const;
    // Stable sort by CompareStrings.
    virtual void Sort();
    void Exchange(int a, int b);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }
    void SetCaseSensitive(bool value) override;

private:
    struct Item {
        std::string text;
        TObject* object;
    };
    void CheckIndex(int index) const;
    void CheckUnsorted() const;

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
};
