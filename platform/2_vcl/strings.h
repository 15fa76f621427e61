// Lists of strings: the items of combo boxes and radio groups, the lines of memos, and the
// string lists handlers fill for each other. Not here: anything about controls.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {

class TStrings {
public:
    TStrings() = default;
    TStrings(std::initializer_list<std::string_view> items);
    TStrings(const TStrings& other) : items_(other.items_), sorted_(other.sorted_) {}
    TStrings& operator=(const TStrings& other);
    virtual ~TStrings() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int index) const { return items_.at(index); }
    const std::string& Strings(int index) const { return items_.at(index); }
    void Set(int index, std::string_view value);
    // The index where the string went (its sorted place when Sorted).
    int Add(std::string_view value);
    void Insert(int index, std::string_view value);
    void Delete(int index);
    void Clear();
    void Assign(const TStrings& other);
    void AddStrings(const TStrings& other);
    // Ignoring case; -1 when absent.
    int IndexOf(std::string_view value) const;

    // Kept in order ignoring case; turning it on sorts what is there.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);

    // Every line followed by "\n"; setting splits on "\n" (a "\r" before it is dropped).
    std::string Text() const;
    void SetText(std::string_view text);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    std::function<void()> OnChange;

protected:
    // After every change; controls that own a list override it to follow their items.
    virtual void Changed();

private:
    std::vector<std::string> items_;
    bool sorted_ = false;
};

using TStringList = TStrings;

}  // namespace vcl
