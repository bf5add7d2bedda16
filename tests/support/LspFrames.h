// Language-server messages as they go over stdin/stdout: "Content-Length: N", a blank line, N bytes.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
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

// \r, \n, \t, \\, \xHH, and \*N followed by one character for that character N times.
inline std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'x')
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
        else if (c == '*') {
            size_t digits = 0;
            const size_t count = std::stoul(text.substr(i + 1), &digits);
            i += digits + 1;
            out.append(count, text[i]);
        } else
            out += c;
    }
    return out;
}

// One row of support/lsp-session.txt: a session of its own in a fresh folder. "== name" starts a
// row that the runner opens with initialize and closes with shutdown and exit (so every row also
// shows the server still answers); "==! name" a row sent exactly as written. "file NAME TEXT"
// puts a file into the folder; "> " sends a message framed, ">~ " framed after unescaping, ">> "
// bytes unescaped and unframed; "< " is the body of the next answer. "file://DIR" is the folder.
struct Row {
    std::string name;
    bool bare = false;
    std::vector<std::pair<std::string, std::string>> files;
    std::string sent;
    std::vector<std::string> expected;
};

inline std::vector<Row> ReadRows(const std::string& folder) {
    std::ifstream dialogue(std::string(TQC_SOURCE_DIR) + "/tests/support/lsp-session.txt", std::ios::binary);
    std::vector<Row> rows;
    for (std::string line; std::getline(dialogue, line);) {
        for (size_t at; (at = line.find("file://DIR")) != std::string::npos;) line.replace(at, 10, folder);
        if (line.rfind("==", 0) == 0) {
            rows.emplace_back();
            rows.back().bare = line.rfind("==!", 0) == 0;
            rows.back().name = line.substr(rows.back().bare ? 4 : 3);
        } else if (rows.empty() || line.empty() || line[0] == '#') {
            continue;
        } else if (line.rfind("file ", 0) == 0) {
            const size_t blank = line.find(' ', 5);
            rows.back().files.emplace_back(line.substr(5, blank - 5), Unescape(line.substr(blank + 1)));
        } else if (line.rfind(">> ", 0) == 0) {
            rows.back().sent += Unescape(line.substr(3));
        } else if (line.rfind(">~ ", 0) == 0) {
            rows.back().sent += Frame(Unescape(line.substr(3)));
        } else if (line.rfind("> ", 0) == 0) {
            rows.back().sent += Frame(line.substr(2));
        } else if (line.rfind("< ", 0) == 0) {
            rows.back().expected.push_back(line.substr(2));
        } else {
            ADD_FAILURE() << "lsp-session.txt: not a row line: " << line;
        }
    }
    return rows;
}

}  // namespace lspframes
