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

wxString TerminalSettings::Shown(LineField field) {
    switch (field) {
        case Baud: return wxString::Format("%d", data.terminalBaud);
        case DataBits: return wxString::Format("%d", data.terminalDataBits);
        case StopBits: return wxString::Format("%d", data.terminalStopBits);
        case Parity:
            for (const auto& parity : kParities)
                if (data.terminalParity.Left(1) == parity.letter) return parity.shown;
            return wxString();
    }
    return wxString();
}

void TerminalSettings::Choose(LineField field, const wxString& shown) {
    switch (field) {
        case Baud: data.terminalBaud = wxAtoi(shown); break;
        case DataBits: data.terminalDataBits = wxAtoi(shown); break;
        case StopBits: data.terminalStopBits = wxAtoi(shown); break;
        case Parity: data.terminalParity = shown.Left(1); break;
    }
}

void TerminalSettings::ClearStored() {
    for (auto& bank : data.terminalPresets)
        for (wxString& text : bank) text.clear();
}

TerminalSettings::TerminalSettings() {
    // A rate the list does not offer may still be the one a device needs: only nonsense is mended.
    if (data.terminalBaud <= 0) data.terminalBaud = 115200;
    if (data.terminalDataBits < 5 || data.terminalDataBits > 8) data.terminalDataBits = 8;
    if (data.terminalStopBits < 1 || data.terminalStopBits > 2) data.terminalStopBits = 1;
    if (Shown(Parity).empty() || data.terminalParity.length() != 1) data.terminalParity = "N";
    for (int bank = 0; bank < kBanks; ++bank)
        for (int entry = 0; entry < kEntries; ++entry) texts_[bank][entry] = data.terminalPresets[bank][entry];
}

bool TerminalSettings::SelectBank(int bank) {
    if (!Holds(bank, 0)) return false;
    bank_ = bank;
    return true;
}

wxString TerminalSettings::Text(int bank, int entry) const { return Holds(bank, entry) ? texts_[bank][entry] : wxString(); }

void TerminalSettings::SetText(int bank, int entry, const wxString& text) {
    if (Holds(bank, entry)) texts_[bank][entry] = text;
}

void TerminalSettings::StorePresets() const {
    for (int bank = 0; bank < kBanks; ++bank)
        for (int entry = 0; entry < kEntries; ++entry) data.terminalPresets[bank][entry] = texts_[bank][entry];
}

bool TerminalSettings::Unstored() const {
    for (int bank = 0; bank < kBanks; ++bank)
        for (int entry = 0; entry < kEntries; ++entry)
            if (data.terminalPresets[bank][entry] != texts_[bank][entry]) return true;
    return false;
}
