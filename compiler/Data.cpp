#include "compiler/Data.h"

#include <cwchar>

Data data;

TokenText TokenText::Of(const wchar_t* chars, size_t length) {
    TokenText t;
    t.chars_ = length ? chars : nullptr;
    t.length_ = length;
    return t;
}

TokenText& TokenText::operator=(const wxString& text) {
    const size_t length = text.length();
    return *this = Of(length ? ::data.tokenStore.Copy(text.wc_str(), length) : nullptr, length);
}

const wchar_t* TokenStore::Copy(const wchar_t* chars, size_t length) {
    if (blocks_.empty() || capacity_ - used_ < length) {
        constexpr size_t kBlock = 1 << 16;
        capacity_ = length > kBlock ? length : kBlock;
        blocks_.emplace_back(new wchar_t[capacity_]);
        used_ = 0;
    }
    wchar_t* at = blocks_.back().get() + used_;
    wmemcpy(at, chars, length);
    used_ += length;
    return at;
}

void TokenStore::Clear() {
    // Keep one block for the next compile; the others go.
    if (blocks_.size() > 1) blocks_.erase(blocks_.begin(), blocks_.end() - 1);
    used_ = 0;
}

size_t NameIndex::Hash(std::wstring_view name) {
    size_t h = 1469598103934665603ull;  // FNV-1a
    for (wchar_t c : name) {
        h ^= static_cast<size_t>(c);
        h *= 1099511628211ull;
    }
    return h;
}

void NameIndex::Clear() {
    slots_.assign(slots_.size(), 0);
    count_ = 0;
}

int NameIndex::Find(std::wstring_view name) const {
    if (slots_.empty()) return -1;
    const size_t mask = slots_.size() - 1;
    for (size_t i = Hash(name) & mask;; i = (i + 1) & mask) {
        const int entry = slots_[i];
        if (entry == 0) return -1;
        const wxString& candidate = names_[entry - 1];
        if (candidate.length() == name.size() && wmemcmp(candidate.wc_str(), name.data(), name.size()) == 0)
            return entry - 1;
    }
}

void NameIndex::Grow() {
    std::vector<int> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, 0);
    count_ = 0;
    for (int entry : old)
        if (entry) Add(names_, entry - 1);
}

void NameIndex::Add(const wxString* names, int index) {
    names_ = names;
    const wxString& name = names[index];
    const std::wstring_view key(name.wc_str(), name.length());
    if (Find(key) >= 0) return;  // the first entry of a name stays the one found
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const size_t mask = slots_.size() - 1;
    size_t i = Hash(key) & mask;
    while (slots_[i]) i = (i + 1) & mask;
    slots_[i] = index + 1;
    ++count_;
}

int Data::AddVariable(const wxString& name) {
    const int n = variableCount++;
    variableName[n] = name;
    variableIndex.Add(variableName, n);
    return n;
}

int Data::AddString(const wxString& name, int length) {
    const int n = stringCount++;
    stringName[n] = name;
    stringLength[n] = length;
    stringIndex.Add(stringName, n);
    return n;
}

int Data::AddJumpMark(const wxString& name) {
    const int m = jumpMarkCount++;
    jumpMarkName[m] = name;
    jumpMarkAddress[m] = 0;
    markIndex.Add(jumpMarkName, m);
    return m;
}

int Data::AddDefine(const wxString& name, const wxString& value) {
    const int d = defineCount++;
    defineName[d] = name;
    defineValue[d] = value;
    defineIndex.Add(defineName, d);
    return d;
}
