// The settings file and the command keyword list.
#pragma once

#include <wx/string.h>

#include <string>

class Datei {
public:
    // Fills data.keywordList with the command keywords in their fixed order and joins them,
    // separated by single blanks, into data.keywordString.
    static void SetKeywords();

    // Reads the settings file into `data`. false when there is no settings file (the caller shows
    // "TqC_Konfig.ini nicht vorhanden !"); members then keep their values. A file that exists but
    // cannot be read loads nothing and still gives true: it is there, so "nicht vorhanden" would
    // be wrong.
    bool DataLoad();

    // Writes the whole file. `notice` gets "TqC_Konfig.ini nicht vorhanden, wird neu geschrieben !"
    // when no file existed before (the caller shows it); false with a reason in `error` (naming the
    // file and the system's reason) when it cannot be written. The old file stays untouched then.
    bool DataStore(wxString* notice = nullptr, wxString* error = nullptr);

    // Where the file is written: beside the program when its folder is writable, otherwise in
    // the user's configuration folder (TqC inside $XDG_CONFIG_HOME or ~/.config on Linux).
    static wxString SettingsPath(const wxString& fileName = "TqC_Konfig.ini");
    // Writes a settings file of that name there, atomically, making the folder when needed;
    // false with the file, its path and the system's reason in `error`.
    static bool WriteSettingsFile(const wxString& fileName, const std::string& bytes, wxString* error);

    // The tolerant reader: splits at CR (dropping the byte after it), searches every line for
    // every key and stores what it finds in `data`.
    static void Parse(const std::string& bytes);

    // The exact bytes DataStore writes for the current `data`.
    static std::string Format();
};
