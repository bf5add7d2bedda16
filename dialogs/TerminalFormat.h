// Received bytes as lines, for the terminal's two views, its recording and `tqc-cli monitor`:
// the text form breaks at every line end (CR, LF or CR LF) and at a maximum length, the hex form
// holds 16 bytes per line; each line may begin with the time its first byte came. GUI-free.
#pragma once

#include <wx/string.h>

#include <cstdint>
#include <string>

class TerminalFormat {
public:
    enum class Form { Text, Hex };
    static constexpr std::size_t kHexPerLine = 16;
    static constexpr std::size_t kTextLineChars = 256;

    explicit TerminalFormat(Form form, std::size_t lineChars = kTextLineChars) : form_(form), lineChars_(lineChars) {}

    // "HH:MM:SS.mmm " of the local time `msOfDay` milliseconds after midnight.
    static wxString Stamp(long long msOfDay);
    // The local time now, as Stamp takes it.
    static long long NowMsOfDay();

    void SetTimestamps(bool on) { timestamps_ = on; }
    bool Timestamps() const { return timestamps_; }

    // Appends the form of `bytes` to `out`; lines that begin here carry the stamp of `msOfDay`.
    // Every line ends in "\n"; the last one may stay open for the bytes that follow.
    void Feed(const std::string& bytes, wxString& out, long long msOfDay = 0);
    // Closes an open line (before a notice of the terminal's own), so the next byte starts a new one.
    void EndLine(wxString& out);
    bool AtLineStart() const { return column_ == 0; }
    // Every byte fed since the start.
    std::uint64_t Bytes() const { return bytes_; }

private:
    void StartLine(wxString& out, long long msOfDay);
    void BreakLine(wxString& out);

    Form form_;
    std::size_t lineChars_;
    bool timestamps_ = false;
    std::size_t column_ = 0;  // bytes on the open line
    bool afterCr_ = false;    // the last byte was a CR that ended its line: a LF now belongs to it
    bool wrapped_ = false;    // the last line was broken at its length and nothing came since
    std::uint64_t bytes_ = 0;
};

// How many lines to drop from the top of a view holding `have` lines so that it keeps at most
// `limit`: dropped in steps of an eighth of the limit, so a full view is not trimmed every tick.
std::size_t LinesToDrop(std::size_t have, std::size_t limit);
