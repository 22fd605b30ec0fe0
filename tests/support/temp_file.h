#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace kestrel::test {

// A file in the temporary folder holding bytes, removed when the object goes: a test's input
// handed to a program by name. The name is new for every file, so tests may run side by side.
class TempFile {
  public:
    TempFile(std::string_view bytes, std::string_view extension)
        : path_(std::filesystem::temp_directory_path() /
                ("kestrel-test-" + std::to_string(std::random_device{}()) + "-" +
                 std::to_string(++count_) + std::string(extension))) {
        write(bytes);
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Replaces what the file holds.
    void write(std::string_view bytes) const {
        std::ofstream(path_, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string path() const { return path_.string(); }

  private:
    static inline int count_ = 0;
    std::filesystem::path path_;
};

}  // namespace kestrel::test
