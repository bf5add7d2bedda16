// Language-server messages as they go over stdin/stdout: "Content-Length: N", a blank line, N bytes.
#pragma once

#include <gtest/gtest.h>

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

}  // namespace lspframes
