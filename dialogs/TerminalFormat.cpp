#include "dialogs/TerminalFormat.h"

#include <wx/datetime.h>

wxString TerminalFormat::Stamp(long long msOfDay) {
    const long long s = msOfDay / 1000;
    return wxString::Format("%02lld:%02lld:%02lld.%03lld ", s / 3600 % 24, s / 60 % 60, s % 60, msOfDay % 1000);
}

long long TerminalFormat::NowMsOfDay() {
    const wxDateTime now = wxDateTime::UNow();
    return ((now.GetHour() * 60LL + now.GetMinute()) * 60 + now.GetSecond()) * 1000 + now.GetMillisecond();
}

void TerminalFormat::StartLine(wxString& out, long long msOfDay) {
    if (column_ == 0 && timestamps_) out += Stamp(msOfDay);
}

void TerminalFormat::BreakLine(wxString& out) {
    out += '\n';
    column_ = 0;
}

void TerminalFormat::EndLine(wxString& out) {
    if (column_ > 0) BreakLine(out);
    afterCr_ = wrapped_ = false;
}

void TerminalFormat::Feed(const std::string& bytes, wxString& out, long long msOfDay) {
    static const char kDigits[] = "0123456789ABCDEF";
    out.reserve(out.length() + bytes.size() * (form_ == Form::Hex ? 5 : 2));
    for (const char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        ++bytes_;
        if (form_ == Form::Hex) {
            StartLine(out, msOfDay);
            out << '[' << kDigits[b >> 4] << kDigits[b & 0x0F] << ']';
            if (++column_ == kHexPerLine) BreakLine(out);
            continue;
        }
        const bool lf = b == '\n', cr = b == '\r';
        if (lf && afterCr_) {
            afterCr_ = false;  // the LF of a CR LF: its line has ended already
            continue;
        }
        afterCr_ = cr;
        if (lf || cr) {
            // The line end of a line just broken at its length ends it; any other is a line too.
            if (!wrapped_) {
                StartLine(out, msOfDay);
                BreakLine(out);
            }
            wrapped_ = false;
            continue;
        }
        wrapped_ = false;
        StartLine(out, msOfDay);
        // GTK's text views end the text at a NUL; its symbol keeps the views in step.
        out += b == 0 ? wxUniChar(0x2400u) : wxUniChar(static_cast<unsigned>(b));
        if (++column_ == lineChars_) {
            BreakLine(out);
            wrapped_ = true;
        }
    }
}

std::size_t LinesToDrop(std::size_t have, std::size_t limit) {
    if (have <= limit) return 0;
    const std::size_t step = limit / 8 > 0 ? limit / 8 : 1;
    const std::size_t drop = (have - limit + step - 1) / step * step;
    return drop < have ? drop : have;
}
