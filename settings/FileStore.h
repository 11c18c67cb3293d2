// Seam for whole-file reads and crash-safe rewrites; the real one lives in platform/.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quarten {

struct WriteResult {
    bool ok = true;
    int errorCode = 0;    // errno-style code of the failing step, 0 on success
    std::string detail;   // diagnostic text, never shown as is
};

class FileStore {
public:
    virtual ~FileStore() = default;
    virtual bool Exists(const std::filesystem::path& path) const = 0;
    // The whole file, or nothing when it is missing or unreadable.
    virtual std::optional<std::string> Read(const std::filesystem::path& path) const = 0;
    // Replaces the file so that a reader sees either the old or the new content, never a
    // mixture; on failure the old file is left as it was.
    virtual WriteResult WriteAtomic(const std::filesystem::path& path, std::string_view bytes) = 0;
};

}  // namespace quarten
