#include "lsp/Frames.h"

#include <cstring>

namespace lsp {
namespace {

constexpr size_t kMaxHeaderLine = 8192;  // a header line is short; longer is stray bytes
constexpr size_t kChunk = 64 * 1024;
constexpr char kName[] = "content-length:";
constexpr size_t kNameLength = sizeof kName - 1;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool EqualsIgnoringCase(const char* text, const char* lower, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (Lower(text[i]) != lower[i]) return false;
    return true;
}

bool AllBlank(const std::string& text, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (!IsBlank(text[i])) return false;
    return true;
}

// The value of a Content-Length header: digits only, at most kMaxBody.
bool ParseLength(const std::string& value, size_t& length, std::string& reason) {
    size_t from = 0, to = value.size();
    while (from < to && (value[from] == ' ' || value[from] == '\t')) ++from;
    while (to > from && (value[to - 1] == ' ' || value[to - 1] == '\t')) --to;
    length = 0;
    for (size_t i = from; i < to; ++i) {
        if (!IsDigit(value[i])) {
            reason = "Ungültige Content-Length: \"" + value.substr(from, std::min<size_t>(to - from, 40)) + "\"";
            return false;
        }
        if (length <= kMaxBody) length = length * 10 + static_cast<size_t>(value[i] - '0');  // stops before overflow
    }
    if (from == to) {
        reason = "Content-Length ohne Zahl";
        return false;
    }
    if (length > kMaxBody) {
        reason = "Content-Length " + value.substr(from, std::min<size_t>(to - from, 40)) + " ist zu groß (höchstens " +
                 std::to_string(kMaxBody) + " Bytes)";
        return false;
    }
    return true;
}

}  // namespace

size_t FindHeader(const std::string& text, size_t from, bool anyValue) {
    for (size_t colon = text.find(':', from + kNameLength - 1); colon != std::string::npos;
         colon = text.find(':', colon + 1)) {
        const size_t start = colon + 1 - kNameLength;
        if (!EqualsIgnoringCase(&text[start], kName, kNameLength)) continue;
        if (anyValue) return start;
        size_t i = colon + 1;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i == text.size() || !IsDigit(text[i])) continue;
        while (i < text.size() && IsDigit(text[i])) ++i;
        if (i < text.size() && (text[i] == '\r' || text[i] == '\n')) return start;
    }
    return std::string::npos;
}

bool FrameReader::Fill() {
    const size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    const size_t got = source_.Read(&buffer_[old], kChunk);
    buffer_.resize(old + got);
    return got > 0;
}

bool FrameReader::SkipToHeader() {
    bool stray = false;
    for (;;) {
        // Any length, even a bad one: that frame is then reported on its own.
        const size_t header = FindHeader(buffer_, at_, true);
        if (header != std::string::npos) {
            stray = stray || !AllBlank(buffer_, at_, header);
            at_ = header;
            return stray;
        }
        // Keep the tail only: a header may be cut in two by the read, and a stream of stray
        // bytes must not pile up.
        const size_t keep = std::min(buffer_.size() - at_, kNameLength + 32);
        stray = stray || !AllBlank(buffer_, at_, buffer_.size() - keep);
        buffer_.erase(0, buffer_.size() - keep);
        at_ = 0;
        if (!Fill()) {
            stray = stray || !AllBlank(buffer_, at_, buffer_.size());
            at_ = buffer_.size();
            return stray;
        }
    }
}

bool FrameReader::Line(std::string& line) {
    for (size_t end; (end = buffer_.find('\n', at_)) == std::string::npos;) {
        if (buffer_.size() - at_ > kMaxHeaderLine) {
            // No header is this long: hand it out whole as one stray line.
            line.assign(buffer_, at_, kMaxHeaderLine);
            at_ += kMaxHeaderLine;
            return true;
        }
        if (!Fill()) {
            if (at_ == buffer_.size()) return false;
            line.assign(buffer_, at_, std::string::npos);
            at_ = buffer_.size();
            return true;
        }
    }
    const size_t end = buffer_.find('\n', at_);
    line.assign(buffer_, at_, end - at_);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    at_ = end + 1;
    return true;
}

FrameReader::Result FrameReader::Next(std::string& body, std::string& reason) {
    if (at_ > (1u << 20)) {
        buffer_.erase(0, at_);
        at_ = 0;
    }
    size_t length = 0;
    bool sized = false, headers = false;
    std::string line;
    for (;;) {
        const size_t lineStart = at_;
        if (!Line(line)) return Result::End;
        if (line.empty()) {
            if (sized) break;
            if (!headers) continue;  // blank lines between frames
            reason = "Kopf ohne Content-Length";
            return Result::Bad;
        }
        const size_t colon = line.find(':');
        bool name = colon != std::string::npos && colon > 0;
        for (size_t i = 0; name && i < colon; ++i)
            name = (Lower(line[i]) >= 'a' && Lower(line[i]) <= 'z') || line[i] == '-';
        if (!name) {
            // A body without its header, or the rest of a body sent with too short a length.
            const size_t header = FindHeader(buffer_, lineStart);
            if (header != std::string::npos && header < lineStart + line.size()) {
                at_ = header;
            } else {
                at_ = lineStart;
                SkipToHeader();
            }
            reason = "Nachricht ohne Content-Length-Kopf";
            return Result::Bad;
        }
        headers = true;
        if (colon == kNameLength - 1 && EqualsIgnoringCase(line.data(), kName, kNameLength)) {
            if (!ParseLength(line.substr(colon + 1), length, reason)) {
                SkipToHeader();
                return Result::Bad;
            }
            sized = true;
        }
    }
    // The body. A header inside it means the length was too long: the frame ends there, and
    // the next one is read as it was sent instead of being swallowed.
    for (size_t scanned = at_;;) {
        const size_t header = FindHeader(buffer_, scanned > at_ + 64 ? scanned - 64 : at_);
        if (header != std::string::npos && header < at_ + length) {
            at_ = header;
            reason = "Content-Length ist länger als die Nachricht";
            return Result::Bad;
        }
        if (buffer_.size() - at_ >= length) break;
        scanned = buffer_.size();
        if (!Fill()) {
            at_ = buffer_.size();
            return Result::End;
        }
    }
    body.assign(buffer_, at_, length);
    at_ += length;
    return Result::Message;
}

}  // namespace lsp
