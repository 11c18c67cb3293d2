// A fresh directory under the system's temporary folder, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quarten::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
    void WriteFile(std::string_view name, std::string_view bytes) const;
    std::string ReadFile(std::string_view name) const;

private:
    std::filesystem::path path_;
};

}  // namespace quarten::test
