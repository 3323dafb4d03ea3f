#pragma once
// A private folder for one test's files, removed with everything in it when the object dies.
#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace testsupport {

class TempDir {
public:
    TempDir()
    {
        static std::atomic<unsigned> counter{0};
        const std::string stem = "editor-test-" + std::to_string(std::random_device{}()) + "-";
        std::error_code ec;
        do {
            path_ = std::filesystem::temp_directory_path() / (stem + std::to_string(counter++));
        } while (!std::filesystem::create_directory(path_, ec));
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Full path of a file inside the folder, as a native string.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace testsupport
