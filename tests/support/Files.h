// Files for tests: read and written byte for byte, the project's own by their path in the source
// tree, and folders of a test's own that go with it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace files {

namespace fs = std::filesystem;

// Every byte of the file; empty when it cannot be read.
inline std::string Read(const fs::path& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}
inline std::string Source(const std::string& relative) { return Read(fs::path(TQC_SOURCE_DIR) / relative); }

// The file holds exactly `bytes` afterwards; the folders on the way are made.
inline void Write(const fs::path& path, const std::string& bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A new, empty folder of its own, removed with everything in it when the object goes.
struct TempDir {
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tqc-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("no folder of its own: " + pattern);
        path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

}  // namespace files
