#pragma once
// Temporary folders and whole files in standard C++, for the tests that are
// built for Windows too.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace quillmar::test_support {

// A fresh folder under the system's temporary folder, removed with everything in it.
struct ScratchFolder {
    std::filesystem::path path;
    std::error_code removal;  // the destructor's, which nothing reads
    ScratchFolder() {
        for (std::random_device random; path.empty() || !std::filesystem::create_directory(path);)
            path = std::filesystem::temp_directory_path() / ("quillmar-test-" + std::to_string(random()));
    }
    ~ScratchFolder() { std::filesystem::remove_all(path, removal); }
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<unreadable>";
}

inline bool WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    return bool(std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size())));
}

}  // namespace quillmar::test_support
