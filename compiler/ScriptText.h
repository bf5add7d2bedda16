// Script files as text: decoding (UTF-8 when valid, else ISO-8859-1) and splitting into lines.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <string>
#include <string_view>
#include <vector>

namespace script {

enum class Encoding { Utf8, Latin1 };

// How a script's bytes were laid out, so that saving writes an unchanged text back byte for byte.
struct TextForm {
    Encoding encoding = Encoding::Utf8;
    bool bom = false;  // the file began with a UTF-8 byte order mark
};

// Decodes bytes as UTF-8 when they are valid UTF-8, otherwise as ISO-8859-1, where every byte is
// one character. A leading byte order mark is not text; `form` records it.
wxString Decode(const std::string& bytes, TextForm* form = nullptr);

// The bytes of `text` in `form`; a character that ISO-8859-1 cannot hold turns the form into
// UTF-8 rather than being lost.
std::string Encode(const wxString& text, TextForm& form);

enum class LineEnd { CrLf, Lf, Cr };
#ifdef __WINDOWS__
constexpr LineEnd kPlatformLineEnd = LineEnd::CrLf;
#else
constexpr LineEnd kPlatformLineEnd = LineEnd::Lf;
#endif
// The line end used most often in the bytes (the first one seen on a tie); `none` without any.
LineEnd UsualLineEnd(const std::string& bytes, LineEnd none);

// 1-based line of the first NUL byte, 0 when there is none. Text controls end a text at NUL.
int LineOfNul(const std::string& bytes);

// Splits at CR LF, LF or a lone CR, as the editor does; "a\n" gives "a" and "".
wxArrayString SplitLines(const wxString& text);
// The same as views into the text, which must outlive them.
std::vector<std::wstring_view> SplitViews(const wchar_t* text, size_t length);
std::vector<std::string_view> SplitViews(const char* text, size_t length);

// Decodes as Decode does, straight to ISO-8859-1 bytes: a character beyond ISO-8859-1 becomes
// '?', as the compiler's line normaliser would make it anyway.
std::string ToLatin1(const std::string& bytes, Encoding* used = nullptr);

// The largest script the editor and tqc-cli open, and the largest include a compile reads: far
// beyond any real script, yet a stray include of a big file stays cheap.
constexpr size_t kMaxScriptBytes = 64u << 20;
constexpr size_t kMaxIncludeBytes = 16u << 20;

// Reads a whole file. Fails with a reason when it is missing, unreadable or larger than maxBytes.
enum class ReadResult { Ok, Missing, Unreadable, TooLarge };
ReadResult ReadFile(const wxString& path, std::string& bytes, size_t maxBytes);

// Writes the bytes to a temporary file beside `path` and moves it over `path`, so that the old
// file stays whole until the new one is complete. false with the system's reason otherwise.
bool WriteFileAtomically(const wxString& path, const std::string& bytes, wxString& reason);

}  // namespace script
