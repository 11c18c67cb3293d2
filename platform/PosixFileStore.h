// The real FileStore: whole-file reads and rewrites by temporary file, fsync and rename.
#pragma once

#include "settings/FileStore.h"

namespace quarten {

class PosixFileStore : public FileStore {
public:
    bool Exists(const std::filesystem::path& path) const override;
    std::optional<std::string> Read(const std::filesystem::path& path) const override;
    WriteResult WriteAtomic(const std::filesystem::path& path, std::string_view bytes) override;
};

}  // namespace quarten
