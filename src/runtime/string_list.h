// TStringList: an ordered list of texts, each with an optional object, with the
// classic name=value access and CR LF text form. Comparisons ignore ASCII
// letter case unless CaseSensitive is set.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvc {

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
public:
    TStringList() = default;

    int Count() const { return int(items_.size()); }
    // Index outside the list raises EStringListError ("List index out of bounds (5)").
    const std::string& operator[](int index) const;
    const std::string& Strings(int index) const { return (*this)[index]; }
    void Put(int index, std::string value);
    void* Objects(int index) const;
    void PutObject(int index, void* object);

    // Answers the index of the new item (its sorted place when Sorted); a duplicate
    // in a sorted list is ignored (answering the existing index) or raises, by Duplicates.
    int Add(std::string value);
    int AddObject(std::string value, void* object);
    // Inserting into a sorted list raises EStringListError.
    void Insert(int index, std::string value);
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);

    int IndexOf(std::string_view value) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const void* object) const;
    // Binary search of a sorted list; answers true and the index when found,
    // otherwise false and the index where it would be inserted.
    bool Find(std::string_view value, int& index) const;

    // "name=value": the part before the first "=" (the whole item when there is none).
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(std::string_view name) const;
    // Setting an empty value deletes the item; a missing name is added.
    void SetValue(std::string_view name, std::string_view value);

    // Items each followed by CR LF; setting it splits at CR LF, LF or CR.
    std::string Text() const;
    void SetText(std::string_view text);
    // Items separated by ",", quoted with '"' when they hold a blank, comma or quote.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    void Sort();
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates d) { duplicates_ = d; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);

    bool operator==(const TStringList& other) const;

private:
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    int Compare(std::string_view a, std::string_view b) const;
    void CheckIndex(int index) const;
    int InsertSorted(std::string value, void* object);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = TDuplicates::dupIgnore;
};

} // namespace kvc
