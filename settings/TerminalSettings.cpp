#include "settings/TerminalSettings.h"

#include "compiler/Data.h"

#include <wx/wxcrt.h>

namespace {

// The parity list's entries and the letters the port and the settings file take.
const struct {
    const char* letter;
    const char* shown;
} kParities[] = {{"N", "None"}, {"O", "Odd"}, {"E", "Even"}};

}  // namespace

wxString TerminalSettings::Shown(LineField field) const {
    switch (field) {
        case Baud:
            return wxString::Format("%d", store_.terminalBaud);
        case DataBits:
            return wxString::Format("%d", store_.terminalDataBits);
        case StopBits:
            return wxString::Format("%d", store_.terminalStopBits);
        case Parity:
            for (const auto& parity : kParities)
                if (store_.terminalParity.Left(1) == parity.letter) return parity.shown;
            return wxString();
    }
    return wxString();
}

void TerminalSettings::Choose(LineField field, const wxString& shown) {
    switch (field) {
        case Baud:
            store_.terminalBaud = wxAtoi(shown);
            break;
        case DataBits:
            store_.terminalDataBits = wxAtoi(shown);
            break;
        case StopBits:
            store_.terminalStopBits = wxAtoi(shown);
            break;
        case Parity:
            store_.terminalParity = shown.Left(1);
            break;
    }
}

void TerminalSettings::ClearStored(Data& store) {
    for (auto& bank : store.terminalPresets)
        for (wxString& text : bank) text.clear();
}

TerminalSettings::TerminalSettings(Data& store) : store_(store) {
    // A rate the list does not offer may still be the one a device needs: only nonsense is mended.
    if (store_.terminalBaud <= 0) store_.terminalBaud = 115200;
    if (store_.terminalDataBits < 5 || store_.terminalDataBits > 8) store_.terminalDataBits = 8;
    if (store_.terminalStopBits < 1 || store_.terminalStopBits > 2) store_.terminalStopBits = 1;
    if (Shown(Parity).empty() || store_.terminalParity.length() != 1) store_.terminalParity = "N";
    for (int bank = 0; bank < kBanks; ++bank)
        for (int entry = 0; entry < kEntries; ++entry) texts_[bank][entry] = store_.terminalPresets[bank][entry];
}

bool TerminalSettings::SelectBank(int bank) {
    if (!Holds(bank, 0)) return false;
    bank_ = bank;
    return true;
}

wxString TerminalSettings::Text(int bank, int entry) const {
    return Holds(bank, entry) ? texts_[bank][entry] : wxString();
}

void TerminalSettings::SetText(int bank, int entry, const wxString& text) {
    if (Holds(bank, entry)) texts_[bank][entry] = text;
}

void TerminalSettings::StorePresets() const {
    for (int bank = 0; bank < kBanks; ++bank)
        for (int entry = 0; entry < kEntries; ++entry) store_.terminalPresets[bank][entry] = texts_[bank][entry];
}

bool TerminalSettings::Unstored() const {
    for (int bank = 0; bank < kBanks; ++bank)
        for (int entry = 0; entry < kEntries; ++entry)
            if (store_.terminalPresets[bank][entry] != texts_[bank][entry]) return true;
    return false;
}
