#include "compiler/Data.h"

Data data;

size_t WxStringHash::operator()(const wxString& s) const noexcept {
    // FNV-1a over the characters; names are short, so this beats building a std::wstring.
    size_t h = 1469598103934665603ull;
    for (wxString::const_iterator it = s.begin(); it != s.end(); ++it) {
        h ^= static_cast<size_t>(static_cast<wxUniChar::value_type>(*it));
        h *= 1099511628211ull;
    }
    return h;
}

int Data::Find(const NameIndex& index, const wxString& name) {
    auto it = index.find(name);
    return it == index.end() ? -1 : it->second;
}

int Data::AddVariable(const wxString& name) {
    const int n = variableCount++;
    variableName[n] = name;
    variableIndex.emplace(name, n);
    return n;
}

int Data::AddString(const wxString& name, int length) {
    const int n = stringCount++;
    stringName[n] = name;
    stringLength[n] = length;
    stringIndex.emplace(name, n);
    return n;
}

int Data::AddJumpMark(const wxString& name) {
    const int m = jumpMarkCount++;
    jumpMarkName[m] = name;
    jumpMarkAddress[m] = 0;
    markIndex.emplace(name, m);
    return m;
}

int Data::AddDefine(const wxString& name, const wxString& value) {
    const int d = defineCount++;
    defineName[d] = name;
    defineValue[d] = value;
    defineIndex.emplace(name, d);
    return d;
}
