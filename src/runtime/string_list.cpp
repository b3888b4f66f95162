#include "runtime/string_list.h"

#include "runtime/exceptions.h"
#include "runtime/strings.h"

#include <algorithm>

namespace kvc {

int TStringList::Compare(std::string_view a, std::string_view b) const {
    return caseSensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
}

const std::string& TStringList::operator[](int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].text;
}

void TStringList::Put(int index, std::string value) {
    if (sorted_) {
        throw EStringListError("Operation not allowed on sorted list");
    }
    CheckIndex(index);
    items_[std::size_t(index)].text = std::move(value);
}

void* TStringList::Objects(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].object;
}

void TStringList::PutObject(int index, void* object) {
    CheckIndex(index);
    items_[std::size_t(index)].object = object;
}

int TStringList::Add(std::string value) {
    return AddObject(std::move(value), nullptr);
}

int TStringList::AddObject(std::string value, void* object) {
    if (sorted_) {
        return InsertSorted(std::move(value), object);
    }
    items_.push_back({std::move(value), object});
    return Count() - 1;
}

int TStringList::InsertSorted(std::string value, void* object) {
    int index = 0;
    if (Find(value, index)) {
        if (duplicates_ == TDuplicates::dupIgnore) {
            return index;
        }
        if (duplicates_ == TDuplicates::dupError) {
            throw EStringListError("String list does not allow duplicates");
        }
    }
    items_.insert(items_.begin() + index, {std::move(value), object});
    return index;
}

void TStringList::Insert(int index, std::string value) {
    if (sorted_) {
        throw EStringListError("Operation not allowed on sorted list");
    }
    if (index < 0 || index > Count()) {
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    items_.insert(items_.begin() + index, {std::move(value), nullptr});
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
}

void TStringList::Clear() {
    items_.clear();
}

void TStringList::Exchange(int a, int b) {
    CheckIndex(a);
    CheckIndex(b);
    std::swap(items_[std::size_t(a)], items_[std::size_t(b)]);
}

void TStringList::Move(int from, int to) {
    if (from == to) {
        return;
    }
    CheckIndex(from);
    CheckIndex(to);
    Item item = std::move(items_[std::size_t(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
}

int TStringList::IndexOf(std::string_view value) const {
    if (sorted_) {
        int index = 0;
        return Find(value, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (Compare(items_[std::size_t(i)].text, value) == 0) {
            return i;
        }
    }
    return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& text = items_[std::size_t(i)].text;
        const auto eq = text.find('=');
        if (eq != std::string::npos && Compare(std::string_view(text).substr(0, eq), name) == 0) {
            return i;
        }
    }
    return -1;
}

int TStringList::IndexOfObject(const void* object) const {
    for (int i = 0; i < Count(); ++i) {
        if (items_[std::size_t(i)].object == object) {
            return i;
        }
    }
    return -1;
}

bool TStringList::Find(std::string_view value, int& index) const {
    // The first of equal items, so that dupAccept lists find their first duplicate.
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = Compare(items_[std::size_t(middle)].text, value);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != TDuplicates::dupAccept) {
                    low = middle;
                }
            }
        }
    }
    index = low;
    return found;
}

std::string TStringList::Names(int index) const {
    const std::string& text = (*this)[index];
    const auto eq = text.find('=');
    return eq == std::string::npos ? std::string() : text.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& text = (*this)[index];
    const auto eq = text.find('=');
    return eq == std::string::npos ? std::string() : text.substr(eq + 1);
}

std::string TStringList::Values(std::string_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStringList::SetValue(std::string_view name, std::string_view value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) {
            Delete(index);
        }
        return;
    }
    std::string item = std::string(name) + "=" + std::string(value);
    if (index < 0) {
        Add(std::move(item));
    } else {
        items_[std::size_t(index)].text = std::move(item);
    }
}

std::string TStringList::Text() const {
    std::string out;
    for (const auto& item : items_) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            Add(std::string(text.substr(start)));
            break;
        }
        Add(std::string(text.substr(start, end - start)));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
}

std::string TStringList::CommaText() const {
    std::string out;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::string& text = items_[i].text;
        if (i > 0) {
            out += ',';
        }
        const bool quote = text.empty() || std::any_of(text.begin(), text.end(), [](char c) {
                               return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"';
                           });
        if (!quote) {
            out += text;
            continue;
        }
        out += '"';
        for (char c : text) {
            out += c;
            if (c == '"') {
                out += '"';
            }
        }
        out += '"';
    }
    return out;
}

void TStringList::SetCommaText(std::string_view text) {
    Clear();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') {
            ++i;
        }
    };
    skipBlanks();
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && static_cast<unsigned char>(text[i]) > ' ' && text[i] != ',') {
                item += text[i++];
            }
        }
        Add(std::move(item));
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            ++i;
            skipBlanks();
            if (i == text.size()) {
                Add(std::string()); // "a," has an empty last item
            }
        }
    }
}

void TStringList::SetSorted(bool sorted) {
    if (sorted && !sorted_) {
        Sort();
    }
    sorted_ = sorted;
}

void TStringList::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
}

void TStringList::SetCaseSensitive(bool value) {
    caseSensitive_ = value;
    if (sorted_) {
        Sort();
    }
}

bool TStringList::operator==(const TStringList& other) const {
    return Count() == other.Count() &&
           std::equal(items_.begin(), items_.end(), other.items_.begin(),
                      [](const Item& a, const Item& b) { return a.text == b.text; });
}

} // namespace kvc
