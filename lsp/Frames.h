// The language server's framing: "Content-Length: N" headers, a blank line, N bytes of JSON.
// The reader survives any byte stream: a bad frame is reported and the reader resynchronises
// on the next header, so one wrong frame never leaves the server deaf.
#pragma once

#include <cstddef>
#include <string>

namespace lsp {

// Where the bytes come from. Read blocks until at least one byte is there (0 at the end);
// Ready says whether a Read would return at once, so that queued changes can be coalesced.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual size_t Read(char* into, size_t size) = 0;
    virtual bool Ready() = 0;
};

// A body far beyond any script; a larger length is refused instead of allocated.
constexpr size_t kMaxBody = 64u << 20;

class FrameReader {
public:
    explicit FrameReader(ByteSource& source) : source_(source) {}

    enum class Result { Message, Bad, End };
    // A body, or a bad frame with the reason in German (answered with -32700), or the end.
    Result Next(std::string& body, std::string& reason);
    // More input is waiting: buffered bytes or a source that would not block.
    bool Pending() { return at_ < buffer_.size() || source_.Ready(); }

private:
    bool Fill();  // false at the end of the input
    // Moves to the next "content-length:" header; true when skipped bytes were not blank.
    bool SkipToHeader();
    bool Line(std::string& line);  // one header line without its line end; false at the end

    ByteSource& source_;
    std::string buffer_;
    size_t at_ = 0;  // the first unread byte of buffer_
};

// Where `text` holds a header "content-length:" (any case) followed by digits and a line end,
// which no JSON body can contain; npos when it holds none. `anyValue` takes the name alone.
size_t FindHeader(const std::string& text, size_t from, bool anyValue = false);

}  // namespace lsp
