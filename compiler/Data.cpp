#include "compiler/Data.h"

#include <cwchar>
#include <type_traits>

Data data;

wxString ImageTooLargeText(int outputCount) {
    if (outputCount <= kProgramMemory) return wxString();
    return wxString::Format(L"Programm zu groß: %d Bytes, der Programmspeicher der Steuerung fasst %d (%d zu viel)",
                            outputCount, kProgramMemory, outputCount - kProgramMemory);
}

wxString FromLatin1(std::string_view bytes) {
    // Widening by hand: the toolkit's converter is made for far longer texts than names.
    wchar_t small[64];
    std::wstring large;
    wchar_t* wide = small;
    if (bytes.size() > std::size(small)) {
        large.resize(bytes.size());
        wide = &large[0];
    }
    for (size_t i = 0; i < bytes.size(); ++i) wide[i] = static_cast<unsigned char>(bytes[i]);
    return wxString(wide, bytes.size());
}

uint32_t TextStore::Append(const char* chars, size_t length) {
    const uint32_t offset = static_cast<uint32_t>(chars_.size());
    chars_.append(chars, length);
    return offset;
}

TokenText TokenText::Of(uint32_t offset, size_t length) {
    TokenText t;
    t.offset_ = length ? offset : 0;
    t.length_ = static_cast<uint32_t>(length);
    return t;
}

wxString TokenText::ToString() const {
    const std::string_view b = bytes();
    return FromLatin1(b);
}

// Both views hash code points, so a name hashes alike as wide text and as ISO-8859-1 bytes.
template <typename View>
size_t NameIndex::Hash(View name) {
    size_t h = 1469598103934665603ull;  // FNV-1a
    for (auto c : name) {
        h ^= static_cast<size_t>(static_cast<std::make_unsigned_t<decltype(c)>>(c));
        h *= 1099511628211ull;
    }
    return h;
}

void NameIndex::Clear() {
    slots_.assign(slots_.size(), 0);
    count_ = 0;
}

template <typename View>
int NameIndex::FindAny(View name) const {
    if (slots_.empty()) return -1;
    const size_t mask = slots_.size() - 1;
    for (size_t i = Hash(name) & mask;; i = (i + 1) & mask) {
        const int entry = slots_[i];
        if (entry == 0) return -1;
        const wxString& candidate = names_[entry - 1];
        if (candidate.length() != name.size()) continue;
        const wchar_t* chars = candidate.wc_str();
        size_t k = 0;
        while (k < name.size() &&
               static_cast<wchar_t>(static_cast<std::make_unsigned_t<typename View::value_type>>(name[k])) == chars[k])
            ++k;
        if (k == name.size()) return entry - 1;
    }
}

template int NameIndex::FindAny(std::wstring_view) const;
template int NameIndex::FindAny(std::string_view) const;

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
    if (FindAny(key) >= 0) return;  // the first entry of a name stays the one found
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
