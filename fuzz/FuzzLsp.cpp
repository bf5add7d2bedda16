// libFuzzer target: arbitrary bytes as what a client sends to tqc-cli lsp, through the frame
// reader and the dispatcher. Nothing may crash, and everything written must be protocol: frames
// with an exact Content-Length whose bodies are JSON-RPC objects. Anything else aborts.
#include "cli/LspCommand.h"
#include "lsp/Frames.h"

#include <nlohmann/json.hpp>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// The input in small reads, so that frames cut across reads are exercised too.
class BytesSource : public lsp::ByteSource {
public:
    BytesSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Read(char* into, size_t size) override {
        const size_t n = std::min({size, size_ - at_, static_cast<size_t>(7 + at_ % 61)});
        std::copy(data_ + at_, data_ + at_ + n, into);
        at_ += n;
        return n;
    }
    bool Ready() override { return at_ % 3 != 0; }  // bursts end now and then

private:
    const uint8_t* data_;
    size_t size_, at_ = 0;
};

[[noreturn]] void Fail(const char* why, const std::string& out, size_t at) {
    std::fprintf(stderr, "not protocol (%s) at byte %zu of the output: %.200s\n", why, at, out.c_str() + at);
    std::abort();
}

void CheckProtocol(const std::string& out) {
    static const std::string head = "Content-Length: ";
    for (size_t at = 0; at < out.size();) {
        if (out.compare(at, head.size(), head) != 0) Fail("no header", out, at);
        const size_t blank = out.find("\r\n\r\n", at);
        if (blank == std::string::npos) Fail("no blank line", out, at);
        const std::string digits = out.substr(at + head.size(), blank - at - head.size());
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) Fail("length", out, at);
        const size_t length = std::stoul(digits);
        if (blank + 4 + length > out.size()) Fail("short body", out, at);
        const nlohmann::json body = nlohmann::json::parse(out.substr(blank + 4, length), nullptr, false);
        if (!body.is_object() || body.value("jsonrpc", "") != "2.0") Fail("not a JSON-RPC object", out, at);
        at = blank + 4 + length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static wxInitializer init;
    wxLog::EnableLogging(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BytesSource source(data, size);
    std::ostringstream out;
    ServeLsp(source, out);
    CheckProtocol(out.str());
    return 0;
}
