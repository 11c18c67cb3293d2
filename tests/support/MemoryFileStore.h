// In-memory FileStore for tests: files by path, with a switch to make writes fail.
#pragma once

#include <map>

#include "settings/FileStore.h"

namespace quarten::test {

class MemoryFileStore : public FileStore {
public:
    bool Exists(const std::filesystem::path& path) const override;
    std::optional<std::string> Read(const std::filesystem::path& path) const override;
    WriteResult WriteAtomic(const std::filesystem::path& path, std::string_view bytes) override;

    void Put(const std::filesystem::path& path, std::string bytes) { files_[path] = std::move(bytes); }
    void Remove(const std::filesystem::path& path) { files_.erase(path); }
    void FailWrites(bool fail) { failWrites_ = fail; }
    int WriteCount() const { return writes_; }

private:
    std::map<std::filesystem::path, std::string> files_;
    bool failWrites_ = false;
    int writes_ = 0;
};

}  // namespace quarten::test
