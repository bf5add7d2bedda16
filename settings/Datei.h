// The settings file and the command keyword list.
#pragma once

class Datei {
public:
    // Fills data.keywordList with the command keywords in their fixed order and joins them,
    // separated by single blanks, into data.keywordString.
    static void SetKeywords();
};
