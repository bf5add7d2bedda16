#include "cli/LspCommand.h"

#include "lsp/Frames.h"
#include "lsp/Server.h"

#include <wx/log.h>

#include <algorithm>
#include <cerrno>
#include <iostream>

#ifdef __WINDOWS__
#include <windows.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace {

// Standard input as the frame reader's source: whether a read would block decides when a burst
// of changes is over. A file is always ready, so a recorded session runs the same every time.
class StdinSource : public lsp::ByteSource {
public:
#ifdef __WINDOWS__
    size_t Read(char* into, size_t size) override {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 20));
        return ReadFile(GetStdHandle(STD_INPUT_HANDLE), into, want, &got, nullptr) ? got : 0;
    }
    bool Ready() override {
        const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
        if (GetFileType(in) != FILE_TYPE_PIPE) return GetFileType(in) == FILE_TYPE_DISK;
        DWORD available = 0;
        // A broken pipe is ready too: the next read reports the end.
        return !PeekNamedPipe(in, nullptr, 0, nullptr, &available, nullptr) || available > 0;
    }
#else
    size_t Read(char* into, size_t size) override {
        for (;;) {
            const ssize_t got = read(0, into, size);
            if (got >= 0) return static_cast<size_t>(got);
            if (errno != EINTR) return 0;
        }
    }
    bool Ready() override {
        pollfd in{0, POLLIN, 0};
        return poll(&in, 1, 0) > 0;
    }
#endif
};

void WriteMessage(std::ostream& out, const lsp::json& message) {
    // Text that is not UTF-8 (a file name on disk, say) is replaced, never a reason to stop.
    const std::string body = message.dump(-1, ' ', false, lsp::json::error_handler_t::replace);
    out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
    out.flush();
}

}  // namespace

int ServeLsp(lsp::ByteSource& in, std::ostream& out) {
    wxLogNull quiet;  // stdout carries the protocol only
    lsp::Server server([&out](const lsp::json& message) { WriteMessage(out, message); });
    lsp::FrameReader reader(in);
    std::string body, reason;
    int status = 1;  // the stream ended without "exit"
    for (;;) {
        switch (reader.Next(body, reason)) {
            case lsp::FrameReader::Result::End:
                server.Publish();
                return status;
            case lsp::FrameReader::Result::Bad:
                server.BadFrame(reason);
                break;
            case lsp::FrameReader::Result::Message:
                if (!server.Handle(body, status)) return status;
                break;
        }
        // Changes still queued behind this one make its diagnostics out of date before they
        // are read: they wait until the queue is empty, and requests are answered meanwhile.
        if (!reader.Pending()) server.Publish();
    }
}

int RunLspCommand(const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::cerr << "usage: tqc-cli lsp   (the Language Server Protocol on stdin and stdout)\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    StdinSource in;
    return ServeLsp(in, std::cout);
}
