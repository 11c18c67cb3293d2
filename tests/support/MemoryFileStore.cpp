#include "tests/support/MemoryFileStore.h"

#include <cerrno>

namespace quarten::test {

bool MemoryFileStore::Exists(const std::filesystem::path& path) const {
    return files_.contains(path);
}

std::optional<std::string> MemoryFileStore::Read(const std::filesystem::path& path) const {
    auto it = files_.find(path);
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

WriteResult MemoryFileStore::WriteAtomic(const std::filesystem::path& path,
                                         std::string_view bytes) {
    if (failWrites_) return {false, EACCES, "writes are switched off"};
    ++writes_;
    files_[path] = std::string(bytes);
    return {};
}

}  // namespace quarten::test
