#pragma once
// A folder of a test's own under the system's temporary folder, removed with
// everything in it when the test ends.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace kl40::test {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "kl40-test")
        : dir_(std::filesystem::temp_directory_path() /
               (prefix + "-" + std::to_string(std::random_device{}()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::create_directories(dir_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    const std::filesystem::path& dir() const { return dir_; }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    std::vector<std::uint8_t> readBytes(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    std::string readText(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    void writeText(const std::string& name, const std::string& text) const {
        std::ofstream(file(name), std::ios::binary) << text;
    }

private:
    std::filesystem::path dir_;
};

} // namespace kl40::test
