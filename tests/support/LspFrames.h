// Language-server messages as they go over stdin/stdout: "Content-Length: N", a blank line, N bytes.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace lspframes {

inline std::string Frame(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// The bodies of a stream of framed messages; a header whose length disagrees with its body fails.
inline std::vector<std::string> Bodies(const std::string& stream) {
    std::vector<std::string> bodies;
    for (size_t at = 0; at < stream.size();) {
        const size_t blank = stream.find("\r\n\r\n", at);
        if (blank == std::string::npos || stream.compare(at, 16, "Content-Length: ") != 0) {
            ADD_FAILURE() << "not a header: " << stream.substr(at, 80);
            break;
        }
        const size_t length = std::stoul(stream.substr(at + 16, blank - at - 16));
        bodies.push_back(stream.substr(blank + 4, length));
        EXPECT_EQ(bodies.back().size(), length);
        at = blank + 4 + length;
    }
    return bodies;
}

// The scripted dialogue of support/lsp-session.txt: what the client sends, framed, and the bodies
// of the answers expected, with "file://DIR" written as `folder` (the URI of the session's folder).
struct Session {
    std::string sent;
    std::vector<std::string> expected;
};
inline Session ReadSession(const std::string& folder) {
    std::ifstream dialogue(std::string(TQC_SOURCE_DIR) + "/tests/support/lsp-session.txt", std::ios::binary);
    Session session;
    for (std::string line; std::getline(dialogue, line);) {
        for (size_t at; (at = line.find("file://DIR")) != std::string::npos;) line.replace(at, 10, folder);
        if (line.rfind("> ", 0) == 0) session.sent += Frame(line.substr(2));
        if (line.rfind("< ", 0) == 0) session.expected.push_back(line.substr(2));
    }
    return session;
}

}  // namespace lspframes
