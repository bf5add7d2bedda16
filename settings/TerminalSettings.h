// The terminal's settings without any window: the line its port is opened with, and the send
// texts in six banks of eight, as the terminal shows them and TqC_Konfig.ini holds them. The
// line lives in the data store the caller gives and changes there at once; the texts are edited
// in a working copy that StorePresets() puts into the store, so that edits not stored are gone
// when the window closes.
#pragma once

#include <wx/string.h>

struct Data;

class TerminalSettings {
public:
    static constexpr int kBanks = 6;    // "Send Presets" 1 to 6
    static constexpr int kEntries = 8;  // "Send 1" to "Send 8"

    // The rates the baud list offers; the port takes any other that is stored.
    static constexpr int kBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

    // The line settings, one list each in the window.
    enum LineField { Baud, DataBits, StopBits, Parity };
    // The store's value as its list shows it: "19200", "7", "2", "Odd".
    wxString Shown(LineField field) const;
    // An entry chosen in the field's list, into the store: numbers as numbers, the parity as its letter.
    void Choose(LineField field, const wxString& shown);

    // Empties every stored send text, for a session that has not read the settings file yet.
    static void ClearStored(Data& store);

    // Mends a line in `store` that no port takes (none stored yet: all 0), each value on its
    // own, to 115200 baud, 8 data bits, 1 stop bit, no parity; copies the stored texts; bank 0
    // is shown.
    explicit TerminalSettings(Data& store);

    int Bank() const { return bank_; }
    // Shows another bank; false, changing nothing, for a bank there is not.
    bool SelectBank(int bank);
    // A text of the working copy; outside the banks and entries there is none.
    wxString Text(int bank, int entry) const;
    void SetText(int bank, int entry, const wxString& text);
    // Whether the working copy differs from the stored texts (edits "Store Presets" would keep).
    bool Unstored() const;
    // The working copy into the store's texts; the caller then writes the settings file.
    void StorePresets() const;

private:
    static bool Holds(int bank, int entry) { return bank >= 0 && bank < kBanks && entry >= 0 && entry < kEntries; }

    Data& store_;
    wxString texts_[kBanks][kEntries];
    int bank_ = 0;
};
